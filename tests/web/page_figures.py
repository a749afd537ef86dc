#!/usr/bin/python3
"""The site's weight and speed as a player's browser meets it, in headless Chromium from a fresh
profile on 127.0.0.1: what the page fetches to show the title (bytes, and gzip'ed as a web server
would send what is not compressed already), the time from navigation to the title painted, and
the processor time of one demo fight run by the page's module against the native runner's, and
a demo fight played in real time: the page's share of a processor (every Chromium process) against
the windowed program's under Xvfb, and how closely the game's clock keeps to the real one.

  tests/web/page_figures.py SITE_DIR NATIVE_MOJARA_SIM"""
import glob
import gzip
import os
import re
import resource
import subprocess
import sys
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import chromium, served  # noqa: E402

SITE, NATIVE_SIM = os.path.abspath(sys.argv[1]), sys.argv[2]
FIGHT = ["fight", "3", "6", "--demo", "--seed", "9"]
PLAY_SECONDS = 20
RUNS = 5
TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except OSError:
            pass
    return total / TICK


def chromium_pids():
    return [int(p.split("/")[2]) for p in glob.glob("/proc/[0-9]*/comm")
            if open(p).read().strip() in ("chromium", "chrome")]


def kind_of(pid):
    """A Chromium process's kind: browser, renderer, gpu-process, audio (the utility that plays
    sound), or another utility."""
    try:
        line = open(f"/proc/{pid}/cmdline").read()  # Chromium rewrites its helpers' arguments as one line
    except OSError:
        return "gone"
    kind = re.search(r"--type=([\w-]+)", line)
    if not kind:
        return "browser"
    if kind.group(1) == "utility" and "AudioService" in line:
        return "audio"
    return kind.group(1)


def chromium_share(seconds):
    """Every Chromium process's share of a processor over `seconds`, in all and by kind."""
    pids = chromium_pids()
    before = {pid: cpu_seconds([pid]) for pid in pids}
    time.sleep(seconds)
    shares = {}
    for pid in pids:
        kind = kind_of(pid)
        shares[kind] = shares.get(kind, 0) + (cpu_seconds([pid]) - before[pid]) / seconds
    return sum(shares.values()), shares


def spread(values):
    ordered = sorted(values)
    return f"min {100 * ordered[0]:.1f} %, median {100 * ordered[len(ordered) // 2]:.1f} %, max {100 * ordered[-1]:.1f} %"


def windowed_share(mojara):
    """The windowed program's share of a processor over the page's demo fight played under Xvfb."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1920x1200x24"], pass_fds=[write])
    os.close(write)
    display = os.read(read, 16).decode().strip()
    env = dict(os.environ, DISPLAY=f":{display}", SDL_AUDIODRIVER="dummy", XDG_CONFIG_HOME="/tmp")
    # At the page's scale (2 in Chromium's 1280 x 900 window), so both paint the same pixels.
    game = subprocess.Popen([mojara, "--fight", "3", "6", "--demo", "--scale", "2"], env=env)
    try:
        time.sleep(2)
        before = cpu_seconds([game.pid])
        time.sleep(PLAY_SECONDS)
        return (cpu_seconds([game.pid]) - before) / PLAY_SECONDS
    finally:
        game.kill()
        xvfb.kill()


def compressed(path):
    data = open(path, "rb").read()
    if path.endswith((".png", ".woff2", ".ogg", ".mp3")):
        return len(data)
    return len(gzip.compress(data, 9))


with served(SITE) as base, chromium() as driver:
    loads = []
    for _ in range(3):
        driver.get(base + "?seed=1")
        driver.execute_async_script("const done = arguments[0]; mojara.ready.then(() => done(1), () => done(0))")
        loads.append(driver.execute_script("return performance.now()"))
        urls = driver.execute_script(
            "return performance.getEntriesByType('resource').map(e => e.name)"
            ".concat([location.href.split('?')[0] + 'index.html'])")
        driver.execute_script("localStorage.clear()")
        driver.delete_all_cookies()
    files = sorted({urllib.parse.urlparse(u).path.lstrip("/") or "index.html" for u in urls})
    raw = sum(os.path.getsize(os.path.join(SITE, f)) for f in files)
    packed = sum(compressed(os.path.join(SITE, f)) for f in files)
    print(f"fetched for the title: {len(files)} files, {raw / 1e6:.2f} MB, {packed / 1e6:.2f} MB compressed")
    print("navigation to the title painted: " + ", ".join(f"{ms:.0f} ms" for ms in loads))

    # One demo fight in the page's module, many times, against the native runner.
    runs = 20
    page_ms = driver.execute_async_script(
        "const [args, runs, done] = arguments; (async () => {"
        " await mojara.runHeadless(args);"  # loads and compiles the module once
        " const t = performance.now(); for (let i = 0; i < runs; ++i) await mojara.runHeadless(args);"
        " done((performance.now() - t) / runs); })()", FIGHT, runs)
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    for _ in range(runs):
        subprocess.run([NATIVE_SIM, *FIGHT], stdout=subprocess.DEVNULL, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    native_ms = 1000 * ((after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)) / runs
    print(f"one demo fight ({' '.join(FIGHT[1:])}): {page_ms:.1f} ms in the page (a fresh module each, "
          f"sounds written in), {native_ms:.1f} ms processor time natively (a process each)")

    # The same fight in the page's own game on its virtual clock, all at once.
    driver.get(base + "?clock=virtual&fight=3,6&demo&seed=9")
    driver.execute_async_script("const done = arguments[0]; mojara.ready.then(() => done(1), () => done(0))")
    whole_ms = driver.execute_script(
        "const t = performance.now(); for (let i = 0; i < 100 && mojara.forms().some(f => f.name === 'Form2'); ++i)"
        " mojara.advance(2000); return performance.now() - t")
    print(f"the page's own game through that demo fight on its virtual clock: {whole_ms:.0f} ms (painting aside)")

    # A demo fight played in real time in the page, and in the windowed program, by turns; and the
    # title left alone in the page.
    mojara = os.path.join(os.path.dirname(NATIVE_SIM), "mojara")
    page, native, idle, kinds, clock = [], [], [], [], []
    for _ in range(RUNS):
        driver.get(base + "?fight=3,6&demo&seed=9")
        driver.execute_async_script("const done = arguments[0]; mojara.ready.then(() => done(1), () => done(0))")
        driver.find_element("tag name", "body").click()  # the first click starts the sound and the clock
        time.sleep(2)
        real0, game0 = driver.execute_script("return [performance.now(), mojara.now()]")
        share, by_kind = chromium_share(PLAY_SECONDS)
        real1, game1 = driver.execute_script("return [performance.now(), mojara.now()]")
        page.append(share)
        kinds.append(by_kind)
        clock.append((game1 - game0) / (real1 - real0))
        if os.path.exists(mojara):
            driver.get("about:blank")  # the page's fight stopped while the windowed one plays
            native.append(windowed_share(mojara))
        driver.get(base + "?seed=9&attract=off")
        driver.execute_async_script("const done = arguments[0]; mojara.ready.then(() => done(1), () => done(0))")
        driver.find_element("tag name", "body").click()
        time.sleep(3)
        idle.append(chromium_share(PLAY_SECONDS)[0])
    print(f"a demo fight played for {PLAY_SECONDS} s, {RUNS} times: the page (all of Chromium) {spread(page)}")
    median = kinds[sorted(range(RUNS), key=lambda k: page[k])[RUNS // 2]]
    print("  of which, in the median run: " + ", ".join(f"{k} {100 * v:.1f} %" for k, v in sorted(median.items(), key=lambda kv: -kv[1])))
    print(f"  the game's clock kept {min(clock):.4f} to {max(clock):.4f} of the real one")
    if native:
        print(f"the windowed program over the same fight under Xvfb: {spread(native)}")
        print(f"the page against the windowed program (medians): {sorted(page)[RUNS // 2] / max(1e-9, sorted(native)[RUNS // 2]):.1f} x")
    print(f"the title left alone for {PLAY_SECONDS} s: the page {spread(idle)}")
