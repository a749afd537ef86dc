#!/usr/bin/python3
"""The page plays as the headless runner does, byte for byte, in headless Chromium on its virtual
clock: a whole game played through the page's own keys and mouse (tests/web/scripts/whole_game.txt)
and one left to the stand-in player, against `mojara-sim game`; practice fights with and without
keys, against `mojara-sim fight --trace`; and the runner compiled for the page (mojara.runHeadless)
on random fights and two autoplayed games.

  tests/web/page_traces_test.py SITE_DIR NATIVE_SIM

Serves SITE_DIR on 127.0.0.1 (a free port) for the run; every wait is bounded. Prints the first
differing line of anything that differs, and exits 1."""
import importlib.machinery
import importlib.util
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import chromium, served  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
SITE = os.path.abspath(sys.argv[1])
SIM = os.path.abspath(sys.argv[2])
SCRIPT = os.path.join(HERE, 'scripts', 'whole_game.txt')
failures = []
lines_compared = 0


def compare(what, native, page):
    """Both texts the same, or the first line where they part."""
    global lines_compared
    a, b = native.split('\n'), page.split('\n')
    for n in range(max(len(a), len(b))):
        x = a[n] if n < len(a) else '<end>'
        y = b[n] if n < len(b) else '<end>'
        if x != y:
            print(f'FAIL {what}: first difference on line {n + 1}\n  native: {x[:600]}\n  page:   {y[:600]}')
            failures.append(what)
            return
    lines_compared += native.count('\n')
    print(f'ok   {what} ({native.count(chr(10))} lines)')


def native(*args):
    result = subprocess.run([SIM, *args], stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300, check=False)
    return result.returncode, result.stdout.decode(), result.stderr.decode()


def script_lines(path):
    """(milliseconds, action) for each line of a whole-game script."""
    out = []
    with open(path, encoding='utf-8') as f:
        for raw in f:
            words = raw.strip().split(None, 1)
            if words and not words[0].startswith('#'):
                out.append((float(words[0]), words[1]))
    return out


def open_page(driver, base, query):
    driver.get(base + query)
    answer = driver.execute_async_script(
        'const done = arguments[0]; mojara.ready.then(() => done("ok"), (e) => done("error: " + e.message))')
    if answer != 'ok':
        raise RuntimeError(f'the page {query} did not load: {answer}')


# In the page: each line at its time, through mojara.input; then on to the end time.
PLAY_SCRIPT = '''
const [lines, until] = arguments;
for (const [ms, action] of lines) { mojara.advanceTo(ms); mojara.input(action); }
mojara.advanceTo(until);
return mojara.log('until');
'''

# In the page: a practice fight's presses each just before its event, one timer event at a time,
# then on to the fight's end.
PLAY_FIGHT = '''
const presses = arguments[0];
let events = 0;
for (const [event, key] of presses) {
  for (let guard = 0; events < event - 1 && guard < 200000; ++guard) { if (!mojara.step()) break; ++events; }
  mojara.input('key ' + key);
}
for (let guard = 0; guard < 200000 && !mojara.trace().includes('{"end"'); ++guard) {
  for (let k = 0; k < 100; ++k) if (!mojara.step()) break;
}
return mojara.trace();
'''

FIGHTS = [  # slots, seed, demo, keys file
    (0, 1, 11, True, ''),
    (5, 3, 12345, True, ''),
    (2, 7, 4, False, '3 RIGHT\n3 RIGHT\n20 A\n25 Z\n40 UP\n60 S\n61 Q\n80 X\n100 W\n120 SPACE\n120 SPACE\n140 LEFT\n'),
    (6, 6, 99, False, '1 A\n2 A\n50 Z\n51 Z\n300 Q\n301 RIGHT\n302 RIGHT\n400 W\n'),
    (4, 1, 2024, False, ''.join(f'{e} {k}\n' for e, k in zip(range(5, 900, 7), ['LEFT', 'A', 'Z', 'RIGHT', 'S', 'X', 'UP', 'Q', 'W'] * 20))),
]


def load_compare_traces():
    path = os.path.join(HERE, '..', '..', 'scripts', 'compare-traces')
    loader = importlib.machinery.SourceFileLoader('compare_traces', path)
    module = importlib.util.module_from_spec(importlib.util.spec_from_loader('compare_traces', loader))
    loader.exec_module(module)
    return module


def main():
    with served(SITE) as base, chromium() as driver:
        driver.set_script_timeout(300)
        # A whole game by hand, through the page's own input.
        until = 130000
        open_page(driver, base, '?clock=virtual&seed=5&log=1&attract=off')
        page = driver.execute_script(PLAY_SCRIPT, script_lines(SCRIPT), until)
        compare('a whole game played through the page', native('game', SCRIPT, '--seed', '5', '--until', str(until))[1], page)

        # A campaign left to the stand-in player.
        until = 400000
        open_page(driver, base, '?clock=virtual&seed=3&log=1&attract=off&demo')
        page = driver.execute_script('mojara.advanceTo(arguments[0]); return mojara.log("until");', until)
        compare('a campaign of the stand-in on the page', native('game', '--autoplay', '--seed', '3', '--until', str(until))[1], page)

        # Practice fights, their presses through mojara.input.
        with tempfile.TemporaryDirectory() as folder:
            for p0, p1, seed, demo, keys in FIGHTS:
                args = [str(p0), str(p1), '--trace', '--seed', str(seed)]
                if demo:
                    args.append('--demo')
                presses = []
                if keys:
                    path = os.path.join(folder, 'keys.txt')
                    with open(path, 'w', encoding='utf-8') as f:
                        f.write(keys)
                    args += ['--keys', path]
                    presses = [[int(e), k] for e, k in (line.split() for line in keys.splitlines())]
                open_page(driver, base, f'?clock=virtual&seed={seed}&log=1&attract=off&fight={p0},{p1}' + ('&demo' if demo else ''))
                page = driver.execute_script(PLAY_FIGHT, presses)
                compare(f'the practice fight {" ".join(args[:2] + args[3:5])}{" --demo" if demo else " with keys"}',
                        native('fight', *args)[1], page)

        # The runner compiled for the page, in the browser's engine.
        traces = load_compare_traces()
        rng = random.Random(25)
        open_page(driver, base, '?clock=virtual&attract=off')
        with tempfile.TemporaryDirectory() as folder:
            runs = [['fight', *traces.random_fight(rng, folder, k)] for k in range(30)]
            runs += [['game', '--autoplay', '--seed', str(s), '--until', '600000'] for s in (7, 8)]
            for args in runs:
                files, page_args = {}, list(args)
                if '--keys' in args:
                    at = args.index('--keys') + 1
                    with open(args[at], encoding='utf-8') as f:
                        files['keys.txt'] = f.read()
                    page_args[at] = 'keys.txt'
                status, out, err = native(*args)
                answer = driver.execute_async_script(
                    'const done = arguments[2]; mojara.runHeadless(arguments[0], arguments[1]).then(done, (e) => done({status: -1, stdout: "", stderr: String(e)}))',
                    page_args, files)
                what = 'runHeadless ' + ' '.join(args[:3] + (args[4:6] if args[0] == 'fight' else args[3:]))
                if answer['status'] != status:
                    print(f'FAIL {what}: status {answer["status"]} in the page, {status} natively ({answer["stderr"][:300]})')
                    failures.append(what)
                else:
                    compare(what, out, answer['stdout'])
        severe = [e for e in driver.get_log('browser') if e['level'] == 'SEVERE']
        if severe:
            print(f'FAIL console errors: {severe[:3]}')
            failures.append('console errors')
    print(f'{lines_compared} lines compared; ' + ('all the same' if not failures else f'{len(failures)} differ'))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
