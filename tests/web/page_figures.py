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
import resource
import subprocess
import sys
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import chromium, served  # noqa: E402

SITE, NATIVE_SIM = os.path.abspath(sys.argv[1]), sys.argv[2]
FIGHT = ["fight", "3", "6", "--demo", "--seed", "9"]
PLAY_SECONDS = 15
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


def windowed_share(mojara):
    """The windowed program's share of a processor over a demo fight played under Xvfb."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24"], pass_fds=[write])
    os.close(write)
    display = os.read(read, 16).decode().strip()
    env = dict(os.environ, DISPLAY=f":{display}", SDL_AUDIODRIVER="dummy", XDG_CONFIG_HOME="/tmp")
    game = subprocess.Popen([mojara, "--fight", "3", "6", "--demo"], env=env)
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

    # A demo fight played in real time in the page.
    driver.get(base + "?fight=3,6&demo&seed=9")
    driver.execute_async_script("const done = arguments[0]; mojara.ready.then(() => done(1), () => done(0))")
    driver.find_element("tag name", "body").click()  # the first click starts the sound and the clock
    time.sleep(2)
    real0, game0 = driver.execute_script("return [performance.now(), mojara.now()]")
    before = cpu_seconds(chromium_pids())
    time.sleep(PLAY_SECONDS)
    used = cpu_seconds(chromium_pids()) - before
    real1, game1 = driver.execute_script("return [performance.now(), mojara.now()]")
    print(f"a demo fight played for {PLAY_SECONDS} s: the page uses {100 * used / PLAY_SECONDS:.0f} % of a "
          f"processor (all of Chromium); the game's clock moved {game1 - game0:.0f} ms in {real1 - real0:.0f} ms")
mojara = os.path.join(os.path.dirname(NATIVE_SIM), "mojara")
if os.path.exists(mojara):
    print(f"the windowed program over the same fight under Xvfb: {100 * windowed_share(mojara):.0f} % of a processor")
