// The page: loads the game's module and files, runs its clock (waking when the game's next timer
// is due), hands it the player's keys, taps, clicks and controllers, lays its windows out on the
// screen, paints what they show and plays what they sound.
import { Core } from './core.js';
import { GameAudio } from './audio.js';
import { Painter, largestScale, windowSize } from './painter.js';
import { Gamepads } from './gamepads.js';
import { Dialogs } from './dialogs.js';
import { TouchControls } from './touch.js';
import { keepOffline } from './offline.js';

const params = new URLSearchParams(location.search);
const FOLDER = '/game';  // where the game finds its sound files
const SETTINGS_KEY = 'mojara.settings';
const LANG_KEY = 'mojara.lang';
const LONGEST_FRAME_MS = 250;
const PAD_FRAME_MS = 16;  // how often the controllers are read while one is plugged in
// The battle window's client area (form pixels), the largest of the windows, which the scale fits.
const BATTLE_CLIENT = [7635 / 15, 5220 / 15];
// Below this size (CSS pixels) the page's bar folds into a menu button, which takes this much
// room over the windows.
const FOLD_WIDTH = 900, FOLD_HEIGHT = 560, MENU_ROOM = 36;

const status = document.getElementById('status');
const desktop = document.getElementById('desktop');
const veil = document.getElementById('veil');
const bar = document.getElementById('bar');
const menuButton = document.getElementById('menu-button');

function storage() {
  try { return window.localStorage; } catch (e) { return null; }
}

async function fetchOk(path) {
  const response = await fetch(path);
  if (!response.ok) throw new Error(`cannot load ${path} (${response.status})`);
  return response;
}

function loadImage(path) {
  return new Promise((resolve, reject) => {
    const image = new Image();
    image.onload = () => resolve(image);
    image.onerror = () => reject(new Error(`cannot load the picture ${path}`));
    image.src = path;
  });
}

function modifiers(e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); }

class Page {
  constructor() {
    this.virtual = params.get('clock') === 'virtual';
    this.gameNow = 0;  // the game's clock, ms
    this.base = null;  // performance.now() at game time 0, moved on by every pause
    this.timer = null;  // the wake-up for the game's next timer
    this.wakeAt = null;  // when it was meant to come, performance.now()
    this.started = false;
    this.forms = [];
    this.scene = null;
    this.players = 0;  // who fights at the page now, as the core says
    this.commands = [];  // the last commands given, [player, row], for checks
    this.audio = new GameAudio();
  }

  async load() {
    const store = storage();
    const lang = params.get('lang') || (store && store.getItem(LANG_KEY)) || 'ja';
    this.lang = lang === 'en' ? 'en' : 'ja';
    document.documentElement.lang = this.lang;
    const module = await window.createMojara({ print: (t) => console.log(t), printErr: (t) => console.warn(t) });
    this.core = new Core(module);
    const manifest = await (await fetchOk('assets/manifest.json')).json().catch(() => ({}));
    const fonts = await (await fetchOk('assets/fonts/fonts.json')).json();
    // The sound files the game reads (their lengths are part of the rules) go into its folder; the
    // page plays the same files, and the music's rendering.
    const vorbis = document.createElement('audio').canPlayType('audio/ogg; codecs="vorbis"') !== '';
    this.musicFile = vorbis ? 'music2.ogg' : 'music2.mp3';
    const soundFiles = ['music2.mid', 'snd1.wav', 'snd2.wav', 'beep.wav'];
    await Promise.all([...soundFiles, this.musicFile].map(async (file) => {
      const bytes = await (await fetchOk(`assets/sounds/${file}`)).arrayBuffer();
      if (soundFiles.includes(file)) this.core.writeFile(`${FOLDER}/${file}`, new Uint8Array(bytes));
      if (file !== 'music2.mid') this.audio.keep(file, bytes);
    }));
    const catalogue = this.lang === 'en' ? await (await fetchOk('assets/locale/en.json')).json() : null;
    this.options = {
      folder: FOLDER,
      lang: this.lang,
      attract: params.get('attract') !== 'off',
      record: params.has('record'),  // the box is set from the address once the page is up
    };
    if (catalogue) this.options.catalogue = catalogue;
    if (params.has('seed')) this.options.seed = Number(params.get('seed'));
    if (params.has('fight')) this.options.fight = params.get('fight').split(',').map(Number);
    if (params.has('versus')) this.options.versus = params.get('versus').split(',').map(Number);
    if (params.has('demo')) this.options.demo = true;
    // The headless runner's event lines and fight traces, kept for the checks (mojara.log()).
    if (params.has('log')) this.options.log = true;
    if (params.has('timer-resolution')) this.options.timerResolution = Number(params.get('timer-resolution'));
    const started = this.startCore();
    this.fighters = started.fighters;
    this.shownLang = started.lang;
    // What the page itself says (its bar, its start line, its own windows), in the player's language.
    this.words = started.words;
    // The sounds a hit lands with, for the phone's buzz.
    this.hitSounds = new Set(started.assets.sounds.slice(1, 3));
    document.title = this.word('gameName');
    desktop.setAttribute('aria-label', this.word('gameName'));
    // Every picture, before the first window shows.
    const pictures = { files: new Map() };
    const { store: storeInfo, screen } = started.assets;
    pictures.store = { ...storeInfo, image: await loadImage(`assets/pictures/${storeInfo.file}`) };
    await Promise.all(screen.map(async (file) => pictures.files.set(file, await loadImage(`assets/pictures/${file}`))));
    await Promise.all(Object.values(fonts).filter((v, i, all) => all.indexOf(v) === i)
      .flatMap((family) => ['', 'italic '].map((style) => document.fonts.load(`${style}16px "${family}"`).catch(() => null))));
    this.painter = new Painter(desktop, pictures, fonts, this);
    this.dialogs = new Dialogs(this);
    this.gamepads = new Gamepads(this, store);
    this.touch = new TouchControls(this, store);
    this.layout();
    this.take(started.scene);
    this.manifest = manifest;
    this.wire();
    if (this.virtual) {
      this.started = true;
    } else {
      veil.querySelector('p').textContent = this.word(this.touch.coarse.matches ? 'tapLine' : 'startLine');
      veil.hidden = false;
    }
  }

  // The game started afresh from the options the page was opened with, and the settings kept.
  startCore() {
    const store = storage();
    const options = { ...this.options, settings: (store && store.getItem(SETTINGS_KEY)) || '' };
    const started = this.core.call('start', JSON.stringify(options));
    if (started.error) throw new Error(started.error);
    return started;
  }

  // The windows at the largest scale at which the battle window (the largest) fits the room the
  // page leaves them, in whole pixels of the screen where it is large enough, smaller where even
  // scale 1 would not fit; on a touch screen the fight's controls beside them (lying) or under
  // them (standing). A small screen folds the page's bar into a menu button.
  layout() {
    const width = window.innerWidth, height = window.innerHeight;
    const coarse = this.touch.coarse.matches;
    const folded = coarse || width < FOLD_WIDTH || height < FOLD_HEIGHT;
    document.body.classList.toggle('folded', folded);
    menuButton.hidden = !folded;
    const room = this.touch.room(width, height);
    const beside = room.left > 0;
    const top = folded ? (beside ? 0 : MENU_ROOM) : bar.offsetHeight;
    const area = { left: room.left, top, width: width - room.left - room.right, height: height - top - room.bottom };
    const [w, h] = BATTLE_CLIENT;
    const ratio = window.devicePixelRatio || 1;
    let pixels = Math.max(0.05, largestScale(w, h, area.width, area.height) * ratio);
    if (pixels >= 1) pixels = Math.floor(pixels);
    let scale = pixels / ratio;
    const asked = Number(params.get('scale'));
    if (asked >= 1 && asked <= 8) scale = Math.min(asked, scale);
    // Standing, the windows keep to the height the battle window needs, and the controls take the rest.
    if (room.bottom) area.height = Math.min(area.height, Math.ceil(windowSize(w, h, scale)[1]));
    this.area = area;
    this.painter.setLayout(scale, ratio, area);
    this.touch.show(this.players, { width, height }, area);
  }

  // The first key, tap or controller button starts the game's clock, and (where the browser lets
  // it) its sound.
  begin() {
    const sound = this.unlockSound();
    if (!this.started) {
      veil.hidden = true;
      this.started = true;
      this.base = performance.now() - this.gameNow;
      this.gamepads.update();
      this.wake();
    }
    return sound;
  }

  // Called in the handler of every key and tap, as Safari wants, until the sound runs.
  unlockSound() { return this.audio.unlocked ? Promise.resolve() : this.audio.start(); }

  // Whether the game runs on the real clock now.
  running() { return this.started && !this.virtual && !document.hidden && !this.ended; }

  // The page sleeps until the game's next timer is due (or input comes), reading the controllers
  // at every frame only while one is plugged in; a wake-up later than LONGEST_FRAME_MS (the page
  // was busy, the browser held it back) does not run the game on in a burst: the time beyond it
  // is taken as a pause.
  wake() {
    clearTimeout(this.timer);
    this.timer = null;
    if (!this.gamepads) return;
    if (!this.started && this.gamepads.active && !this.virtual) {
      this.timer = setTimeout(() => { this.timer = null; this.gamepads.poll(performance.now()); this.wake(); }, PAD_FRAME_MS);
      return;
    }
    if (!this.running()) return;
    const due = this.core.nextDue();
    let wait = due < 0 ? Infinity : due - (performance.now() - this.base);
    if (this.gamepads.active) wait = Math.min(wait, PAD_FRAME_MS);
    if (wait === Infinity) return;
    wait = Math.max(0, wait);
    this.wakeAt = performance.now() + wait;
    this.timer = setTimeout(() => this.tick(), wait);
  }

  tick() {
    this.timer = null;
    const real = performance.now();
    if (this.wakeAt !== null && real - this.wakeAt > LONGEST_FRAME_MS) this.base += real - this.wakeAt - LONGEST_FRAME_MS;
    this.wakeAt = null;
    if (this.gamepads.active) this.gamepads.poll(real);
    if (this.running()) this.frame(Math.max(this.gameNow, real - this.base));
  }

  frame(ms) {
    this.gameNow = ms;
    this.take(this.core.call('frame', ms));
  }

  // A background tab pauses the game: its clock stops rather than catching up in a burst.
  visibility() {
    if (document.hidden) {
      this.hiddenAt = performance.now();
      this.audio.pause();
      clearTimeout(this.timer);
      this.timer = null;
    } else {
      if (this.hiddenAt !== undefined && this.base !== null) this.base += performance.now() - this.hiddenAt;
      this.hiddenAt = undefined;
      this.wakeAt = null;
      if (this.started) this.audio.resume();
      this.wake();
    }
  }

  // What the core answered: draw it, sound it, and do what it asks.
  take(scene) {
    if (!scene || scene.error) { if (scene) console.error(`mojara: ${scene.error}`); return; }
    this.scene = scene;
    if (scene.forms) { this.forms = scene.forms; this.painter.paint(scene.forms); }
    this.painter.showNotices(scene.notices, scene.marks);
    this.dialogs.messageBox(scene.messageBox);
    if (scene.levels) this.audio.setLevels(scene.levels);
    this.audio.handle(scene.sounds, scene.time, this.musicFile);
    if (scene.sounds.some((s) => s.type === 'play' && this.hitSounds.has(s.file))) this.touch.buzz();
    if (scene.players !== undefined && scene.players !== this.players) {
      this.players = scene.players;
      this.touch.show(this.players, { width: window.innerWidth, height: window.innerHeight }, this.area);
    }
    for (const request of scene.requests) this.request(request);
    if (scene.ended && !this.ended) this.programEnded();
    this.wake();
  }

  // The end of the program (a close box, the staff roll's end) brings a fresh title back, as a
  // reload would. The checks that read the runner's log keep the end, as the runner does.
  programEnded() {
    this.audio.stopAll();
    this.dialogs.forget();
    if (this.options.log) {
      this.ended = true;
      this.painter.paint([]);
      this.audio.pause();
      return;
    }
    const started = this.startCore();
    this.gameNow = 0;
    this.base = performance.now();
    this.wakeAt = null;
    this.take(started.scene);
  }

  request(r) {
    const store = storage();
    if (r.type === 'saveSettings') {
      try { if (store) store.setItem(SETTINGS_KEY, r.text); } catch (e) { console.warn(`mojara: cannot keep the settings: ${e}`); }
    } else if (r.type === 'fullScreen') {
      this.toggleFullScreen();
    } else if (r.type === 'openKeySettings') {
      this.dialogs.keySettings();
    } else if (r.type === 'openVersus') {
      this.dialogs.versus(r.text, r.words);
    }
  }

  toggleFullScreen() {
    const root = document.documentElement;
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else if (root.requestFullscreen) root.requestFullscreen().catch(() => {});
    else if (root.webkitRequestFullscreen) root.webkitRequestFullscreen();
  }

  // Input from anywhere (the keyboard, a click on a widget, a controller, the on-screen buttons),
  // handled at the game's time now: the timers due before it fire first.
  send(name, ...args) {
    if (!this.started) return null;
    if (this.running() && this.base !== null) {
      const now = performance.now() - this.base;
      if (now > this.gameNow) this.frame(now);
    }
    const answer = this.core.call(name, ...args);
    this.take(answer);
    return answer;
  }
  click(form, control, index) { this.send('click', form, control, index); }
  choose(form, control, index, listIndex) { this.send('choose', form, control, index, listIndex); }
  change(form, control, index, value) { this.send('change', form, control, index, value); }
  closeRequest(form) { this.send('close', form); }
  // A game command of `player` (0 or 1) by its row in the key-settings window's list, whatever
  // gives it: the on-screen buttons play so.
  command(player, command) {
    this.commands.push([player, command]);
    if (this.commands.length > 1000) this.commands.splice(0, 500);
    this.send('command', player, command);
  }

  // A touch on a window works as the mouse does: the pointer moves to the finger first, so a tap
  // on a portrait picks it as a click there does.
  watchCanvas(canvas, form, scale) {
    const at = (e) => {
      const r = canvas.getBoundingClientRect();
      return [(e.clientX - r.left) / scale(), (e.clientY - r.top) / scale()];
    };
    const buttonOf = (b) => (b === 0 ? 1 : b === 2 ? 2 : b === 1 ? 4 : 0);
    const buttonsOf = (bs) => (bs & 1 ? 1 : 0) | (bs & 2 ? 2 : 0) | (bs & 4 ? 4 : 0);
    canvas.addEventListener('pointerdown', (e) => {
      if (!this.started) return;
      e.preventDefault();
      const [x, y] = at(e);
      if (e.pointerType !== 'mouse') this.send('mouseMove', form, x, y, 0);
      this.send('mouseDown', form, x, y, buttonOf(e.button));
    });
    canvas.addEventListener('pointermove', (e) => {
      if (!this.started) return;
      const [x, y] = at(e);
      this.send('mouseMove', form, x, y, buttonsOf(e.buttons));
    });
  }

  keyDown(e) {
    if (this.dialogs.takesKey(e)) return;
    // The browser's own keys stay the browser's: reload, its developer tools, copying.
    if (e.metaKey || e.code === 'F5' || e.code === 'F12' || (e.ctrlKey && !e.altKey && e.code !== 'ControlLeft' && e.code !== 'ControlRight')) return;
    e.preventDefault();
    if (!this.started) { this.begin(); return; }
    this.unlockSound();
    this.send('keyDown', e.code, e.key, modifiers(e));
  }

  wire() {
    document.addEventListener('keydown', (e) => this.keyDown(e));
    // Any tap or click gives the page its sound, in the gesture's own handler (Safari starts it
    // only from the end of a touch or a click), and the first starts the game.
    document.addEventListener('pointerdown', () => { if (!this.started) this.begin(); }, true);
    for (const type of ['pointerup', 'touchend', 'click']) document.addEventListener(type, () => this.unlockSound(), true);
    // Long presses and swipes inside the game are the game's: no menu, no selection, no going back.
    document.addEventListener('contextmenu', (e) => e.preventDefault());
    document.addEventListener('visibilitychange', () => this.visibility());
    window.addEventListener('resize', () => this.layout());
    window.addEventListener('orientationchange', () => this.layout());
    if (window.visualViewport) window.visualViewport.addEventListener('resize', () => this.layout());
    document.addEventListener('fullscreenchange', () => this.layout());
    const coarse = this.touch.coarse;
    if (coarse.addEventListener) coarse.addEventListener('change', () => this.layout());
    this.wireBar();
  }

  wireBar() {
    const langs = document.getElementById('lang');
    langs.value = this.shownLang;
    langs.addEventListener('change', () => {
      const store = storage();
      if (store) store.setItem(LANG_KEY, langs.value);
      const next = new URLSearchParams(location.search);
      next.set('lang', langs.value);
      location.search = next.toString();
    });
    document.querySelectorAll('[data-word]').forEach((el) => { el.textContent = this.word(el.dataset.word); });
    menuButton.title = this.word('menu');
    menuButton.setAttribute('aria-label', this.word('menu'));
    menuButton.addEventListener('click', () => {
      const open = !document.body.classList.contains('menu-open');
      document.body.classList.toggle('menu-open', open);
      menuButton.setAttribute('aria-expanded', String(open));
    });
    const file = document.getElementById('replay-file');
    document.getElementById('open-replay').addEventListener('click', () => file.click());
    file.addEventListener('change', async () => {
      if (!file.files.length) return;
      const text = await file.files[0].text();
      file.value = '';
      this.begin();
      this.send('playReplay', text);
    });
    const record = document.getElementById('record');
    record.addEventListener('change', () => {
      status.textContent = this.word('recordsNextLoad');
      const next = new URLSearchParams(location.search);
      if (record.checked) next.set('record', '1'); else next.delete('record');
      history.replaceState(null, '', `?${next}`);
    });
    record.checked = params.has('record');
    const save = document.getElementById('save-replay');
    save.disabled = !record.checked;
    save.addEventListener('click', () => this.saveReplay());
    const full = document.getElementById('full-screen');
    const root = document.documentElement;
    full.hidden = !(root.requestFullscreen || root.webkitRequestFullscreen);
    full.addEventListener('click', () => this.toggleFullScreen());
    // The on-screen controls' settings, kept by the page.
    const touchSettings = document.getElementById('touch-settings');
    const fields = { mode: 'touch-mode', size: 'touch-size', side: 'touch-side' };
    const shown = () => { touchSettings.hidden = !this.touch.enabled; };
    for (const [name, id] of Object.entries(fields)) {
      const select = document.getElementById(id);
      select.value = this.touch.settings[name];
      select.addEventListener('change', () => { this.touch.change(name, select.value); shown(); this.layout(); });
    }
    const vibrate = document.getElementById('touch-vibrate');
    vibrate.checked = this.touch.settings.vibrate;
    vibrate.parentElement.hidden = !navigator.vibrate;
    vibrate.addEventListener('change', () => this.touch.change('vibrate', vibrate.checked));
    shown();
  }

  // The fights recorded this visit, the last one as a file the player keeps.
  saveReplay() {
    const files = this.core.listFolder(FOLDER).filter((f) => f.startsWith('replay')).sort((a, b) => {
      const n = (f) => Number((f.match(/-(\d+)\./) || [0, 1])[1]);
      return n(a) - n(b);
    });
    if (!files.length) { status.textContent = this.word('nothingRecorded'); return; }
    const name = files[files.length - 1];
    const blob = new Blob([this.core.readFile(`${FOLDER}/${name}`)], { type: 'text/plain' });
    const link = Object.assign(document.createElement('a'), { href: URL.createObjectURL(blob), download: `mojara-${name}` });
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  // One of the page's words (play/texts/page_words.cpp) by its name, as the core handed it.
  word(name) {
    const text = this.words[name];
    if (text === undefined) console.error(`mojara: the core has no word "${name}" for the page`);
    return text ?? '';
  }
}

// What the browser tests use: the page's clock, what the game shows and what the page played.
const page = new Page();
let resolveReady, rejectReady;
const ready = new Promise((resolve, reject) => { resolveReady = resolve; rejectReady = reject; });
window.mojara = {
  ready,
  get clock() { return page.virtual ? 'virtual' : 'real'; },
  set clock(kind) {
    page.virtual = kind === 'virtual';
    if (!page.virtual) page.base = performance.now() - page.gameNow;
    page.wakeAt = null;
    page.wake();
  },
  // Moves the game's clock on by `ms`, firing every timer due on the way, as the pump does.
  advance(ms) { page.frame(page.gameNow + ms); return page.gameNow; },
  advanceTo(ms) { page.frame(Math.max(page.gameNow, ms)); return page.gameNow; },
  // Fires the next timer due, alone: false when none runs.
  step() {
    const due = page.core.nextDue();
    if (due < 0) return false;
    page.take(page.core.call('step'));
    page.gameNow = Math.max(page.gameNow, due);
    return true;
  },
  // A line of the whole-game script's syntax ("click Form3.Command1", "key LEFT"), carried out as
  // the page's own input; throws what the game refused.
  input(line) {
    const answer = page.send('input', line);
    if (answer && answer.error) throw new Error(answer.error);
    return true;
  },
  // With ?log: the headless runner's event lines so far; with a reason ('until'), the end line
  // written first. trace(): the lines of the fights played, as the runner's --trace prints them.
  log(endReason = '') { return page.core.log(endReason); },
  trace() { return page.core.trace(); },
  // The game's clock now: on the real clock it runs on between the page's wake-ups.
  now() { return page.running() ? Math.max(page.gameNow, performance.now() - page.base) : page.gameNow; },
  forms() { return page.core.call('scene').forms; },
  scene() { return page.scene; },
  soundLog() { return page.audio.log.slice(); },
  // 'none' before the first key or tap, 'running', 'idle' while it rests with nothing to sound,
  // or 'suspended' where the browser still waits for a gesture.
  audioState() { return page.audio.state; },
  key(code, key = '', shift = 0) { page.send('keyDown', code, key, shift); },
  command(player, command) { page.command(player, command); },
  begin() { return page.begin(); },
  // The on-screen controls shown: [{command, x, y, width, height}] in CSS pixels (and the player
  // of each when two players have theirs).
  touchLayout() { return page.touch.layout(); },
  // How many commands of `player`'s `row` the page has given the game so far.
  commandCount(player, row) { return page.commands.filter(([p, r]) => p === player && r === row).length; },
  // Where the windows are, in CSS pixels.
  windowRects() { return page.painter.windowRects(); },
  runHeadless: (args, files) => runHeadless(args, files),
};

// The headless runner inside the page: a module of its own, fresh for every run, with the game's
// sound files in its folder as the native runner has them beside it.
// `files` ({name: text}) are written beside them first, for the runner's --keys and scripts.
async function runHeadless(args, files = {}) {
  if (!window.createMojaraSim) {
    await new Promise((resolve, reject) => {
      const script = Object.assign(document.createElement('script'), { src: 'mojara-sim-web.js' });
      script.onload = resolve;
      script.onerror = () => reject(new Error('cannot load mojara-sim-web.js'));
      document.head.append(script);
    });
  }
  let out = '', err = '';
  const sim = await window.createMojaraSim({ noInitialRun: true, print: (t) => { out += `${t}\n`; }, printErr: (t) => { err += `${t}\n`; } });
  for (const file of ['music2.mid', 'snd1.wav', 'snd2.wav', 'beep.wav']) {
    const bytes = new Uint8Array(await (await fetchOk(`assets/sounds/${file}`)).arrayBuffer());
    try { sim.FS.mkdir(FOLDER); } catch (e) { /* there already */ }
    sim.FS.writeFile(`${FOLDER}/${file}`, bytes);
  }
  for (const [name, text] of Object.entries(files)) sim.FS.writeFile(`${FOLDER}/${name}`, text);
  sim.FS.chdir(FOLDER);
  let status = 0;
  try { status = sim.callMain(args); } catch (e) { status = e.status ?? 1; }
  return { status, stdout: out, stderr: err };
}

// Kept for offline play once every file the page needs has been read, so a new version of the
// site never mixes with the old.
page.load().then(() => resolveReady(true)).catch((e) => {
  console.error(`mojara: ${e.message}`);
  status.textContent = e.message;
  rejectReady(e);
}).finally(() => keepOffline());
