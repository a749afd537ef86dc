// Paints the game's windows as the desktop shows them: one window a shown form, its canvas painted
// in the form's drawing order (labels, pictures nearest-neighbour, shapes, picture boxes), its
// buttons, lists, text boxes and scroll bars as HTML widgets above the canvas. A canvas is
// repainted only where a control changed since its last paint, at the screen's own pixel ratio.

const PX_PER_POINT = 96 / 72;
const CANVAS_KINDS = new Set(['label', 'image', 'shape', 'pictureBox']);
const TITLE_BAR = 18, BORDER = 2;  // a window's title bar (at scale 1) and its frame, CSS pixels

// Whether two of the core's values (numbers, texts, lists, objects of them) say the same.
function same(a, b) {
  if (a === b) return true;
  if (typeof a !== 'object' || typeof b !== 'object' || a === null || b === null) return false;
  if (Array.isArray(a)) return Array.isArray(b) && a.length === b.length && a.every((v, i) => same(v, b[i]));
  const keys = Object.keys(a);
  return keys.length === Object.keys(b).length && keys.every((k) => same(a[k], b[k]));
}

function overlaps(a, b) { return a[0] < b[0] + b[2] && b[0] < a[0] + a[2] && a[1] < b[1] + b[3] && b[1] < a[1] + a[3]; }

// The outer size of a window whose client area is `width` x `height` form pixels, at `scale`.
export function windowSize(width, height, scale) {
  return [width * scale + 2 * BORDER, (height + TITLE_BAR) * scale + 2 * BORDER];
}

// The largest scale at which a window of that client area fits a room of `roomW` x `roomH`.
export function largestScale(width, height, roomW, roomH) {
  return Math.min((roomW - 2 * BORDER) / width, (roomH - 2 * BORDER) / (height + TITLE_BAR));
}

export class Painter {
  constructor(desktop, pictures, fonts, input) {
    this.desktop = desktop;  // the element the windows are placed in
    this.pictures = pictures;  // {store: {image, columns, cell}, files: Map(name -> image)}
    this.fonts = fonts;  // the game's font names -> CSS families
    this.input = input;  // what the widgets report to
    this.scale = 1;  // CSS pixels to a form pixel
    this.ratio = 1;  // the screen's pixels to a CSS pixel
    this.area = { left: 0, top: 0, width: 0, height: 0 };  // where windows are centred, desktop pixels
    this.windows = new Map();  // form name -> {root, canvas, widgets, painted, ...}
    this.forms = [];
    this.widths = new Map();  // `${font}\n${text}` -> its width, measured once
    this.lines = new Map();  // a label's lines by what they depend on
  }

  // Canvas pixels to a form pixel.
  get ink() { return this.scale * this.ratio; }

  family(name) { return this.fonts[name] || this.fonts['ＭＳ Ｐゴシック'] || 'sans-serif'; }

  // The CSS font of a control's font at `scale`: points at 96 dots per inch, bold struck over.
  cssFont(font, forLabel, scale = this.scale) {
    const px = Math.max(1, Math.round(font.size * PX_PER_POINT * scale));
    const bold = font.bold && !forLabel ? 'bold ' : '';
    return `${font.italic ? 'italic ' : ''}${bold}${px}px "${this.family(font.name)}"`;
  }

  // The scale, the screen's pixel ratio and the room the windows are centred in, from the page's
  // layout; everything is laid out and painted again when one of them changed.
  setLayout(scale, ratio, area) {
    const moved = !same(area, this.area);
    this.area = area;
    if (scale === this.scale && ratio === this.ratio) {
      if (moved) for (const [name, w] of this.windows) this.place(w, this.forms.find((f) => f.name === name));
      return;
    }
    this.scale = scale;
    this.ratio = ratio;
    this.lines.clear();
    this.widths.clear();
    for (const w of this.windows.values()) w.root.remove();
    this.windows.clear();
    this.paint(this.forms);
  }

  // The shown forms, back to front, as the core hands them.
  paint(forms) {
    this.forms = forms;
    const names = new Set(forms.map((f) => f.name));
    for (const [name, w] of this.windows) {
      if (!names.has(name)) { w.root.remove(); this.windows.delete(name); }
    }
    forms.forEach((form, z) => {
      let w = this.windows.get(form.name);
      if (!w) { w = this.makeWindow(form); this.windows.set(form.name, w); }
      w.root.style.zIndex = String(10 + z);
      w.root.classList.toggle('front', form.front);
      if (w.title.textContent !== form.caption) w.title.textContent = form.caption;
      this.size(w, form);
      this.paintCanvas(w, form);
      this.placeWidgets(w, form);
    });
  }

  makeWindow(form) {
    const root = document.createElement('section');
    root.className = 'window';
    root.dataset.form = form.name;
    const s = this.scale;
    const bar = document.createElement('div');
    bar.className = 'title';
    Object.assign(bar.style, { height: `${TITLE_BAR * s}px`, fontSize: `${12 * s}px`, paddingLeft: `${6 * s}px` });
    const title = document.createElement('span');
    const close = document.createElement('button');
    close.type = 'button';
    close.textContent = '×';
    close.tabIndex = -1;
    close.title = this.input.word('close');
    Object.assign(close.style, { width: `${16 * s}px`, height: `${14 * s}px`, fontSize: `${10 * s}px`, lineHeight: `${10 * s}px` });
    close.addEventListener('click', () => this.input.closeRequest(form.name));
    bar.append(title, close);
    const client = document.createElement('div');
    client.className = 'client';
    const canvas = document.createElement('canvas');
    const widgets = document.createElement('div');
    widgets.className = 'widgets';
    const notices = document.createElement('div');
    notices.className = 'notices';
    const marks = document.createElement('div');
    marks.className = 'marks';
    client.append(canvas, widgets, notices, marks);
    root.append(bar, client);
    this.desktop.append(root);
    const w = { root, title, client, canvas, widgets, notices, marks, elements: new Map(), form: form.name, painted: null };
    this.input.watchCanvas(canvas, form.name, () => this.scale);
    return w;
  }

  size(w, form) {
    const width = form.width * this.scale, height = form.height * this.scale;
    const pixelsW = Math.round(form.width * this.ink), pixelsH = Math.round(form.height * this.ink);
    if (w.canvas.width !== pixelsW || w.canvas.height !== pixelsH) {
      w.canvas.width = pixelsW;
      w.canvas.height = pixelsH;
      w.painted = null;
      Object.assign(w.canvas.style, { width: `${width}px`, height: `${height}px` });
      Object.assign(w.client.style, { width: `${width}px`, height: `${height}px` });
      this.place(w, form);
    }
  }

  // Windows open centred in the room the page gives them, as the game's windows open centred on
  // the screen.
  place(w, form) {
    if (!form) return;
    const [outerW, outerH] = windowSize(form.width, form.height, this.scale);
    const a = this.area;
    w.root.style.left = `${Math.round(a.left + Math.max(0, (a.width - outerW) / 2))}px`;
    w.root.style.top = `${Math.round(a.top + Math.max(0, (a.height - outerH) / 2))}px`;
  }

  box(b) { const s = this.ink; return [b[0] * s, b[1] * s, b[2] * s, b[3] * s]; }

  // Repaints what changed since the last paint: where each changed control was and where it is
  // now, every control over those places painted again in order; everything when the window's
  // size, colour or number of controls changed.
  paintCanvas(w, form) {
    // Opaque, and drawn straight to the screen rather than through a copy at every frame: the
    // canvas is always wholly painted, and a fight changes it 17 times a second.
    const ctx = w.canvas.getContext('2d', { alpha: false, desynchronized: true });
    ctx.imageSmoothingEnabled = false;  // pixel art stays crisp
    const controls = form.controls.filter((c) => CANVAS_KINDS.has(c.kind));
    const last = w.painted;
    const whole = !last || last.back !== form.back || last.controls.length !== controls.length;
    let dirty = null;
    if (!whole) {
      dirty = [];
      controls.forEach((c, i) => {
        if (same(c, last.controls[i])) return;
        dirty.push(last.areas[i]);
        dirty.push(this.areaOf(ctx, c));
      });
      if (!dirty.length) return;
    }
    ctx.save();
    if (dirty) {
      ctx.beginPath();
      for (const [x, y, dw, dh] of dirty) ctx.rect(x, y, dw, dh);
      ctx.clip();
    }
    ctx.fillStyle = form.back;
    ctx.fillRect(0, 0, w.canvas.width, w.canvas.height);
    const areas = controls.map((c, i) => (whole || !same(c, last.controls[i]) ? this.areaOf(ctx, c) : last.areas[i]));
    controls.forEach((c, i) => {
      if (dirty && !dirty.some((d) => overlaps(d, areas[i]))) return;
      ctx.save();
      if (c.clip) {
        const [x, y, cw, ch] = this.box(c.clip);
        ctx.beginPath();
        ctx.rect(x, y, cw, ch);
        ctx.clip();
      }
      if (c.kind === 'label') this.paintLabel(ctx, c);
      else if (c.kind === 'image') this.paintImage(ctx, c);
      else if (c.kind === 'shape') this.paintShape(ctx, c);
      else this.paintPictureBox(ctx, c);
      ctx.restore();
    });
    ctx.restore();
    w.painted = { back: form.back, controls, areas };
  }

  // Where a control paints on the canvas, a pixel around it for the lines drawn on its edges.
  areaOf(ctx, c) {
    let [x, y, bw, bh] = this.box(c.box);
    if (c.kind === 'image' && c.picture && !c.stretch) {
      const image = c.picture.store !== undefined ? null : this.pictures.files.get(c.picture.file);
      const cell = this.pictures.store.cell;
      bw = Math.max(bw, (image ? image.width : cell) * this.ink);
      bh = Math.max(bh, (image ? image.height : cell) * this.ink);
    } else if (c.kind === 'label') {
      const { width, height } = this.labelLayout(ctx, c);
      bw = Math.max(bw, width);
      bh = Math.max(bh, height);
    }
    let area = [Math.floor(x) - 1, Math.floor(y) - 1, Math.ceil(bw) + 3, Math.ceil(bh) + 3];
    if (c.clip) {
      const [cx, cy, cw, ch] = this.box(c.clip);
      const left = Math.max(area[0], cx - 1), top = Math.max(area[1], cy - 1);
      const right = Math.min(area[0] + area[2], cx + cw + 1), bottom = Math.min(area[1] + area[3], cy + ch + 1);
      area = [left, top, Math.max(0, right - left), Math.max(0, bottom - top)];
    }
    return area;
  }

  paintImage(ctx, c) {
    if (!c.picture) return;
    const [x, y, bw, bh] = this.box(c.box);
    if (c.picture.store !== undefined) {
      const { image, columns, cell } = this.pictures.store;
      const sx = (c.picture.store % columns) * cell, sy = Math.floor(c.picture.store / columns) * cell;
      const [dw, dh] = c.stretch ? [bw, bh] : [cell * this.ink, cell * this.ink];
      ctx.drawImage(image, sx, sy, cell, cell, x, y, dw, dh);
    } else {
      const image = this.pictures.files.get(c.picture.file);
      if (!image) return;
      const [dw, dh] = c.stretch ? [bw, bh] : [image.width * this.ink, image.height * this.ink];
      ctx.drawImage(image, x, y, dw, dh);
    }
  }

  paintShape(ctx, c) {
    const [x, y, w, h] = this.box(c.box);
    ctx.beginPath();
    if (c.style === 'circle') {
      const d = Math.min(w, h);
      ctx.arc(x + w / 2, y + h / 2, d / 2, 0, 2 * Math.PI);
    } else if (c.style === 'rounded') {
      const r = Math.min(w, h) / 4;
      ctx.roundRect ? ctx.roundRect(x, y, w, h, r) : ctx.rect(x, y, w, h);
    } else {
      ctx.rect(x, y, w, h);
    }
    if (c.fillSolid) { ctx.fillStyle = c.fill; ctx.fill(); }
    if (c.borderVisible) { ctx.strokeStyle = c.border; ctx.lineWidth = this.ratio; ctx.stroke(); }
  }

  paintPictureBox(ctx, c) {
    const [x, y, w, h] = this.box(c.box);
    ctx.fillStyle = c.back;
    ctx.fillRect(x, y, w, h);
    if (c.border) {
      const line = this.ratio;
      ctx.strokeStyle = '#000';
      ctx.lineWidth = line;
      ctx.strokeRect(x + line / 2, y + line / 2, w - line, h - line);
    }
  }

  // The width of `text` in the font set on `ctx`, measured once for each font and text.
  width(ctx, text) {
    const key = `${ctx.font}\n${text}`;
    let width = this.widths.get(key);
    if (width === undefined) {
      if (this.widths.size > 4000) this.widths.clear();
      width = ctx.measureText(text).width;
      this.widths.set(key, width);
    }
    return width;
  }

  // A label's lines, their pitch and where they stand, worked out once for each caption, font and
  // box: the caption wrapped at its box's width (between words, or between any two characters of
  // Japanese), bold struck again one pixel to the right and so a pixel wider a character.
  labelLayout(ctx, c) {
    const key = `${c.caption}\n${c.font.name}\n${c.font.size}\n${c.font.bold}\n${c.font.italic}\n${c.box}\n${c.autoSize}\n${c.wordWrap}`;
    let layout = this.lines.get(key);
    if (layout) return layout;
    const [, , w, h] = this.box(c.box);
    ctx.save();
    ctx.font = this.cssFont(c.font, true, this.ink);
    const overstrike = c.font.bold ? this.ink : 0;
    const measure = (t) => this.width(ctx, t) + overstrike * [...t].length;
    let lines;
    let width = w;
    if (c.autoSize && !c.wordWrap) {
      lines = c.caption.split('\n');
      width = Math.max(...lines.map(measure));
    } else {
      lines = wrap(c.caption, w, measure);
    }
    const metrics = ctx.measureText('国');
    const ascent = metrics.fontBoundingBoxAscent ?? metrics.actualBoundingBoxAscent;
    const descent = metrics.fontBoundingBoxDescent ?? metrics.actualBoundingBoxDescent;
    let pitch = Math.ceil(ascent + descent);
    const height = c.autoSize ? pitch * lines.length : h;
    // Lines set closer, down to one em apart, where the box would cut off the last one.
    const em = Math.round(c.font.size * PX_PER_POINT * this.ink);
    if (!c.autoSize && lines.length > 1 && pitch * lines.length > h)
      pitch = Math.max(em, Math.floor((h - pitch) / (lines.length - 1)));
    // A word wider than its room is narrowed to fit rather than cut off.
    const widest = Math.max(0, ...lines.map(measure));
    const squeeze = !c.autoSize && widest > w && widest > 0 ? Math.max(0.5, w / widest) : 1;
    const placed = lines.map((line) => {
      const lw = measure(line) * squeeze;
      let lx = 0;
      if (c.align === 'center') lx = (width - lw) / 2;
      else if (c.align === 'right') lx = width - lw;
      return { text: line, x: lx, width: measure(line) };
    });
    ctx.restore();
    layout = { lines: placed, width, height, pitch, ascent, descent, squeeze, overstrike };
    if (this.lines.size > 2000) this.lines.clear();
    this.lines.set(key, layout);
    return layout;
  }

  paintLabel(ctx, c) {
    const [x, y] = this.box(c.box);
    const { lines, width, height, pitch, ascent, descent, squeeze, overstrike } = this.labelLayout(ctx, c);
    ctx.font = this.cssFont(c.font, true, this.ink);
    if (c.opaque) { ctx.fillStyle = c.back; ctx.fillRect(x, y, width, height); }
    ctx.beginPath();
    ctx.rect(x, y, width, height);
    ctx.clip();
    ctx.fillStyle = c.color;
    ctx.textBaseline = 'alphabetic';
    // Bold is struck twice, the second a pixel to the right, each character a pixel further on.
    const spaced = overstrike && 'letterSpacing' in ctx;
    if (spaced) ctx.letterSpacing = `${overstrike}px`;
    lines.forEach((line, i) => {
      const ly = y + i * pitch + ascent;
      for (const dx of overstrike ? [0, overstrike] : [0]) {
        ctx.save();
        ctx.translate(x + line.x + dx, ly);
        ctx.scale(squeeze, 1);
        if (overstrike && !spaced) {
          let at = 0;
          for (const ch of line.text) { ctx.fillText(ch, at, 0); at += this.width(ctx, ch) + overstrike; }
        } else {
          ctx.fillText(line.text, 0, 0);
        }
        if (c.font.underline) ctx.fillRect(0, Math.max(1, descent / 3), line.width, Math.max(1, this.ink));
        ctx.restore();
      }
    });
  }

  placeWidgets(w, form) {
    const seen = new Set();
    const focusKey = form.focus ? `${form.focus.name}(${form.focus.index})` : null;
    for (const c of form.controls) {
      if (CANVAS_KINDS.has(c.kind)) continue;
      const key = `${c.name}(${c.index})`;
      seen.add(key);
      let el = w.elements.get(key);
      if (!el) { el = this.makeWidget(form.name, c); w.elements.set(key, el); w.widgets.append(el); }
      if (!same(c, el.shown)) {
        const [x, y, bw, bh] = c.box.map((v) => v * this.scale);
        Object.assign(el.style, { left: `${x}px`, top: `${y}px`, width: `${bw}px`, height: `${bh}px` });
        if (c.font) el.style.font = this.cssFont(c.font, false);
        this.updateWidget(el, c);
        el.shown = c;
      }
      el.classList.toggle('focused', form.cues && key === focusKey);
    }
    for (const [key, el] of w.elements) if (!seen.has(key)) { el.remove(); w.elements.delete(key); }
    // The keyboard's mark: the select window's pointer, or a control that has the keyboard.
    let mark = w.widgets.querySelector(':scope > .mark');
    if (form.keyboardMark) {
      if (!mark) { mark = document.createElement('div'); mark.className = 'mark'; w.widgets.append(mark); }
      const [x, y, bw, bh] = form.keyboardMark.map((v) => v * this.scale);
      Object.assign(mark.style, { left: `${x}px`, top: `${y}px`, width: `${bw}px`, height: `${bh}px` });
    } else if (mark) {
      mark.remove();
    }
  }

  makeWidget(formName, c) {
    let el;
    const report = this.input;
    if (c.kind === 'button') {
      el = document.createElement('button');
      el.type = 'button';
      el.addEventListener('click', () => report.click(formName, c.name, c.index));
    } else if (c.kind === 'combo') {
      el = document.createElement('select');
      el.addEventListener('change', () => { report.choose(formName, c.name, c.index, el.selectedIndex); el.blur(); });
    } else if (c.kind === 'textBox') {
      el = document.createElement('textarea');
      el.readOnly = true;
    } else if (c.kind === 'hScroll') {
      el = document.createElement('input');
      el.type = 'range';
      el.addEventListener('input', () => report.change(formName, c.name, c.index, Number(el.value)));
    } else {
      el = document.createElement('div');
    }
    el.tabIndex = -1;  // the game moves the keyboard itself
    el.dataset.control = c.name;
    el.dataset.index = String(c.index);
    el.addEventListener('mousedown', (e) => { if (c.kind === 'button') e.preventDefault(); });
    return el;
  }

  updateWidget(el, c) {
    if (c.kind === 'button') {
      if (el.textContent !== c.caption) el.textContent = c.caption;
      el.disabled = !c.enabled;
      el.classList.toggle('default', c.default);
    } else if (c.kind === 'combo') {
      // A list with no item chosen shows its text, as the game's combo box does.
      const items = c.listIndex < 0 && c.text ? [...c.list, c.text] : c.list;
      const now = [...el.options].map((o) => o.text);
      if (now.join('\n') !== items.join('\n')) {
        el.replaceChildren(...items.map((t) => new Option(t)));
        if (items.length > c.list.length) el.options[items.length - 1].hidden = true;
      }
      el.selectedIndex = c.listIndex < 0 && c.text ? items.length - 1 : c.listIndex;
    } else if (c.kind === 'textBox') {
      if (el.value !== c.text) { el.value = c.text; el.scrollTop = 0; }
      el.wrap = c.multiLine ? 'soft' : 'off';
      el.style.overflowY = c.scrollBar ? 'scroll' : 'hidden';
    } else if (c.kind === 'hScroll') {
      el.min = String(c.min);
      el.max = String(c.max);
      el.step = String(Math.max(1, c.smallChange));
      if (Number(el.value) !== c.value) el.value = String(c.value);
    }
  }

  // The notices and marks over the front window.
  showNotices(notices, marks) {
    const front = this.forms.length ? this.forms[this.forms.length - 1].name : null;
    for (const [name, w] of this.windows) {
      const mine = name === front;
      const lines = mine ? notices : [];
      if (w.notices.dataset.shown !== lines.join('\n')) {
        w.notices.dataset.shown = lines.join('\n');
        w.notices.replaceChildren(...lines.map((t) => { const d = document.createElement('div'); d.textContent = t; return d; }));
        w.notices.style.fontSize = `${12 * this.scale}px`;
        w.notices.style.top = `${4 * this.scale}px`;
      }
      const shownMarks = mine ? marks : [];
      if (w.marks.dataset.shown !== shownMarks.join('\n')) {
        w.marks.dataset.shown = shownMarks.join('\n');
        w.marks.replaceChildren(...(shownMarks.length ? [Object.assign(document.createElement('span'), { textContent: shownMarks.join('　') })] : []));
        w.marks.style.fontSize = `${11 * this.scale}px`;
      }
    }
  }

  // The front window's client area in page pixels, for the page's own dialogs.
  frontArea() {
    const front = this.forms.length ? this.windows.get(this.forms[this.forms.length - 1].name) : null;
    return front ? front.client.getBoundingClientRect() : this.desktop.getBoundingClientRect();
  }

  // Each shown window's place in page pixels, for the page's layout checks.
  windowRects() {
    return [...this.windows].map(([form, w]) => ({ form, ...w.root.getBoundingClientRect().toJSON() }));
  }
}

// Splits `text` into lines no wider than `width`: at its own line breaks, then between words, or
// between any two characters where there are no spaces (Japanese); a word wider than the line
// stands alone on it.
export function wrap(text, width, measure) {
  const out = [];
  for (const paragraph of text.split('\n')) {
    const tokens = paragraph.match(/[\u3000-\u9fff\uff00-\uffef]|[^\s\u3000-\u9fff\uff00-\uffef]+|\s+/g) || [''];
    let line = '';
    for (const token of tokens) {
      const candidate = line + token;
      if (line && measure(candidate.trimEnd()) > width) {
        out.push(line.trimEnd());
        line = /^\s+$/.test(token) ? '' : token;
      } else {
        line = candidate;
      }
    }
    out.push(line.trimEnd());
  }
  return out;
}
