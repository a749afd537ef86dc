#!/usr/bin/env python3
"""Replays varied fights through `mojara-sim fight --trace` and through the
Python fight model, and compares the two event by event, field by field.

On the first difference it prints the fight's command line, the event, the
field, both values and the runner's previous line, and exits 1.
"""

import argparse
import json
import os
import shlex
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True    # leave no caches in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from fight_plan import SITUATIONS, plan_fight  # noqa: E402
from mojara_model import run_fight  # noqa: E402
from mojara_model.sound import sound_lengths  # noqa: E402

DEFAULT_SIM = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                           "..", "..", "build", "bin", "mojara-sim")
TRACE_KEYS = {"e", "timer", "IX", "ACTION", "POSE", "FACING", "XPOS", "YPOS", "LIFE", "POW",
              "SCORE", "SHOWLIFE", "SHOWPOW", "MOVEDMG", "CLOCK", "HITCOUNT", "DMGTALLY",
              "HITSIDE", "KEYCMD", "SEQTICK", "PRESSED", "STAGE", "LIFEMATA", "POWMATA",
              "GAZOU", "Label2", "Label3", "ZIKAN", "WAKUN", "Shape1", "Image1", "Timers",
              "sounds", "beeps"}
END_KEYS = {"end", "e", "STAGE", "BEATEN", "SCORE", "POW", "LIFE"}


class Difference(Exception):
    def __init__(self, event, field, runner, model, previous):
        super().__init__(field)
        self.event, self.field = event, field
        self.runner, self.model, self.previous = runner, model, previous


def parse_runner_line(text, event, previous):
    """A trace line; fractional numbers stay as written (widths: 3 decimals)."""
    try:
        line = json.loads(text, parse_float=str)
    except ValueError:
        raise Difference(event, "<line>", text, "a JSON object", previous) from None
    if not isinstance(line, dict):
        raise Difference(event, "<line>", text, "a JSON object", previous)
    return line


def model_value(value):
    """The model's value as the runner's line would parse."""
    return json.loads(json.dumps(value, ensure_ascii=False))


def same(a, b):
    """Equal values of equal JSON types (true is not 1, 1 is not "1")."""
    if type(a) is not type(b):
        return False
    if isinstance(a, list):
        return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    return a == b


def compare_line(runner, model, expected_keys, event, previous):
    for key in sorted(expected_keys | set(runner) | set(model)):
        if key not in runner or key not in model or key not in expected_keys:
            raise Difference(event, key, runner.get(key, "<missing>"),
                             model.get(key, "<missing>"), previous)
        if not same(runner[key], model_value(model[key])):
            raise Difference(event, key, runner[key], model[key], previous)


def compare_fight(output, model_lines, model_end, versus=False):
    texts = output.splitlines()
    previous = "(none: this is the first event)"
    for index, model in enumerate(model_lines):
        if index >= len(texts):
            raise Difference(model["e"], "<line>", "<no more lines>", "a trace line", previous)
        runner = parse_runner_line(texts[index], model["e"], previous)
        if "end" in runner:
            raise Difference(model["e"], "<line>", texts[index], "a trace line", previous)
        compare_line(runner, model, TRACE_KEYS | ({"KEYCMD2"} if versus else set()), model["e"], previous)
        previous = texts[index]
    if len(texts) != len(model_lines) + 1:
        extra = texts[len(model_lines)] if len(texts) > len(model_lines) else "<nothing>"
        raise Difference(model_end["e"] + 1, "<line>", extra, "the end line only", previous)
    runner_end = parse_runner_line(texts[-1], "end", previous)
    compare_line(runner_end, model_end, END_KEYS, "end", previous)


def run_runner(sim, fight, keys_path):
    args = [sim] + fight.arguments(keys_path)
    done = subprocess.run(args, capture_output=True, text=True, timeout=60)
    return args, done


def main():
    parser = argparse.ArgumentParser(epilog=__doc__)
    parser.add_argument("--sim", default=DEFAULT_SIM, help="path of mojara-sim")
    parser.add_argument("--fights", type=int, default=40, help="number of fights")
    parser.add_argument("--seed", type=int, default=1, help="seed of the fight plan")
    parser.add_argument("--first", type=int, default=0, help="index of the first fight")
    parser.add_argument("--keep", help="folder to keep the keys files in")
    args = parser.parse_args()

    sim = os.path.abspath(args.sim)
    if not os.access(sim, os.X_OK):
        print("fight model: no runner at %s" % sim)
        return 2
    lengths = sound_lengths(os.path.dirname(os.path.realpath(sim)))
    folder = args.keep or tempfile.mkdtemp(prefix="fight_model_")
    os.makedirs(folder, exist_ok=True)
    started, passed, events = time.time(), 0, 0
    endings, reached, versus = {}, set(), 0
    for index in range(args.first, args.first + args.fights):
        wanted = [what for what in SITUATIONS if what not in reached]
        fight = plan_fight(index, args.seed, lengths, wanted)
        keys_path = os.path.join(folder, "fight_%d.keys" % index)
        with open(keys_path, "w", encoding="utf-8") as handle:
            handle.write(fight.keys_text())
        command, done = run_runner(sim, fight, keys_path)
        shown = " ".join(shlex.quote(part) for part in command)
        if done.returncode != 0 or done.stderr:
            print("fight %d: runner failed (status %d): %s\n%s"
                  % (index, done.returncode, shown, done.stderr.strip()))
            return 1
        notes = {}
        try:
            lines, end = run_fight(fight.options, lengths, notes=notes)
        except OverflowError as fatal:
            print("fight %d: the game would stop with a fatal error (%s): %s"
                  % (index, fatal, shown))
            return 1
        try:
            compare_fight(done.stdout, lines, end, fight.options.versus)
        except Difference as diff:
            print("fight %d differs: %s" % (index, shown))
            print("  event %s, field %s" % (diff.event, diff.field))
            print("  runner: %s" % json.dumps(diff.runner, ensure_ascii=False))
            print("  model:  %s" % json.dumps(diff.model, ensure_ascii=False))
            print("  previous runner line: %s" % diff.previous)
            print("fight model: %d passed, 1 failed" % passed)
            return 1
        passed += 1
        versus += fight.options.versus
        reached.update(notes)
        events += end["e"]
        endings[end["end"]] = endings.get(end["end"], 0) + 1
        if not args.keep:
            os.remove(keys_path)
    if not args.keep:
        os.rmdir(folder)
    summary = ", ".join("%s %d" % item for item in sorted(endings.items()))
    missing = [what for what in SITUATIONS if what not in reached]
    print("situations not reached: %s" % ("; ".join(missing) or "none"))
    print("fight model: %d passed (%d of them versus), 0 failed (%d events; endings: %s; %.1f s)"
          % (passed, versus, events, summary, time.time() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
