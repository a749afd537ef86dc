// The page: loads the game's module and files, runs its clock on requestAnimationFrame, hands it
// the player's keys, clicks and controllers, paints what it shows and plays what it sounds.
import { Core } from './core.js';
import { GameAudio } from './audio.js';
import { Painter } from './painter.js';
import { Gamepads } from './gamepads.js';
import { Dialogs } from './dialogs.js';

const params = new URLSearchParams(location.search);
const FOLDER = '/game';  // where the game finds its sound files
const SETTINGS_KEY = 'mojara.settings';
const LANG_KEY = 'mojara.lang';
// A frame later than this (the page was busy, or the browser held it back) does not run the game
// on in a burst: the time beyond it is taken as a pause.
const LONGEST_FRAME_MS = 250;

const status = document.getElementById('status');
const desktop = document.getElementById('desktop');
const veil = document.getElementById('veil');

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
    this.lastReal = null;
    this.started = false;
    this.forms = [];
    this.scene = null;
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
    const options = {
      folder: FOLDER,
      lang: this.lang,
      settings: (store && store.getItem(SETTINGS_KEY)) || '',
      attract: params.get('attract') !== 'off',
      record: params.has('record'),  // the box is set from the address once the page is up
    };
    if (catalogue) options.catalogue = catalogue;
    if (params.has('seed')) options.seed = Number(params.get('seed'));
    if (params.has('fight')) options.fight = params.get('fight').split(',').map(Number);
    if (params.has('versus')) options.versus = params.get('versus').split(',').map(Number);
    if (params.has('demo')) options.demo = true;
    // The headless runner's event lines and fight traces, kept for the checks (mojara.log()).
    if (params.has('log')) options.log = true;
    if (params.has('timer-resolution')) options.timerResolution = Number(params.get('timer-resolution'));
    const started = this.core.call('start', JSON.stringify(options));
    if (started.error) throw new Error(started.error);
    this.fighters = started.fighters;
    this.shownLang = started.lang;
    // What the page itself says (its bar, its start line, its own windows), in the player's language.
    this.words = started.words;
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
    this.gamepads = new Gamepads(this);
    this.fitScale();
    this.take(started.scene);
    this.manifest = manifest;
    this.wire();
    if (this.virtual) {
      this.started = true;
    } else {
      veil.querySelector('p').textContent = this.word('startLine');
      veil.hidden = false;
    }
    requestAnimationFrame((t) => this.pump(t));
  }

  // The largest whole scale at which the battle window (the largest) fits the browser's window.
  fitScale() {
    const area = desktop.getBoundingClientRect();
    const w = 7635 / 15 + 8, h = 5220 / 15 + 30;
    const fit = Math.max(1, Math.floor(Math.min(area.width / w, area.height / h)));
    const asked = Number(params.get('scale'));
    this.painter.setScale(asked >= 1 && asked <= 8 ? Math.min(asked, fit) : fit);
  }

  // The first key or click gives the page its sound, and starts the game's clock.
  async begin() {
    if (this.started && this.audio.context) return;
    veil.hidden = true;
    await this.audio.start();
    if (!this.started) {
      this.started = true;
      this.base = performance.now() - this.gameNow;
      this.lastReal = null;
    }
  }

  pump(real) {
    requestAnimationFrame((t) => this.pump(t));
    if (!this.started || this.virtual || document.hidden || this.ended) return;
    if (this.base === null) this.base = real - this.gameNow;
    if (this.lastReal !== null && real - this.lastReal > LONGEST_FRAME_MS) this.base += real - this.lastReal - LONGEST_FRAME_MS;
    this.lastReal = real;
    this.gamepads.poll(real);
    this.frame(Math.max(this.gameNow, real - this.base));
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
    } else {
      if (this.hiddenAt !== undefined && this.base !== null) this.base += performance.now() - this.hiddenAt;
      this.hiddenAt = undefined;
      this.lastReal = null;
      if (this.started) this.audio.resume();
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
    for (const request of scene.requests) this.request(request);
    if (scene.ended && !this.ended) {
      this.ended = true;
      status.textContent = this.word('ended');
      this.painter.paint([]);
      this.audio.pause();
    }
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
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen().catch(() => {});
  }

  // Input from anywhere (the keyboard, a click on a widget, a controller, on-screen buttons later).
  send(name, ...args) {
    if (!this.started) return null;
    const answer = this.core.call(name, ...args);
    this.take(answer);
    return answer;
  }
  click(form, control, index) { this.send('click', form, control, index); }
  choose(form, control, index, listIndex) { this.send('choose', form, control, index, listIndex); }
  change(form, control, index, value) { this.send('change', form, control, index, value); }
  closeRequest(form) { this.send('close', form); }
  // A game command of `player` (0 or 1) by its index in the key-settings window's list, whatever
  // gives it: the way on-screen buttons would play.
  command(player, command) { this.send('command', player, command); }

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
      this.send('mouseDown', form, x, y, buttonOf(e.button));
    });
    canvas.addEventListener('pointermove', (e) => {
      if (!this.started) return;
      const [x, y] = at(e);
      this.send('mouseMove', form, x, y, buttonsOf(e.buttons));
    });
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  keyDown(e) {
    if (this.dialogs.takesKey(e)) return;
    // The browser's own keys stay the browser's: reload, its developer tools, copying.
    if (e.metaKey || e.code === 'F5' || e.code === 'F12' || (e.ctrlKey && !e.altKey && e.code !== 'ControlLeft' && e.code !== 'ControlRight')) return;
    e.preventDefault();
    if (!this.started) { this.begin(); return; }
    if (!this.audio.context) this.begin();
    this.send('keyDown', e.code, e.key, modifiers(e));
  }

  wire() {
    document.addEventListener('keydown', (e) => this.keyDown(e));
    document.addEventListener('pointerdown', () => { if (!this.started || !this.audio.context) this.begin(); }, true);
    document.addEventListener('visibilitychange', () => this.visibility());
    window.addEventListener('resize', () => { this.fitScale(); });
    document.addEventListener('fullscreenchange', () => this.fitScale());
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
    const file = document.getElementById('replay-file');
    document.getElementById('open-replay').addEventListener('click', () => file.click());
    file.addEventListener('change', async () => {
      if (!file.files.length) return;
      const text = await file.files[0].text();
      file.value = '';
      await this.begin();
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
  set clock(kind) { page.virtual = kind === 'virtual'; if (!page.virtual) { page.base = null; page.lastReal = null; } },
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
  now() { return page.gameNow; },
  forms() { return page.core.call('scene').forms; },
  scene() { return page.scene; },
  soundLog() { return page.audio.log.slice(); },
  audioState() { return page.audio.context ? page.audio.context.state : 'none'; },
  key(code, key = '', shift = 0) { page.send('keyDown', code, key, shift); },
  command(player, command) { page.command(player, command); },
  begin() { return page.begin(); },
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

page.load().then(() => resolveReady(true)).catch((e) => {
  console.error(`mojara: ${e.message}`);
  status.textContent = e.message;
  rejectReady(e);
});
