"""Varied fights for the comparison: matchups, seeds, speeds, power and
points, demo runs, timer resolutions, run limits and stalls, and key files
with presses in the opening, during the fight, on the finishing ticks and in
the closing, including pause and resume with the space bar."""

import random

from mojara_model import FightOptions, run_fight
from players import SECOND_PLAYER, STYLES, Player, key_press, pause_and_resume, random_press

RESOLUTIONS = [1, 5, 10, 16, 20, 50, 100, 54.925]
# Situations a run should reach somewhere; the plan searches for the missing.
SITUATIONS = (
    "heavy knock-down", "hit replaces a running program", "time up",
    "special move with exactly its cost", "charge beyond 100", "flying kick steered",
    "pause on a finishing tick", "music starts again",
    "effect still sounding on a finishing tick",
    "hit on the other sprite's left edge", "hit on the other sprite's right edge",
    "resting on the other's spot",
    "equal life fractions", "combo counter at full green", "time up won by the player",
)
SEARCH_TRIES = 40


class Fight:
    """One planned fight: the model's options plus how to write them."""

    def __init__(self, options, key_tokens, resolution_given, notes):
        self.options = options
        self.key_tokens = key_tokens            # [(event, token as written)]
        self.resolution_given = resolution_given
        self.notes = notes

    def arguments(self, keys_path):
        o = self.options
        args = ["fight", str(o.p0), str(o.p1), "--seed", str(o.seed), "--speed", str(o.speed),
                "--pow", "%d,%d" % o.pow, "--score", "%d,%d" % o.score, "--trace"]
        if o.demo:
            args.append("--demo")
        if o.versus:
            args.append("--versus")
        if o.max_events != 100000:
            args += ["--max-events", str(o.max_events)]
        if self.resolution_given:
            args += ["--timer-resolution", repr(o.resolution)]
        if self.key_tokens:
            args += ["--keys", keys_path]
        return args

    def keys_text(self):
        lines = ["# keys of one planned fight", ""]
        for event, token in self.key_tokens:
            lines.append("%d %s" % (event, token))
        return "\n".join(lines) + "\n"


def _phases(lines):
    """First finishing tick and first closing event of a model trace."""
    finishing = closing = None
    decided = False
    for line in lines:
        if line["timer"] == "Timer1" and decided and finishing is None:
            finishing = line["e"]
        if line["timer"] == "Timer2" and closing is None:
            closing = line["e"]
        if line["timer"] == "Timer1" and (min(line["LIFE"]) <= 0 or line["CLOCK"] <= 0):
            decided = True
    return finishing, closing


def _presses(rnd, first, last, density, pause_rate):
    tokens = []
    for event in range(first, last + 1):
        if rnd.random() < density:
            tokens.append((event, random_press(rnd)))
        if rnd.random() < pause_rate:
            tokens += [(event, t) for t in pause_and_resume(rnd)]
    return tokens


def _score(rnd):
    kind = rnd.random()
    if kind < 0.4:
        return 0
    if kind < 0.8:
        return rnd.randint(-100000, 5000000)
    return rnd.choice([-1, 1, 2100000000, -2147483648, -2000000000])


def _pow(rnd):
    return rnd.choice([0, 0, 9, 10, 24, 25, 39, 40, 100, rnd.randint(0, 100)])


def _candidate(index, rnd, lengths):
    """A fight of the index's kind; the kinds rotate so every run mixes them."""
    kind = index % 8
    style = STYLES[(index // 2) % len(STYLES)]
    options = FightOptions(
        p0=rnd.randint(0, 7), p1=rnd.randint(0, 7),
        seed=rnd.choice([rnd.getrandbits(64), rnd.randint(0, 1000), (1 << 64) - 1]),
        speed=rnd.randint(1, 20), pow=(_pow(rnd), _pow(rnd)),
        score=(_score(rnd), _score(rnd)), demo=kind in (3, 6) and style != "juggler")
    if style == "juggler":
        # Long combos: rampages by a quick, weak fighter (no heavy knock-down).
        options.p0 = rnd.choice([6, 6, 6, 2])
        options.pow = (100, options.pow[1])
    resolution_given = kind in (2, 5) or rnd.random() < 0.15
    if resolution_given:
        options.resolution = rnd.choice(RESOLUTIONS)
    player = Player(rnd, style,
                    rnd.choice([0.05, 0.2, 0.5, 0.9]), rnd.choice([0.0, 0.01, 0.03]))
    # Every fourth fight of the kinds that play side 0 by keys is a versus fight, with a second
    # player of its own style on side 1.
    options.versus = kind in (1, 4) and (index // 8) % 2 == 1
    second = None
    if options.versus:
        second = Player(rnd, rnd.choice(STYLES), rnd.choice([0.05, 0.2, 0.5, 0.9]),
                        rnd.choice([0.0, 0.01, 0.03]), side=1)
    notes = {}
    lines, end = run_fight(options, lengths, press_hook=player, notes=notes, second_hook=second)
    tokens = list(player.tokens) + (second.tokens if second else [])
    finishing, closing = _phases(lines)
    # Presses on the finishing ticks and in the closing change nothing that
    # came before them, so they are added after the fight has been played.
    if finishing:
        tokens += _presses(rnd, finishing, closing or end["e"], 0.5, 0.3)
        tokens += [(finishing, t) for t in pause_and_resume(rnd)]
    if closing:
        tokens += _presses(rnd, closing, end["e"], 0.3, 0.2)
    # Presses for events after the run's end are never delivered.
    tokens += [(end["e"] + rnd.randint(1, 5), random_press(rnd)) for _ in range(2)]
    tokens.sort(key=lambda item: item[0])
    if kind == 7 and (index // 8) % 2 == 0:
        # A pause that is never resumed stalls the run.
        stall_at = rnd.randint(60, max(61, (finishing or end["e"]) - 1))
        tokens = [k for k in tokens if k[0] < stall_at] + [(stall_at, "SPACE")]
    elif kind == 7:
        # Stop the run at, just before or well before its hand-over.
        options.max_events = [end["e"], end["e"] - 1, rnd.randint(0, 60)][(index // 16) % 3]
    if options.versus:
        # The second player's presses on the finishing ticks and in the closing too.
        tokens += [(e, SECOND_PLAYER + t) for e, t in _presses(rnd, finishing or end["e"], end["e"], 0.3, 0.2)]
        tokens.sort(key=lambda item: item[0])
    options.keys = [(e,) + key_press(t) for e, t in tokens]
    return Fight(options, tokens, resolution_given, notes)


def plan_fight(index, base_seed, lengths, wanted=()):
    """The index-th fight of a run.  While situations in `wanted` are still
    missing, a few candidates are played on the model and the one reaching
    the most of them is kept."""
    best, best_count = None, -1
    juggler = STYLES[(index // 2) % len(STYLES)] == "juggler"
    tries = SEARCH_TRIES if wanted and (index % 2 or juggler) else 1
    for attempt in range(tries):
        rnd = random.Random("%d/%d/%d" % (base_seed, index, attempt))
        fight = _candidate(index, rnd, lengths)
        count = sum(1 for what in wanted if what in fight.notes)
        if count > best_count:
            best, best_count = fight, count
        if count:
            break
    return best
