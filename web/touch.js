// The on-screen controls of a fight, for touch screens: a pad (walk left and right, the flying
// kick up) and the six strikes and pause, each named as the key-settings window names its command.
// Every finger is followed on its own, so walking and striking go together; a finger slid onto
// another button presses that one; a held direction repeats as a held key does. A press is the
// player's command through the page's one entry for commands, so the rules, the replays and the
// recordings are the keyboard's. Two players at one tablet each have theirs on their own side.

// The commands by their row in the key-settings window's list (the core's order).
const ROW = { walkLeft: 0, walkRight: 1, flyingKick: 2, punch: 3, kick: 4, risingDragonPunch: 5, powerCharge: 6,
  heelDrop: 7, rampage: 8, pause: 9 };
const PAD = ['walkLeft', 'walkRight', 'flyingKick'];
const STRIKES = ['punch', 'kick', 'risingDragonPunch', 'powerCharge', 'heelDrop', 'rampage'];
const SIZES = { small: 44, medium: 56, large: 72 };  // a button's side, CSS pixels
// A held direction's first repeat comes this long after its press, the next ones this far apart,
// as a held controller button's do.
const FIRST_REPEAT_MS = 300, REPEAT_PERIOD_MS = 33;
const SETTINGS_KEY = 'mojara.touch';
const BUZZ_MS = 25;

export class TouchControls {
  constructor(page, store) {
    this.page = page;
    this.store = store;
    this.settings = { mode: 'auto', size: 'medium', side: 'left', vibrate: true };
    try { Object.assign(this.settings, JSON.parse((store && store.getItem(SETTINGS_KEY)) || '{}')); } catch (e) { /* kept as they come */ }
    this.coarse = window.matchMedia ? window.matchMedia('(pointer: coarse)') : { matches: false };
    this.root = document.createElement('div');
    this.root.id = 'touch';
    this.root.hidden = true;
    document.body.append(this.root);
    this.players = 0;
    this.buttons = [];  // {el, command, player, rect}
    this.fingers = new Map();  // pointerId -> the button it holds
    for (const type of ['pointerdown', 'pointermove']) this.root.addEventListener(type, (e) => this.finger(e));
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) this.root.addEventListener(type, (e) => this.lift(e.pointerId));
    this.root.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  // Whether the controls are drawn at all: on a touch screen, unless the player chose otherwise.
  get enabled() { return this.settings.mode === 'on' || (this.settings.mode === 'auto' && this.coarse.matches); }

  change(name, value) {
    this.settings[name] = value;
    try { if (this.store) this.store.setItem(SETTINGS_KEY, JSON.stringify(this.settings)); } catch (e) { /* not kept */ }
  }

  side() { return SIZES[this.settings.size] || SIZES.medium; }
  gap(b) { return Math.round(b / 8); }

  // The room the controls take from the windows of a `width` x `height` screen: a column on each
  // side when it lies on its side, a band under the windows when it stands.
  room(width, height) {
    if (!this.enabled) return { left: 0, right: 0, bottom: 0 };
    const b = this.side(), g = this.gap(b);
    if (width > height) {
      const column = 2 * b + 3 * g;
      return { left: column, right: column, bottom: 0 };
    }
    return { left: 0, right: 0, bottom: Math.round(3.6 * b + 5 * g) };
  }

  // `players` at the page fight now (0: none, the controls are hidden); `screen` the page's size,
  // `windows` the room the windows were given.
  show(players, screen, windows) {
    players = this.enabled ? players : 0;
    const key = `${players} ${screen.width} ${screen.height} ${windows.left} ${windows.top} ${windows.width} ${windows.height} ${JSON.stringify(this.settings)}`;
    if (key === this.shown) return;
    this.shown = key;
    for (const id of [...this.fingers.keys()]) this.lift(id);
    this.players = players;
    this.root.hidden = players === 0;
    this.buttons = [];
    this.root.replaceChildren();
    if (!players) return;
    const landscape = screen.width > screen.height;
    let b = this.side();
    const g = () => this.gap(b);
    // The clusters: the pad a cross's top half (up over left and right), the strikes two wide and
    // three high under a short pause button.
    const padSize = () => [2 * b + g(), 2 * b + g()];
    const strikeSize = () => [2 * b + g(), Math.round(3.6 * b) + 3 * g()];
    const places = [];  // [player, cluster, x, y]
    if (landscape) {
      const column = this.room(screen.width, screen.height).left;
      if (players === 2) {
        // Each player's pad over their strikes, in their own column, smaller where it must be.
        b = Math.min(b, Math.floor((screen.height - 6 * this.gap(b)) / 5.6));
        const [pw, ph] = padSize(), [, sh] = strikeSize();
        const top = Math.max(0, Math.round((screen.height - ph - sh - g()) / 2));
        for (const player of [0, 1]) {
          const x = player === 0 ? Math.round((column - pw) / 2) : screen.width - column + Math.round((column - pw) / 2);
          places.push([player, 'pad', x, top], [player, 'strikes', x, top + ph + g()]);
        }
      } else {
        const [pw, ph] = padSize(), [sw, sh] = strikeSize();
        const padLeft = this.settings.side !== 'right';
        const left = (w) => Math.round((column - w) / 2), right = (w) => screen.width - column + Math.round((column - w) / 2);
        places.push([0, 'pad', padLeft ? left(pw) : right(pw), Math.round((screen.height - ph) * 0.6)]);
        places.push([0, 'strikes', padLeft ? right(sw) : left(sw), Math.max(0, Math.round((screen.height - sh) / 2))]);
      }
    } else {
      const bandTop = windows.top + windows.height;
      const band = screen.height - bandTop;
      if (players === 2) b = Math.min(b, Math.floor((screen.width - 10 * this.gap(b)) / 8.5));
      b = Math.min(b, Math.floor((band - 5 * this.gap(b)) / 3.6));
      const [pw, ph] = padSize(), [sw, sh] = strikeSize();
      const y = (h) => bandTop + Math.max(0, Math.round((band - h) / 2));
      if (players === 2) {
        places.push([0, 'pad', g(), y(ph)], [0, 'strikes', 2 * g() + pw, y(sh)]);
        places.push([1, 'strikes', screen.width - 2 * g() - pw - sw, y(sh)], [1, 'pad', screen.width - g() - pw, y(ph)]);
      } else {
        const padLeft = this.settings.side !== 'right';
        places.push([0, 'pad', padLeft ? 2 * g() : screen.width - 2 * g() - pw, y(ph)]);
        places.push([0, 'strikes', padLeft ? screen.width - 2 * g() - sw : 2 * g(), y(sh)]);
      }
    }
    for (const [player, cluster, x, y] of places) this.cluster(player, cluster, x, y, b);
  }

  cluster(player, cluster, x, y, b) {
    const g = this.gap(b);
    const put = (command, left, top, width, height) => {
      const el = document.createElement('button');
      el.type = 'button';
      el.tabIndex = -1;
      el.className = `touch-button ${cluster}`;
      el.dataset.command = command;
      el.dataset.player = String(player);
      el.textContent = cluster === 'pad' ? { walkLeft: '◀', walkRight: '▶', flyingKick: '▲' }[command] : this.page.word(command);
      el.setAttribute('aria-label', this.page.word(command));
      const rect = { x: Math.round(left), y: Math.round(top), width: Math.round(width), height: Math.round(height) };
      Object.assign(el.style, { left: `${rect.x}px`, top: `${rect.y}px`, width: `${rect.width}px`, height: `${rect.height}px`,
        fontSize: `${Math.max(10, Math.round(b * (cluster === 'pad' ? 0.42 : 0.24)))}px` });
      this.root.append(el);
      this.buttons.push({ el, command, player, rect });
    };
    if (cluster === 'pad') {
      put('flyingKick', x + (b + g) / 2, y, b, b);
      put('walkLeft', x, y + b + g, b, b);
      put('walkRight', x + b + g, y + b + g, b, b);
    } else {
      const pause = Math.round(0.6 * b);
      put('pause', x, y, 2 * b + g, pause);
      STRIKES.forEach((command, i) => put(command, x + (i % 2) * (b + g), y + pause + g + Math.floor(i / 2) * (b + g), b, b));
    }
  }

  // The controls as the page shows them, CSS pixels.
  layout() {
    return this.buttons.map(({ command, player, rect }) => ({ command, ...rect, ...(this.players === 2 ? { player } : {}) }));
  }

  buttonAt(x, y) {
    return this.buttons.find(({ rect: r }) => x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height);
  }

  finger(e) {
    e.preventDefault();
    if (e.type === 'pointerdown') {
      this.page.unlockSound();
      try { this.root.setPointerCapture(e.pointerId); } catch (err) { /* followed without it */ }
    } else if (!this.fingers.has(e.pointerId)) {
      return;
    }
    const button = this.buttonAt(e.clientX, e.clientY) || null;
    const held = this.fingers.get(e.pointerId);
    if (held && held.button === button) return;
    this.lift(e.pointerId);
    if (!button) { if (e.type === 'pointerdown') this.fingers.set(e.pointerId, { button: null }); return; }
    const hold = { button, timer: null };
    this.fingers.set(e.pointerId, hold);
    button.el.classList.add('held');
    this.press(button);
    if (PAD.includes(button.command)) {
      const repeat = () => { this.press(button); hold.timer = setTimeout(repeat, REPEAT_PERIOD_MS); };
      hold.timer = setTimeout(repeat, FIRST_REPEAT_MS);
    }
  }

  lift(id) {
    const hold = this.fingers.get(id);
    if (!hold) return;
    this.fingers.delete(id);
    clearTimeout(hold.timer);
    if (hold.button && ![...this.fingers.values()].some((h) => h.button === hold.button)) hold.button.el.classList.remove('held');
  }

  press(button) { this.page.command(button.player, ROW[button.command]); }

  // A hit landed: a short buzz, where the phone has one and the player wants it.
  buzz() {
    if (this.players && this.settings.vibrate && navigator.vibrate) navigator.vibrate(BUZZ_MS);
  }
}
