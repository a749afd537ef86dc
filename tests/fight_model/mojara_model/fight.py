"""One fight on the virtual clock, from the battle window's load to its
hand-over, with key presses delivered before numbered timer events."""

from dataclasses import dataclass, field

from .numbers import SplitMix64
from .sound import SoundSlot
from .window import Battle

DEFAULT_RESOLUTION = 54.925


@dataclass
class FightOptions:
    p0: int
    p1: int
    seed: int = 1
    speed: int = 5
    pow: tuple = (0, 0)
    score: tuple = (0, 0)
    demo: bool = False
    versus: bool = False                         # side 1 is the second player's
    keys: list = field(default_factory=list)     # [(event, key code, player)], sorted
    max_events: int = 100000
    resolution: float = DEFAULT_RESOLUTION


class Timer:
    def __init__(self, interval, enabled):
        self.interval, self.enabled = interval, enabled
        self.due, self.order = 0.0, 0


class Host:
    """The platform under the battle window: timers, sound slots, beep."""

    def __init__(self, options, sound_lengths):
        self.resolution = options.resolution
        self.rng = SplitMix64(options.seed)
        self.now = 0.0
        self._enable_count = 0
        self.timers = {"Timer1": Timer(options.speed, False),
                       "Timer2": Timer(1, False),
                       "Timer3": Timer(1, False)}
        self.slots = {}
        for slot, name in (("MMControl1", "music2.mid"), ("MMControl2", "snd2.wav"),
                           ("MMControl3", "snd1.wav")):
            self.slots[slot] = SoundSlot(slot, sound_lengths.get(name, 0.0))
        self.sounds, self.beeps = [], 0
        self.notes = {}

    def note(self, what):
        """Count a rare situation, so a run can tell which ones it reached."""
        self.notes[what] = self.notes.get(what, 0) + 1

    def period(self, timer):
        return max(timer.interval, self.resolution)

    def enabled(self, name):
        return self.timers[name].enabled

    def enable(self, name):
        timer = self.timers[name]
        if not timer.enabled:
            timer.enabled = True
            timer.due = self.now + self.period(timer)
            self._enable_count += 1
            timer.order = self._enable_count

    def disable(self, name):
        self.timers[name].enabled = False

    def next_timer(self):
        running = [(t.due, t.order, n) for n, t in self.timers.items() if t.enabled]
        return min(running)[2] if running else None

    def playing(self, sound):
        return self.slots[sound[0]].playing(self.now)

    def play(self, sound):
        self.slots[sound[0]].play(self.now)
        self.sounds.append(sound)

    def beep(self):
        self.beeps += 1


def run_fight(options, sound_lengths, press_hook=None, notes=None, second_hook=None):
    """Return (trace lines, end line) as the runner's JSON objects would read.

    press_hook(event, battle), if given, returns more key codes to press just
    before that event, after those of options.keys (a player that reacts to
    the fight); second_hook the same for the second player of a versus
    fight.  notes, if given, is a dict that receives the counts of the
    rare situations the fight reached.
    """
    host = Host(options, sound_lengths)
    battle = Battle(host, options.p0, options.p1, options.speed, options.pow, options.score)
    battle.load(options.seed)
    host.enable("Timer3")          # enabled in its design state
    if options.demo:
        battle.INPUTON = 0
    if options.versus:
        battle.INPUTON2, battle.versus = 1, True
    keys = sorted(options.keys, key=lambda k: k[0])
    lines, event, next_key = [], 0, 0
    if notes is not None:
        host.notes = notes
    while True:
        if event >= options.max_events:
            return lines, battle.end_line("limit", event)
        while next_key < len(keys) and keys[next_key][0] <= event + 1:
            battle.key_down(*keys[next_key][1:])
            next_key += 1
        if press_hook is not None:
            for code in press_hook(event + 1, battle):
                battle.key_down(code)
        if second_hook is not None:
            for code in second_hook(event + 1, battle):
                battle.key_down(code, 1)
        name = host.next_timer()
        if name is None:
            return lines, battle.end_line("stalled", event)
        timer = host.timers[name]
        host.now = timer.due
        timer.due += host.period(timer)
        battle.timer_event(name)
        event += 1
        lines.append(battle.trace_line(event, name, host.sounds, host.beeps))
        host.sounds, host.beeps = [], 0
        if battle.handed_over_to:
            return lines, battle.end_line(battle.handed_over_to, event)
