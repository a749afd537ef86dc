#!/usr/bin/python3
"""The site installed and played offline, in headless Chromium from a fresh profile: after one
visit the service worker holds every file it lists, and with the network cut and the server
stopped the title shows and a practice fight plays; a changed site replaces the old one whole;
a worker that fails to install leaves the page playing from the network.

  tests/web/offline_test.py SITE_DIR

Serves SITE_DIR and copies of it (changed, listed again by scripts/web-offline) on 127.0.0.1."""
import functools
import json
import os
import re
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time

from selenium.common.exceptions import WebDriverException

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import _QuietHandler, chromium, served  # noqa: E402

SITE = os.path.abspath(sys.argv[1])
WORK = tempfile.mkdtemp(prefix='mojara-offline-')
failures = []


def check(ok, what):
    print(('ok   ' if ok else 'FAIL ') + what)
    if not ok:
        failures.append(what)


class Server:
    """Folders served one after another on the same port of 127.0.0.1 (the same origin), or none."""
    port = 0

    def start(self, folder):
        socketserver.TCPServer.allow_reuse_address = True
        handler = functools.partial(_QuietHandler, directory=folder)
        self.server = socketserver.ThreadingTCPServer(('127.0.0.1', self.port), handler)
        self.server.daemon_threads, self.server.block_on_close = True, False  # the browser's idle sockets wait for no one
        self.port = self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        return f'http://127.0.0.1:{self.port}/'

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def copy(name, change=lambda folder: None):
    folder = os.path.join(WORK, name)
    shutil.copytree(SITE, folder)
    change(folder)
    subprocess.run([os.path.join(os.path.dirname(__file__), '..', '..', 'scripts', 'web-offline'), folder],
                   check=True, stdout=subprocess.DEVNULL)
    return (folder, *listed(folder))


def listed(folder):
    text = open(os.path.join(folder, 'sw.js'), encoding='utf-8').read()
    return re.search(r"^const VERSION = '(\w+)';", text, re.M).group(1), \
        [path for path, _ in json.loads(re.search(r'^const FILES = (.*);$', text, re.M).group(1))]


def open_page(driver, address):
    try:
        driver.get(address)
    except WebDriverException as e:
        return e.msg
    return driver.execute_async_script('mojara.ready.then(() => arguments[0]("ok"), (e) => arguments[0](String(e)))')


# Waits (30 s at most) for a worker in charge and caches of the given versions only, and answers
# the cache's addresses.
KEPT = '''const [want, done] = arguments, until = performance.now() + 30000;
(async () => { for (;;) {
  const names = (await caches.keys()).filter((n) => n.startsWith('mojara '));
  if (navigator.serviceWorker.controller && names.map((n) => n.split(' ').pop()).join() === want.join())
    return done({names, keys: (await (await caches.open(names[0])).keys()).map((r) => r.url)});
  if (performance.now() > until) return done({names});
  await new Promise((r) => setTimeout(r, 100));
} })();'''


def forms(driver):
    return driver.execute_script('return [mojara.now(), mojara.forms()]')


def offline(driver, on):
    driver.execute_cdp_cmd('Network.enable', {})
    driver.execute_cdp_cmd('Network.emulateNetworkConditions',
                           {'offline': on, 'latency': 0, 'downloadThroughput': -1, 'uploadThroughput': -1})


try:
    site = Server()
    with chromium() as driver:
        # One visit: every listed file kept (the test runner is not listed), the page installable.
        version, files = listed(SITE)
        base = site.start(SITE)
        check(open_page(driver, base + '?clock=virtual') == 'ok', 'the page loads online')
        kept = driver.execute_async_script(KEPT, [version])
        check(sorted(kept.get('keys', [])) == sorted(base + f for f in files) and 'mojara-web.wasm' in files
              and not any(f.startswith(('mojara-sim-web', 'sw.js')) for f in files),
              f'a worker takes charge, its cache holding the {len(files)} listed files ({kept["names"]})')
        if 'keys' not in kept:
            sys.exit('FAIL no worker in charge, nothing more to check (does the page call keepOffline()?)')
        check(driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors'] == [],
              'Chromium finds the page installable')

        # No network at all: the browser offline and the server gone.
        offline(driver, True)
        site.stop()
        check(open_page(driver, base + '?lang=en&clock=virtual') == 'ok' and
              [(f['name'], [c['caption'] for c in f['controls'] if c['name'] == 'Command1']) for f in forms(driver)[1]]
              == [('Form3', ['Play Game'])], 'offline, the title window shows, in English by its address')
        check(open_page(driver, base + '?clock=virtual&seed=4&fight=1,2&demo') == 'ok', 'offline, a practice fight loads')
        before = forms(driver)
        driver.execute_script('mojara.advance(3000)')
        after = forms(driver)
        check([f['name'] for f in after[1]] == ['Form2'] and after[0] >= before[0] + 3000 and after[1] != before[1],
              f'and plays in the battle window (the clock {before[0]} -> {after[0]} ms)')
        unlisted = 'fetch("mojara-sim-web.js").then(() => arguments[0]("got"), () => arguments[0]("none"))'
        check(driver.execute_async_script(unlisted) == 'none', 'an unlisted file is asked of the network, not the cache')

        # A changed site: the next load plays the old one whole and hands over, the one after the new.
        def restyle(folder):
            with open(os.path.join(folder, 'style.css'), 'a', encoding='utf-8') as f:
                f.write(':root { --mojara-build: "new"; }\n')
        changed, new_version, _ = copy('changed', restyle)
        offline(driver, False)
        site.start(changed)
        style = 'return getComputedStyle(document.documentElement).getPropertyValue("--mojara-build")'
        check(open_page(driver, base) == 'ok' and driver.execute_script(style) == '', 'the next load plays the old site')
        swapped = driver.execute_async_script(KEPT, [new_version])
        check('keys' in swapped, f'the new version takes over, the old cache gone ({swapped["names"]})')
        open_page(driver, base + '?clock=virtual')
        text = driver.execute_async_script('fetch("style.css").then((r) => r.text()).then(arguments[0])')
        check(driver.execute_script(style) == '"new"' and text == open(os.path.join(changed, 'style.css')).read(),
              'the load after it plays the new file')
        site.stop()

    # A listed file missing: no worker, no cache, a warning, and the page plays from the network.
    broken, same_version, _ = copy('broken')
    check(same_version == version, 'the same files listed again give the same version')
    os.remove(os.path.join(broken, 'assets', 'fonts', 'README.txt'))
    with served(broken) as base, chromium() as driver:
        check(open_page(driver, base + '?clock=virtual') == 'ok' and forms(driver)[1][0]['name'] == 'Form3',
              'a site missing a file plays online')
        warned, until = [], time.time() + 30
        while not warned and time.time() < until:
            time.sleep(0.1)
            warned = [e['message'] for e in driver.get_log('browser') if 'offline' in e['message']]
        left = driver.execute_async_script('''const done = arguments[0];
            navigator.serviceWorker.getRegistration().then(async (r) => done([!!r, !!navigator.serviceWorker.controller,
              (await caches.keys()).filter((n) => n.startsWith('mojara '))]));''')
        check(warned and left == [False, False, []], f'and keeps nothing, with a warning ({warned[:1]}, {left})')
        answers = driver.execute_async_script('''const done = arguments[0];
            import('./offline.js').then(async (m) => { const missing = await m.keepOffline('no-such-worker.js');
              delete Navigator.prototype.serviceWorker; done([missing, await m.keepOffline()]); }, (e) => done(String(e)));''')
        check(answers == ['failed', 'the browser has no service workers'],
              f'keepOffline answers, never throws, with no worker to register or none at all ({answers})')
except WebDriverException as e:
    check(False, f'the browser could go no further: {e.msg}')
finally:
    shutil.rmtree(WORK, ignore_errors=True)

if failures:
    print(f'{len(failures)} check(s) failed')
    sys.exit(1)
