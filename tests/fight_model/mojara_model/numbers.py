"""Number rules of the game and the program-wide random generator."""

import struct

MASK64 = (1 << 64) - 1
INT32_MIN = -(1 << 31)
INT32_MAX = (1 << 31) - 1


def round_half_even(x):
    """Store a fractional value into an integer: nearest, halves to even."""
    return int(round(x))


def fix(x):
    """Fix: truncate toward zero."""
    return int(x)


def single(x):
    """The value as a single-precision float would hold it."""
    return struct.unpack("<f", struct.pack("<f", x))[0]


def width_text(x):
    """A stored single-precision width as the trace writes it."""
    return "%.3f" % single(x)


def check_int32(value, what):
    """Game variables are 32-bit; leaving the range is a fatal error."""
    if not INT32_MIN <= value <= INT32_MAX:
        raise OverflowError("%s overflows 32 bits: %d" % (what, value))
    return value


class SplitMix64:
    """The program's one uniform generator, with 24-bit draws."""

    def __init__(self, seed):
        self.state = seed & MASK64
        self.draws = 0

    def reseed(self, seed):
        self.state = seed & MASK64

    def draw(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK64
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK64
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK64
        z ^= z >> 31
        self.draws += 1
        return (z >> 40) / 16777216.0
