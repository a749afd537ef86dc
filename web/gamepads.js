// Game controllers through the Gamepad API, as the desktop reads them through SDL: the first
// controller plugged in plays for player 1, the second for player 2; one pulled out frees its
// player, and the next one plugged in takes the lowest free player. The d-pad and the left stick
// both press the d-pad buttons, and a held button repeats like a held keyboard key. The pads are
// read only while one is plugged in, as the browser says when one is.
//
// A browser listening for controllers reads the devices all the time, at a cost even with none
// plugged in, so the page listens only where a controller may come: while the title waits for its
// first key, tap or button; while the key-settings or versus window is open; and always once a
// controller has played on this site.

// The game's buttons (its key bindings' order: A B X Y Back Guide Start LeftStick RightStick
// LeftShoulder RightShoulder DpadUp DpadDown DpadLeft DpadRight) by the standard mapping's index.
const BUTTON_OF_INDEX = { 0: 0, 1: 1, 2: 2, 3: 3, 4: 9, 5: 10, 8: 4, 9: 6, 10: 7, 11: 8, 12: 11, 13: 12, 14: 13, 15: 14, 16: 5 };
const DPAD_UP = 11, DPAD_DOWN = 12, DPAD_LEFT = 13, DPAD_RIGHT = 14;
const STICK = 0.5;  // how far the stick leans before it presses
// A held button's first repeat comes this long after its press, the next ones this far apart.
const FIRST_REPEAT_MS = 300, REPEAT_PERIOD_MS = 33;
const PLAYED_KEY = 'mojara.controllers';  // kept once a controller has played here

export class Gamepads {
  constructor(page, store) {
    this.page = page;
    this.store = store;
    this.players = new Map();  // gamepad index -> player
    this.held = new Map();  // `${player}:${button}` -> next repeat time
    this.connected = 0;
    this.listening = false;
    try { this.played = Boolean(store && store.getItem(PLAYED_KEY)); } catch (e) { this.played = false; }
    this.plugged = () => {
      ++this.connected;
      if (!this.played) {
        this.played = true;
        try { if (this.store) this.store.setItem(PLAYED_KEY, '1'); } catch (e) { /* asked again next visit */ }
      }
      this.page.wake();
    };
    this.pulled = () => { this.connected = Math.max(0, this.connected - 1); this.poll(performance.now()); };
    this.update();
  }

  // Listens for controllers where one may come (see above).
  update() {
    const wanted = this.played || this.connected > 0 || !this.page.started || Boolean(this.page.dialogs && this.page.dialogs.open);
    if (wanted === this.listening) return;
    this.listening = wanted;
    const how = wanted ? 'addEventListener' : 'removeEventListener';
    window[how]('gamepadconnected', this.plugged);
    window[how]('gamepaddisconnected', this.pulled);
  }

  // Whether the page must read the pads at every frame.
  get active() { return this.connected > 0; }

  playerOf(index) {
    if (!this.players.has(index)) {
      const taken = new Set(this.players.values());
      const free = [0, 1].find((p) => !taken.has(p));
      if (free === undefined) return undefined;
      this.players.set(index, free);
    }
    return this.players.get(index);
  }

  poll(now) {
    const pads = navigator.getGamepads ? [...navigator.getGamepads()] : [];
    const present = new Set();
    for (const pad of pads) {
      if (!pad || !pad.connected) continue;
      present.add(pad.index);
      const player = this.playerOf(pad.index);
      if (player === undefined) continue;
      const down = new Set();
      pad.buttons.forEach((b, i) => { if ((b.pressed || b.value > 0.5) && BUTTON_OF_INDEX[i] !== undefined) down.add(BUTTON_OF_INDEX[i]); });
      const [x = 0, y = 0] = pad.axes;
      if (x < -STICK) down.add(DPAD_LEFT);
      if (x > STICK) down.add(DPAD_RIGHT);
      if (y < -STICK) down.add(DPAD_UP);
      if (y > STICK) down.add(DPAD_DOWN);
      for (const button of down) {
        const key = `${player}:${button}`;
        if (!this.held.has(key)) {
          this.held.set(key, now + FIRST_REPEAT_MS);
          this.press(player, button, false);
        } else if (now >= this.held.get(key)) {
          this.held.set(key, Math.max(this.held.get(key) + REPEAT_PERIOD_MS, now - REPEAT_PERIOD_MS));
          this.press(player, button, true);
        }
      }
      for (const key of [...this.held.keys()])
        if (key.startsWith(`${player}:`) && !down.has(Number(key.split(':')[1]))) this.held.delete(key);
    }
    for (const [index, player] of [...this.players]) {
      if (present.has(index)) continue;
      this.players.delete(index);
      for (const key of [...this.held.keys()]) if (key.startsWith(`${player}:`)) this.held.delete(key);
    }
  }

  press(player, button, repeat) {
    // A controller's button starts the game too (its sound comes with the first key or tap
    // where the browser wants one).
    if (!this.page.started) { this.page.begin(); return; }
    if (this.page.dialogs.takesPad(player, button, repeat)) return;
    this.page.send('pad', player, button, repeat ? 1 : 0);
  }
}
