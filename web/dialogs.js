// The page's own windows: the game's message box, the key settings (F2 on the title) and the
// versus window (F3 on the title). The rules behind them are the core's: it binds the keys (a key
// held elsewhere changes places, the front end's keys are refused), keeps the settings and starts
// the versus fights; these windows only ask and show.

const PAD_A = 0, PAD_B = 1, PAD_START = 6, PAD_LEFT = 13, PAD_RIGHT = 14, PAD_UP = 11, PAD_DOWN = 12;

function element(tag, props = {}, ...children) {
  const el = Object.assign(document.createElement(tag), props);
  el.append(...children);
  return el;
}

export class Dialogs {
  constructor(page) {
    this.page = page;
    this.open = null;  // {kind, root, ...}
    this.box = null;
  }

  place(root) {
    document.body.append(root);
    const area = this.page.painter.frontArea();
    const r = root.getBoundingClientRect();
    root.style.left = `${Math.max(0, Math.round(area.left + (area.width - r.width) / 2))}px`;
    root.style.top = `${Math.max(0, Math.round(area.top + (area.height - r.height) / 2))}px`;
    root.style.zIndex = '100';
  }

  // The game's message box, while the core has one open.
  messageBox(box) {
    const shown = box ? `${box.caption}\n${box.text}` : null;
    if (this.box && this.box.shown === shown) return;
    if (this.box) { this.box.root.remove(); this.box = null; }
    if (!box) return;
    const ok = element('button', { type: 'button', textContent: 'OK', tabIndex: -1 });
    ok.addEventListener('click', () => this.page.send('closeMessageBox'));
    // In the game's own font at the windows' scale, as the message box of the game's time was drawn.
    const painter = this.page.painter, s = painter.scale;
    const font = painter.cssFont(box.font, false);
    const root = element('div', { className: 'dialog message-box', role: 'alertdialog',
      style: `font:${font};padding:${12 * s}px ${16 * s}px` },
      element('div', { className: 'caption', textContent: box.caption, style: 'font-weight:bold;margin-bottom:8px' }),
      element('div', { textContent: box.text, style: 'white-space:pre-wrap' }),
      element('div', { className: 'buttons' }, ok));
    ok.style.font = 'inherit';
    ok.style.minWidth = `${72 * s}px`;
    this.place(root);
    this.box = { root, shown };
  }

  // Every window of the page's gone, with nothing told (the game behind them started afresh).
  forget() {
    if (this.open) this.open.root.remove();
    if (this.box) this.box.root.remove();
    this.open = null;
    this.box = null;
  }

  close() {
    if (!this.open) return;
    this.open.root.remove();
    const was = this.open;
    this.open = null;
    this.page.gamepads.update();
    if (was.kind === 'versus') this.page.send('versusClosed');
    else if (was.kind === 'keys') this.page.send('keyWindowClosed');
  }

  // A key for one of these windows: whether it took it (the message box's keys are the core's).
  takesKey(e) {
    if (!this.open) return false;
    e.preventDefault();
    if (this.open.kind === 'keys') return this.keysKey(e), true;
    const code = e.code;
    const v = this.open;
    if (code === 'Escape') this.close();
    else if (code === 'Enter' || code === 'NumpadEnter') this.versusStart();
    else if (code === 'Tab' || code === 'ArrowUp' || code === 'ArrowDown') v.side = 1 - v.side, this.versusShow();
    else if (code === 'ArrowLeft') this.versusPick(v.side, -1);
    else if (code === 'ArrowRight') this.versusPick(v.side, +1);
    return true;
  }

  takesPad(player, button, repeat) {
    if (!this.open) return false;
    if (this.open.kind === 'keys') {
      if (!repeat && this.open.waiting && this.open.waiting.player === player) this.bindWaiting({ button });
      else if (!repeat && button === PAD_B) this.close();
      return true;
    }
    if (button === PAD_LEFT) this.versusPick(player, -1);
    else if (button === PAD_RIGHT) this.versusPick(player, +1);
    else if (!repeat && (button === PAD_A || button === PAD_START)) this.versusStart();
    else if (!repeat && button === PAD_B) this.close();
    return true;
  }

  // Two players choose their fighters: player 1 on the left, player 2 on the right.
  // `words`: the window's title, heading (the last fight's winner, or what kind of fight), and its
  // two buttons, in the game's words as the core shows them.
  versus(text, words) {
    const [p0, p1] = text === '-' ? [0, 1] : text.split(' ');
    if (this.open) this.open.root.remove();
    const fighters = this.page.fighters;
    const picks = [Number(p0), Number(p1)];
    const rows = [0, 1].map((side) => {
      const select = element('select', { tabIndex: -1 }, ...fighters.map((name, k) => new Option(name, String(k))));
      select.value = String(picks[side]);
      select.addEventListener('change', () => { this.open.picks[side] = Number(select.value); });
      return { select, row: element('tr', {}, element('th', { textContent: this.page.word(side ? 'player2' : 'player1') }), element('td', {}, select)) };
    });
    const [title, heading, fight, toTitle] = words;
    const start = element('button', { type: 'button', textContent: fight, tabIndex: -1 });
    start.addEventListener('click', () => this.versusStart());
    const back = element('button', { type: 'button', textContent: toTitle, tabIndex: -1 });
    back.addEventListener('click', () => this.close());
    const root = element('div', { className: 'dialog versus', role: 'dialog' },
      element('div', { className: 'caption', textContent: title, style: 'font-weight:bold;margin-bottom:8px' }),
      element('p', { textContent: heading }),
      element('table', {}, ...rows.map((r) => r.row)),
      element('div', { className: 'buttons' }, start, back));
    this.place(root);
    this.open = { kind: 'versus', root, picks, rows, side: 0 };
    this.page.gamepads.update();
    this.versusShow();
  }

  versusShow() {
    const v = this.open;
    v.rows.forEach((r, side) => { r.row.style.outline = side === v.side ? '1px dotted #000' : ''; r.select.value = String(v.picks[side]); });
  }

  versusPick(side, step) {
    const v = this.open;
    v.picks[side] = (v.picks[side] + step + 8) % 8;
    this.versusShow();
  }

  versusStart() {
    const v = this.open;
    v.root.remove();
    this.open = null;
    this.page.gamepads.update();
    this.page.send('versusFight', v.picks[0], v.picks[1]);
  }

  // The keys and buttons of both players: click a cell, then press the key (or the button).
  keySettings() {
    if (this.open) this.open.root.remove();
    const settings = JSON.parse(this.page.core.fns.settings());
    const word = (name) => this.page.word(name);
    const message = element('p', { textContent: word('keysHint') });
    const table = element('table');
    const root = element('div', { className: 'dialog key-settings', role: 'dialog' },
      element('div', { textContent: word('keysTitle'), style: 'font-weight:bold;margin-bottom:8px' }),
      table, message);
    const attract = element('input', { type: 'checkbox', checked: settings.attract, tabIndex: -1 });
    attract.addEventListener('change', () => this.page.send('setSettings', JSON.stringify({ attract: attract.checked })));
    const close = element('button', { type: 'button', textContent: word('close'), tabIndex: -1 });
    close.addEventListener('click', () => this.close());
    root.append(element('label', {}, attract, ` ${word('attract')}`), element('div', { className: 'buttons' }, close));
    this.open = { kind: 'keys', root, table, message, settings, waiting: null };
    this.page.gamepads.update();
    this.keysShow();
    this.place(root);
  }

  keysShow() {
    const k = this.open;
    const s = k.settings;
    const head = element('tr', {}, element('th'), ...s.heads.map((h) => element('th', { textContent: h })));
    const rows = s.commands.map((c, ci) => element('tr', {}, element('th', { textContent: c.label }),
      ...[0, 1].flatMap((player) => {
        const key = element('td', { className: 'key', textContent: s.keyLabels[String(s.keys[player][ci])] ?? '' });
        key.addEventListener('click', () => { k.waiting = { player, command: ci, what: 'key' }; this.keysShow(); });
        const padIndex = ['A', 'B', 'X', 'Y', 'BACK', 'GUIDE', 'START', 'LEFTSTICK', 'RIGHTSTICK', 'LEFTSHOULDER', 'RIGHTSHOULDER', 'DPADUP', 'DPADDOWN', 'DPADLEFT', 'DPADRIGHT'].indexOf(s.buttons[player][ci]);
        const pad = element('td', { className: 'key', textContent: s.buttonLabels[padIndex] ?? s.buttons[player][ci] });
        pad.addEventListener('click', () => { k.waiting = { player, command: ci, what: 'button' }; this.keysShow(); });
        if (k.waiting && k.waiting.player === player && k.waiting.command === ci) (k.waiting.what === 'key' ? key : pad).classList.add('waiting');
        return [key, pad];
      })));
    k.table.replaceChildren(head, ...rows);
  }

  keysKey(e) {
    const k = this.open;
    if (!k.waiting) { if (e.code === 'Escape') this.close(); return; }
    if (e.code === 'Escape') { k.waiting = null; this.keysShow(); return; }
    if (k.waiting.what !== 'key') return;
    this.bindWaiting({ code: e.code, key: e.key });
  }

  bindWaiting({ code, key, button }) {
    const k = this.open;
    const w = k.waiting;
    let answer;
    if (button !== undefined) {
      if (w.what !== 'button') return;
      answer = JSON.parse(this.page.core.fns.bindButton(w.player, w.command, button));
    } else {
      const vk = this.page.core.virtualKeyOf(code, key);
      if (!vk) return;
      answer = JSON.parse(this.page.core.fns.bindKey(w.player, w.command, vk));
    }
    k.waiting = null;
    if (answer.settings) k.settings = answer.settings;
    k.message.textContent = answer.message || '';
    this.keysShow();
    // The kept settings go to the browser's storage with the next scene.
    this.page.send('frame', this.page.gameNow);
  }
}
