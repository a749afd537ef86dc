#!/usr/bin/python3
"""The browser's site as a player meets it, in headless Chromium from a fresh profile: the title
painted with no console error, help, the select window by keyboard and mouse, a fight, continue,
the game over message box, English, a controller through a mocked navigator.getGamepads, the
settings kept over a reload, the first key starting the sounds, and the page's own bar and windows
in both languages.

  tests/web/smoke_test.py SITE_DIR [SCREENSHOT_DIR]

Serves SITE_DIR on 127.0.0.1 (a free port) for the run; every wait is bounded."""
import os
import sys
import tempfile
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import chromium, served  # noqa: E402

SITE = os.path.abspath(sys.argv[1])
SHOTS = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp(prefix='mojara-web-shots-')
os.makedirs(SHOTS, exist_ok=True)
failures = []


def check(ok, what):
    print(('ok   ' if ok else 'FAIL ') + what)
    if not ok:
        failures.append(what)


DOWNLOADS = tempfile.mkdtemp(prefix='mojara-downloads-')


def open_page(query):
    started = time.time()
    driver.get(BASE + query)
    answer = driver.execute_async_script(
        'const done = arguments[0]; mojara.ready.then(() => done("ok"), (e) => done("error: " + e.message))')
    return answer, time.time() - started


def forms():
    return driver.execute_script('return mojara.forms()')


def names():
    return [f['name'] for f in forms()]


def advance(ms):
    driver.execute_script(f'mojara.advance({ms})')


def key(code, k=''):
    driver.execute_script('mojara.key(arguments[0], arguments[1], 0)', code, k or code)


def shot(name):
    driver.save_screenshot(os.path.join(SHOTS, f'{name}.png'))


def errors():
    return [entry for entry in driver.get_log('browser') if entry['level'] == 'SEVERE']


def control(form_name, name, index=-1):
    for f in forms():
        if f['name'] == form_name:
            for c in f['controls']:
                if c['name'] == name and c['index'] == index:
                    return c
    return None


with served(SITE) as BASE, chromium(downloads=DOWNLOADS) as driver:
    driver.set_window_size(1280, 1000)
    # The title, painted, with its picture, button and caption where they belong.
    answer, took = open_page('?seed=5')
    check(answer == 'ok', f'the page loads ({took:.2f} s to the title)')
    check(names() == ['Form3'], 'the title window shows')
    check(control('Form3', 'Image1')['picture'] == {'file': 'title.png'}, "the title's picture")
    button = driver.find_element('css selector', 'section[data-form=Form3] button[data-control=Command1]')
    check(button.text == 'Ｐｌａｙ　Ｇａｍｅ', 'the Play Game button as a widget')
    check(driver.find_element('id', 'veil').is_displayed(), 'the title waits for a key or click')
    painted = driver.execute_script(
        'const c = document.querySelector("section[data-form=Form3] canvas");'
        'const d = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;'
        'let n = 0; for (let i = 0; i < d.length; i += 4) if (d[i] !== d[0] || d[i+1] !== d[1]) ++n; return n;')
    check(painted > 1000, "the title's canvas is painted")
    shot('title')
    check(not errors(), 'no console error')
    before = driver.execute_script('return mojara.now()')
    time.sleep(0.3)
    check(driver.execute_script('return mojara.now()') == before, "the game's clock waits for the first key")
    check(driver.execute_script('return mojara.audioState()') != 'running', 'no sound before it')
    ActionChains(driver).send_keys('x').perform()
    time.sleep(0.6)
    check(driver.execute_script('return mojara.now()') > before, 'the first key starts the clock')
    check(driver.execute_script('return mojara.audioState()') in ('running', 'idle'), 'and the sound')
    check(driver.execute_script('return document.querySelector("#veil").hidden'), 'and takes the line away')
    check(driver.execute_script('return mojara.scene() !== null && window.mojara.soundLog !== undefined'), 'the hooks are there')

    # Settings survive a reload: the music a step softer, kept in the browser's storage.
    ActionChains(driver).send_keys('[').perform()
    time.sleep(0.2)
    check(driver.execute_script('return mojara.scene().levels.musicLevel') == 7, 'the [ key turns the music down')
    answer, _ = open_page('?seed=5&clock=virtual')
    check(driver.execute_script('return mojara.scene().levels.musicLevel') == 7, 'the level survives a reload')

    # Help, the select window by the keyboard, a fight, continue and the game over message box.
    key('F1')
    advance(300)
    check(names() == ['Form3', 'Form4'], 'F1 shows the help')
    shot('help')
    key('Escape')
    advance(300)
    key('Enter')
    advance(3000)
    check(names() == ['Form5'], 'Enter on the title opens the select window')
    # And the mouse: back to the title, then a click on Play Game. (A controller has played on this
    # site before, so the page listens for one all the time.)
    driver.execute_script("localStorage.setItem('mojara.controllers', '1')")
    open_page('?seed=5&clock=virtual')
    driver.find_element('tag name', 'body').click()  # the first click starts the sound and the clock
    driver.find_element('css selector', 'section[data-form=Form3] button[data-control=Command1]').click()
    advance(3000)
    check(names() == ['Form5'], 'a click on Play Game opens the select window')
    shot('select')
    canvas = driver.find_element('css selector', 'section[data-form=Form5] canvas')
    rect = driver.execute_script('return arguments[0].getBoundingClientRect().toJSON()', canvas)
    scale = rect['width'] / [f for f in forms() if f['name'] == 'Form5'][0]['width']
    portrait = control('Form5', 'KYARA', 1)['box']
    ActionChains(driver).move_to_element_with_offset(
        canvas, (portrait[0] + portrait[2] / 2) * scale - rect['width'] / 2,
        (portrait[1] + portrait[3] / 2) * scale - rect['height'] / 2).click().perform()
    advance(2500)
    check(names() == ['Form2'], 'a click on a portrait starts a fight')
    shot('battle')
    # The arrow keys move the fighter; P pauses and resumes.
    advance(4000)
    left = control('Form2', 'GAZOU', 0)
    x0 = left['box'][0] if left else None
    for _ in range(8):
        key('ArrowRight')
        advance(110)
    moved = control('Form2', 'GAZOU', 0)
    check(left is not None and moved['box'][0] > x0, 'the right arrow walks the fighter')
    # The space bar pauses: "待った！！" shows and nothing moves, until it is pressed again.
    key('Space', ' ')
    advance(200)
    paused = control('Form2', 'Label2')
    check(paused is not None and paused['caption'] == '待った！！', 'the space bar pauses the fight')
    still = (control('Form2', 'GAZOU', 0)['box'], control('Form2', 'GAZOU', 1)['box'])
    advance(3000)
    check((control('Form2', 'GAZOU', 0)['box'], control('Form2', 'GAZOU', 1)['box']) == still,
          'nothing moves while it is paused')
    key('Space', ' ')
    advance(200)
    check(control('Form2', 'Label2') is None, 'and the space bar again resumes it')
    # A controller: a mocked gamepad holding the d-pad left.
    driver.execute_script('''
        const pad = {index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
                     buttons: Array.from({length: 17}, (_, i) => ({pressed: i === 14, value: i === 14 ? 1 : 0}))};
        navigator.getGamepads = () => [pad, null, null, null];
        window.dispatchEvent(new Event('gamepadconnected'));
        mojara.clock = 'real';''')
    ActionChains(driver).send_keys('x').perform()  # a key from the player: the real clock runs again
    x1 = control('Form2', 'GAZOU', 0)['box'][0]
    time.sleep(1.2)
    check(control('Form2', 'GAZOU', 0)['box'][0] < x1, 'a controller held left walks the fighter back')
    driver.execute_script("navigator.getGamepads = () => [null, null, null, null]; mojara.clock = 'virtual';")
    check(any(s['file'] in ('music2.ogg', 'music2.mp3') and s['started'] for s in driver.execute_script('return mojara.soundLog()')),
          'the fight starts the music on a node of the browser')
    for _ in range(120):
        advance(2000)
        if 'Form6' in names():
            break
    check(names() == ['Form6'], 'a lost fight leads to the continue window')
    shot('continue')
    for _ in range(20):
        advance(1000)
        if driver.execute_script('return mojara.scene().messageBox'):
            break
    box = driver.execute_script('return mojara.scene().messageBox')
    check(box is not None, 'the continue window runs out into the game over message box')
    shot('game-over')
    key('Enter')
    advance(4000)
    check(driver.execute_script('return mojara.scene().messageBox') is None, 'Enter closes the message box')
    print('after game over:', names())

    # English: ?lang=en shows the catalogue's texts.
    answer, _ = open_page('?seed=5&clock=virtual&lang=en')
    check(control('Form3', 'Command1')['caption'] == 'Play Game', '?lang=en shows English')
    shot('title-en')
    check(not errors(), 'no console error in English')

    # A tab in the background pauses the game: back in front, it goes on from where it was
    # instead of catching up in a burst.
    open_page('?seed=5&attract=off')
    driver.find_element('tag name', 'body').click()
    time.sleep(0.3)
    front = driver.current_window_handle
    before = driver.execute_script('return [mojara.now(), performance.now()]')
    driver.switch_to.new_window('tab')
    time.sleep(2)
    driver.close()
    driver.switch_to.window(front)
    after = driver.execute_script('return [mojara.now(), performance.now()]')
    check(after[1] - before[1] > 2000 and after[0] - before[0] < 600,
          f'a tab in the background pauses the game ({after[0] - before[0]:.0f} ms of game in '
          f'{after[1] - before[1]:.0f} ms)')

    # A fight recorded, saved as a download, and opened again as a replay from the title.
    open_page('?seed=5&clock=virtual&record=1&fight=1,2&demo')
    driver.find_element('tag name', 'body').click()
    for _ in range(100):
        advance(2000)
        if names() == ['Form3']:
            break
    driver.find_element('id', 'save-replay').click()
    saved = []
    for _ in range(50):
        # Chromium writes a download under a name of its own first, then renames it.
        saved = [f for f in os.listdir(DOWNLOADS) if f.endswith('.txt')]
        if saved:
            break
        time.sleep(0.1)
    check(len(saved) == 1 and open(os.path.join(DOWNLOADS, saved[0])).read().startswith('# mojara replay'),
          'a recorded fight is saved as a replay file')
    if saved:
        open_page('?seed=5&clock=virtual')
        driver.find_element('id', 'replay-file').send_keys(os.path.join(DOWNLOADS, saved[0]))
        for _ in range(20):
            time.sleep(0.1)
            advance(500)
            if 'Form2' in names():
                break
        check(names() == ['Form2'], 'and the replay file plays the fight again')

    # The page's own bar and windows in the core's words: the game's own in Japanese, and in
    # English no Japanese left (the language menu's names aside).
    def japanese(text):
        return any(0x3000 <= ord(c) <= 0x9FFF or 0xFF00 <= ord(c) <= 0xFFEF for c in text)

    for lang in ('ja', 'en'):
        open_page(f'?seed=5&clock=virtual&lang={lang}')
        driver.execute_script('return mojara.begin()')
        texts = {'bar': driver.execute_script(
            'return [...document.querySelectorAll("[data-word]")].map((e) => e.textContent).join("/")')}
        for name, f_key, kind in (('versus', 'F3', 'versus'), ('keys', 'F2', 'key-settings')):
            key(f_key)
            advance(300)
            shot(f'{name}-{lang}')
            texts[name] = driver.execute_script(
                f'const d = document.querySelector(".dialog.{kind}"); return d ? d.innerText : ""')
            ActionChains(driver).send_keys(Keys.ESCAPE).perform()
        for name, text in texts.items():
            check(text and japanese(text) == (lang == 'ja'), f'the {name} in {lang}: {text!r}')
        check(not errors(), f'no console error in {lang}')


print(f'screenshots in {SHOTS}')
if failures:
    print(f'{len(failures)} check(s) failed')
    sys.exit(1)
