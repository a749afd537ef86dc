"""Players that press keys while the model fights, so that the planned key
files read like real play: a random masher, a chaser that walks up to the
computer and attacks, a player that runs away, one that stands still, and a
juggler that keeps a combo going with the rampage.  Every press is recorded
as the token the keys file will hold."""

KEY_NAMES = {"LEFT": 37, "UP": 38, "RIGHT": 39, "DOWN": 40, "SPACE": 32}
ATTACKS = "AAZZUSXWQP"          # U stands for the up arrow (flying kick)
# Keys the fight does not use, written as decimal codes.
OTHER_CODES = [0, 13, 16, 27, 48, 66, 112, 255, 1000, 65535]
STYLES = ("random", "chaser", "runaway", "still", "juggler")


SECOND_PLAYER = "2:"            # before a key of the second player in a versus fight


def key_press(token):
    """(code, player) of a keys-file token: player 1 for a "2:KEY" token, else 0."""
    if token.startswith(SECOND_PLAYER):
        return key_code(token[len(SECOND_PLAYER):]), 1
    return key_code(token), 0


def key_code(token):
    """The virtual-key code a keys-file token names."""
    upper = token.upper()
    if upper in KEY_NAMES:
        return KEY_NAMES[upper]
    if len(token) == 1 and token.isalpha():
        return ord(upper)
    return int(token)


def spelled(rnd, name):
    """A key written as its name, its decimal code or (letters) lower case."""
    roll = rnd.random()
    if roll < 0.1:
        return str(key_code(name))
    if roll < 0.25 and len(name) == 1:
        return name.lower()
    return name


def random_press(rnd):
    roll = rnd.random()
    if roll < 0.45:
        letter = rnd.choice(ATTACKS)
        return spelled(rnd, "UP" if letter == "U" else letter)
    if roll < 0.8:
        return spelled(rnd, rnd.choice(["LEFT", "RIGHT"]))
    if roll < 0.9:
        return spelled(rnd, "DOWN")
    return str(rnd.choice(OTHER_CODES))


def pause_and_resume(rnd):
    """Space presses at one event: a pause and its resume, sometimes twice."""
    return [spelled(rnd, "SPACE") for _ in range(rnd.choice([2, 2, 2, 4]))]


class Player:
    """A press hook for the model: presses keys before timer events, for
    side 0 (the first player) or, in a versus fight, side 1 (the second)."""

    def __init__(self, rnd, style, density, pause_rate, side=0):
        self.rnd, self.style = rnd, style
        self.density, self.pause_rate = density, pause_rate
        self.side = side
        self.tokens = []

    def __call__(self, event, battle):
        rnd, pressed = self.rnd, []
        if rnd.random() < self.density or self.style == "juggler":
            choice = self._choose(battle)
            pressed += [choice] if choice else []
            if self.style != "juggler" and rnd.random() < 0.15:
                pressed.append(random_press(rnd))
        if rnd.random() < self.pause_rate:
            pressed += pause_and_resume(rnd)
        prefix = SECOND_PLAYER if self.side else ""
        self.tokens += [(event, prefix + token) for token in pressed]
        return [key_code(token) for token in pressed]

    def _choose(self, b):
        rnd, me, other = self.rnd, self.side, 1 - self.side
        toward = "RIGHT" if b.XPOS[other] > b.XPOS[me] else "LEFT"
        away = "LEFT" if toward == "RIGHT" else "RIGHT"
        if self.style == "chaser":
            if abs(b.XPOS[other] - b.XPOS[me]) > rnd.choice([700, 900, 1500]):
                return spelled(rnd, toward)
            letter = rnd.choice(ATTACKS)
            return spelled(rnd, "UP" if letter == "U" else letter)
        if self.style == "juggler":
            return self._juggle(b, toward)
        if self.style == "runaway":
            return spelled(rnd, away if rnd.random() < 0.9 else "Q")
        if self.style == "still":
            return spelled(rnd, rnd.choice(["DOWN", "P", "DOWN", "Q"]))
        return random_press(rnd)

    def _juggle(self, b, toward):
        """Rampage from close by whenever it is paid for, else punch or kick:
        the knock-backs keep the computer in reach of the next rampage."""
        rnd, me = self.rnd, self.side
        if b.ACTION[me] < 49000:
            return None
        distance = abs(b.XPOS[1] - b.XPOS[0])
        if b.POW[me] >= 40 and distance <= rnd.choice([900, 1000, 1100, 1300]):
            return spelled(rnd, "W")
        if distance <= 1100:
            return spelled(rnd, rnd.choice("AZ"))
        return spelled(rnd, toward)
