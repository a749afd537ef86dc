#!/usr/bin/python3
"""The page as a player meets it on a phone and a tablet: headless Chromium's phone emulation, the
fingers sent as the screen sends them (CDP Input.dispatchTouchEvent), from a fresh profile, on the
real clock. The tap that starts the game and its sound, the select window by taps and a drag of the
speed bar, a practice fight played by touch alone, portrait and landscape laid out with nothing
cut off or covered, two players' pads on a tablet, and the close box bringing a fresh title back.

  tests/web/phone_test.py SITE_DIR [SCREENSHOT_DIR]"""
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import chromium, console_errors, served, site_folder  # noqa: E402

SITE = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else site_folder()
SHOTS = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp(prefix='mojara-phone-')
os.makedirs(SHOTS, exist_ok=True)
PHONE = {'width': 390, 'height': 844, 'pixelRatio': 3}
COMMANDS = {'walkLeft', 'walkRight', 'flyingKick', 'punch', 'kick', 'risingDragonPunch', 'powerCharge',
            'heelDrop', 'rampage', 'pause'}
failures = []


def check(ok, what):
    print(('ok   ' if ok else 'FAIL ') + what)
    if not ok:
        failures.append(what)
    return ok


def wait_for(driver, script, seconds, *args):
    """Polls `script` until it answers something true, for at most `seconds`; its last answer."""
    end = time.monotonic() + seconds
    while True:
        answer = driver.execute_script(script, *args)
        if answer or time.monotonic() > end:
            return answer
        time.sleep(0.05)


class Fingers:
    """Touches on the page's screen, as a phone's touch screen sends them."""

    def __init__(self, driver):
        self.driver = driver
        self.down = {}

    def send(self, kind):
        points = [{'x': x, 'y': y, 'id': i} for i, (x, y) in self.down.items()]
        self.driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': kind, 'touchPoints': points})

    def press(self, finger, x, y):
        self.down[finger] = (x, y)
        self.send('touchStart')

    def move(self, finger, x, y):
        self.down[finger] = (x, y)
        self.send('touchMove')

    def lift(self, finger):
        del self.down[finger]
        self.driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': [
            {'x': x, 'y': y, 'id': i} for i, (x, y) in self.down.items()]})

    def tap(self, x, y):
        self.press(9, x, y)
        self.lift(9)


def centre(rect):
    return rect['x'] + rect['width'] / 2, rect['y'] + rect['height'] / 2


def rect_of(driver, selector):
    return driver.execute_script('const e = document.querySelector(arguments[0]);'
                                 'return e ? e.getBoundingClientRect().toJSON() : null', selector)


def names(driver):
    return [f['name'] for f in driver.execute_script('return mojara.forms()')]


def control(driver, form, name, index=-1):
    for f in driver.execute_script('return mojara.forms()'):
        if f['name'] == form:
            for c in f['controls']:
                if c['name'] == name and c['index'] == index:
                    return c
    return None


def overlaps(a, b):
    return a['x'] < b['x'] + b['width'] and b['x'] < a['x'] + a['width'] and \
        a['y'] < b['y'] + b['height'] and b['y'] < a['y'] + a['height']


def inside(r, width, height):
    return r['x'] >= 0 and r['y'] >= 0 and r['x'] + r['width'] <= width + 0.5 and r['y'] + r['height'] <= height + 0.5


def check_layout(driver, what, width, height, pads=1):
    """Every window and on-screen button on the screen, none over another window's place."""
    windows = driver.execute_script('return mojara.windowRects()')
    controls = driver.execute_script('return mojara.touchLayout()')
    check(windows and all(inside(w, width, height) for w in windows), f'{what}: every window on the screen {windows}')
    if pads:
        check(sorted(c['command'] for c in controls) == sorted(sorted(COMMANDS) * pads),
              f'{what}: the on-screen controls are all there ({len(controls)})')
        check(all(inside({**c, 'x': c['x'], 'y': c['y']}, width, height) for c in controls),
              f'{what}: every control on the screen')
        battle = [w for w in windows if w['form'] == 'Form2']
        check(battle and not any(overlaps(c, battle[0]) for c in controls), f'{what}: no control over the fight')
        check(not any(overlaps(a, b) for i, a in enumerate(controls) for b in controls[i + 1:]),
              f'{what}: no control over another')
    return windows, controls


def emulate(driver, width, height, ratio=3):
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': True,
        'screenOrientation': {'type': 'portraitPrimary' if height > width else 'landscapePrimary',
                              'angle': 0 if height > width else 90}})
    wait_for(driver, 'return innerWidth === arguments[0] && innerHeight === arguments[1]', 5, width, height)
    time.sleep(0.2)


def open_page(driver, base, query):
    driver.get(base + query)
    answer = driver.execute_async_script(
        'const done = arguments[0]; mojara.ready.then(() => done("ok"), (e) => done("error: " + e.message))')
    check(answer == 'ok', f'the page {query} loads')


def shot(driver, name):
    driver.save_screenshot(os.path.join(SHOTS, f'{name}.png'))


def phone(base):
    with chromium(mobile=PHONE) as driver:
        fingers = Fingers(driver)
        open_page(driver, base, '?seed=5&attract=off')
        check(driver.execute_script('return matchMedia("(pointer: coarse)").matches'), 'the phone has a coarse pointer')
        veil = driver.execute_script('return document.querySelector("#veil").hidden ? "" : document.querySelector("#veil").innerText')
        check(veil == '画面にさわってください', f'the title waits for a tap, in the player\'s words: {veil!r}')
        check(driver.execute_script('return mojara.audioState()') == 'none', 'no sound before it')
        check(rect_of(driver, '#bar')['height'] == 0 and rect_of(driver, '#menu-button')['width'] > 0,
              "the page's bar is folded into a menu button")
        before = driver.execute_script('return mojara.now()')
        fingers.tap(195, 800)
        check(wait_for(driver, 'return ["running", "idle"].includes(mojara.audioState())', 3), 'a tap starts the sound')
        check(driver.execute_script('return document.querySelector("#veil").hidden'), 'and takes the line away')
        time.sleep(0.3)
        check(driver.execute_script('return mojara.now()') > before, "and the game's clock")
        shot(driver, 'phone-title')
        check_layout(driver, 'the title standing', 390, 844, pads=0)
        ratio = driver.execute_script('const c = document.querySelector("section canvas");'
                                      'return c.width / c.getBoundingClientRect().width')
        check(abs(ratio - 3) < 0.01, f"the canvas is drawn at the screen's own pixels ({ratio:.2f} a CSS pixel)")

        # The menu opens over the game and shuts again.
        fingers.tap(*centre(rect_of(driver, '#menu-button')))
        check(wait_for(driver, 'return document.querySelector("#bar").getBoundingClientRect().height > 100', 2),
              'the menu button opens the menu')
        shot(driver, 'phone-menu')
        fingers.tap(*centre(rect_of(driver, '#menu-button')))
        check(wait_for(driver, 'return document.querySelector("#bar").getBoundingClientRect().height === 0', 2), 'and shuts it')

        # The select window by taps: Play Game, the speed bar dragged, a portrait tapped.
        fingers.tap(*centre(rect_of(driver, 'section[data-form=Form3] button[data-control=Command1]')))
        check(wait_for(driver, 'return mojara.forms().some((f) => f.name === "Form5")', 10), 'a tap on Play Game opens the select window')
        time.sleep(0.5)
        shot(driver, 'phone-select')
        check_layout(driver, 'the select window standing', 390, 844, pads=0)
        speed = control(driver, 'Form5', 'Scr')['value']
        bar = rect_of(driver, 'section[data-form=Form5] [data-control=Scr]')
        x = bar['x'] + bar['width'] * (speed - control(driver, 'Form5', 'Scr')['min']) / max(1, control(driver, 'Form5', 'Scr')['max'] - control(driver, 'Form5', 'Scr')['min'])
        y = bar['y'] + bar['height'] / 2
        fingers.press(1, x, y)
        for step in range(1, 11):
            fingers.move(1, min(bar['x'] + bar['width'] - 1, x + step * bar['width'] / 10), y)
            time.sleep(0.02)
        fingers.lift(1)
        moved = wait_for(driver, 'const s = mojara.forms().find((f) => f.name === "Form5").controls.find((c) => c.name === "Scr");'
                                 'return s.value !== arguments[0] ? s.value : 0', 2, speed)
        check(moved and moved > speed, f'a drag of the speed bar changes the speed ({speed} to {moved})')
        canvas = rect_of(driver, 'section[data-form=Form5] canvas')
        form = [f for f in driver.execute_script('return mojara.forms()') if f['name'] == 'Form5'][0]
        scale = canvas['width'] / form['width']
        portrait = control(driver, 'Form5', 'KYARA', 1)['box']
        fingers.tap(canvas['x'] + (portrait[0] + portrait[2] / 2) * scale, canvas['y'] + (portrait[1] + portrait[3] / 2) * scale)
        check(wait_for(driver, 'return mojara.forms().map((f) => f.name).join() === "Form2"', 10), 'a tap on a portrait starts a fight')

        # A fight by touch alone.
        check(wait_for(driver, 'return mojara.touchLayout().length === 10', 3), 'the fight shows its on-screen controls')
        time.sleep(3.5)  # the fight's opening words
        shot(driver, 'phone-fight-standing')
        _, controls = check_layout(driver, 'the fight standing', 390, 844)
        button = {c['command']: c for c in controls}
        # The presses go to the game through the page's one entry for commands: walk right held
        # repeats as a held key, a punch goes in while it is held. The computer fights back, so the walk
        # is seen in where the fighter gets to, not where it ends.
        def keys(name):
            return driver.execute_script('return mojara.commandCount(0, arguments[0])', {'RIGHT': 1, 'A': 3}[name])
        x0 = control(driver, 'Form2', 'GAZOU', 0)['box'][0]
        rights, punches = keys('RIGHT'), keys('A')
        fingers.press(1, *centre(button['walkRight']))
        xs, start = [], time.monotonic()
        while time.monotonic() - start < 1.0 or (max(xs) <= x0 + 20 and time.monotonic() - start < 6):
            xs.append(control(driver, 'Form2', 'GAZOU', 0)['box'][0])
            time.sleep(0.05)
        check(max(xs) > x0 + 20, f'walk right held walks the fighter on ({x0} to {max(xs)})')
        held = keys('RIGHT') - rights
        check(held >= 10, f'and repeats as a held key does ({held} presses in {time.monotonic() - start:.1f} s)')
        fingers.press(2, *centre(button['punch']))
        time.sleep(0.1)
        fingers.lift(2)
        time.sleep(0.2)
        still_held = keys('RIGHT') - rights - held
        fingers.lift(1)
        check(keys('A') - punches == 1, 'a punch while walking is one press of the punch key')
        check(still_held >= 3, f'and the walk goes on under it ({still_held} more presses)')
        time.sleep(0.2)
        after = keys('RIGHT')
        time.sleep(0.3)
        check(keys('RIGHT') == after, 'a lifted finger presses no more')
        fingers.tap(*centre(button['pause']))
        paused = wait_for(driver, 'const f = mojara.forms().find((f) => f.name === "Form2");'
                                  'const l = f && f.controls.find((c) => c.name === "Label2"); return l ? l.caption : ""', 2)
        check(paused == '待った！！', 'the pause button pauses the fight')
        still = control(driver, 'Form2', 'GAZOU', 1)['box']
        time.sleep(1.0)
        check(control(driver, 'Form2', 'GAZOU', 1)['box'] == still, 'nothing moves while it is paused')
        fingers.tap(*centre(button['pause']))
        check(wait_for(driver, 'const f = mojara.forms().find((f) => f.name === "Form2");'
                               'return f && !f.controls.some((c) => c.name === "Label2")', 2), 'and again resumes it')

        # Turned on its side, laid out again at once.
        emulate(driver, 844, 390)
        shot(driver, 'phone-fight-lying')
        check_layout(driver, 'the fight lying', 844, 390)
        emulate(driver, 390, 844)
        check_layout(driver, 'the fight standing again', 390, 844)
        errors = console_errors(driver)
        check(not errors, f'no console error on the phone {errors}')


def tablet(base):
    with chromium(mobile={'width': 1024, 'height': 768, 'pixelRatio': 2}) as driver:
        fingers = Fingers(driver)
        open_page(driver, base, '?seed=5&attract=off&versus=2,5')
        fingers.tap(512, 700)
        check(wait_for(driver, 'return mojara.touchLayout().length === 20', 5), 'two players each have their controls')
        time.sleep(0.5)
        shot(driver, 'tablet-versus')
        _, controls = check_layout(driver, 'two players on a tablet', 1024, 768, pads=2)
        left = [c['x'] for c in controls if c['player'] == 0]
        right = [c['x'] for c in controls if c['player'] == 1]
        check(left and right and max(left) < min(right), "player 1's on the left, player 2's on the right")
        errors = console_errors(driver)
        check(not errors, f'no console error on the tablet {errors}')
        # The title's close box ends the program; the page brings a fresh title back.
        open_page(driver, base, '?seed=5&attract=off')
        fingers.tap(512, 700)
        time.sleep(1.5)
        fingers.tap(*centre(rect_of(driver, 'section[data-form=Form3] .title button')))
        fresh = wait_for(driver, 'return mojara.forms().map((f) => f.name).join() === "Form3" && mojara.now() < 1000', 5)
        check(fresh, f'the close box brings a fresh title back ({names(driver)})')
        check(driver.execute_script('return mojara.touchLayout().length') == 0, 'with no controls over it')


with served(SITE) as BASE:
    phone(BASE)
    tablet(BASE)

print(f'screenshots in {SHOTS}')
if failures:
    print(f'{len(failures)} check(s) failed')
    sys.exit(1)
