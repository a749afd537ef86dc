// Paints the game's windows as the desktop shows them: one window a shown form, its canvas painted
// in the form's drawing order (labels, pictures nearest-neighbour, shapes, picture boxes), its
// buttons, lists, text boxes and scroll bars as HTML widgets above the canvas.

const PX_PER_POINT = 96 / 72;

export class Painter {
  constructor(desktop, pictures, fonts, input) {
    this.desktop = desktop;  // the element the windows are placed in
    this.pictures = pictures;  // {store: {image, columns, cell}, files: Map(name -> image)}
    this.fonts = fonts;  // the game's font names -> CSS families
    this.input = input;  // what the widgets report to
    this.scale = 1;
    this.windows = new Map();  // form name -> {root, canvas, widgets, ...}
    this.forms = [];
  }

  family(name) { return this.fonts[name] || this.fonts['ＭＳ Ｐゴシック'] || 'sans-serif'; }

  // The CSS font of a control's font at this scale: points at 96 dots per inch, bold struck over.
  cssFont(font, forLabel) {
    const px = Math.max(1, Math.round(font.size * PX_PER_POINT * this.scale));
    const bold = font.bold && !forLabel ? 'bold ' : '';
    return `${font.italic ? 'italic ' : ''}${bold}${px}px "${this.family(font.name)}"`;
  }

  setScale(scale) {
    if (scale === this.scale) return;
    this.scale = scale;
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
      w.title.textContent = form.caption;
      this.size(w, form);
      this.paintCanvas(w, form);
      this.placeWidgets(w, form);
    });
  }

  makeWindow(form) {
    const root = document.createElement('section');
    root.className = 'window';
    root.dataset.form = form.name;
    const bar = document.createElement('div');
    bar.className = 'title';
    const title = document.createElement('span');
    const close = document.createElement('button');
    close.type = 'button';
    close.textContent = '×';
    close.tabIndex = -1;
    close.title = this.input.word('close');
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
    const w = { root, title, client, canvas, widgets, notices, marks, elements: new Map(), form: form.name };
    this.input.watchCanvas(canvas, form.name, () => this.scale);
    return w;
  }

  size(w, form) {
    const width = Math.round(form.width * this.scale), height = Math.round(form.height * this.scale);
    if (w.canvas.width !== width || w.canvas.height !== height) {
      w.canvas.width = width;
      w.canvas.height = height;
      w.client.style.width = `${width}px`;
      w.client.style.height = `${height}px`;
    }
    // Windows open centred on the desktop, as the game's windows open centred on the screen.
    const area = this.desktop.getBoundingClientRect();
    const outerW = width + 4, outerH = height + 22;
    w.root.style.left = `${Math.max(0, Math.round((area.width - outerW) / 2))}px`;
    w.root.style.top = `${Math.max(0, Math.round((area.height - outerH) / 2))}px`;
  }

  box(b) { const s = this.scale; return [b[0] * s, b[1] * s, b[2] * s, b[3] * s]; }

  paintCanvas(w, form) {
    const ctx = w.canvas.getContext('2d');
    ctx.imageSmoothingEnabled = false;  // pixel art stays crisp
    ctx.fillStyle = form.back;
    ctx.fillRect(0, 0, w.canvas.width, w.canvas.height);
    for (const c of form.controls) {
      if (!['label', 'image', 'shape', 'pictureBox'].includes(c.kind)) continue;
      ctx.save();
      if (c.clip) {
        const [x, y, cw, ch] = this.box(c.clip);
        ctx.beginPath();
        ctx.rect(x, y, cw, ch);
        ctx.clip();
      }
      if (c.kind === 'label') this.paintLabel(ctx, c, form);
      else if (c.kind === 'image') this.paintImage(ctx, c);
      else if (c.kind === 'shape') this.paintShape(ctx, c);
      else this.paintPictureBox(ctx, c);
      ctx.restore();
    }
  }

  paintImage(ctx, c) {
    if (!c.picture) return;
    const [x, y, bw, bh] = this.box(c.box);
    if (c.picture.store !== undefined) {
      const { image, columns, cell } = this.pictures.store;
      const sx = (c.picture.store % columns) * cell, sy = Math.floor(c.picture.store / columns) * cell;
      const [dw, dh] = c.stretch ? [bw, bh] : [cell * this.scale, cell * this.scale];
      ctx.drawImage(image, sx, sy, cell, cell, x, y, dw, dh);
    } else {
      const image = this.pictures.files.get(c.picture.file);
      if (!image) return;
      const [dw, dh] = c.stretch ? [bw, bh] : [image.width * this.scale, image.height * this.scale];
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
    if (c.borderVisible) { ctx.strokeStyle = c.border; ctx.lineWidth = 1; ctx.stroke(); }
  }

  paintPictureBox(ctx, c) {
    const [x, y, w, h] = this.box(c.box);
    ctx.fillStyle = c.back;
    ctx.fillRect(x, y, w, h);
    if (c.border) { ctx.strokeStyle = '#000'; ctx.lineWidth = 1; ctx.strokeRect(x + 0.5, y + 0.5, w - 1, h - 1); }
  }

  // A label's caption, wrapped at its box's width (between words, or between any two characters of
  // Japanese), struck again one pixel a scale step to the right for bold, as the game's bold is.
  paintLabel(ctx, c, form) {
    const [x, y, w, h] = this.box(c.box);
    ctx.font = this.cssFont(c.font, true);
    const overstrike = c.font.bold ? this.scale : 0;
    const measure = (t) => ctx.measureText(t).width + overstrike * [...t].length;
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
    const em = Math.round(c.font.size * PX_PER_POINT * this.scale);
    if (!c.autoSize && lines.length > 1 && pitch * lines.length > h)
      pitch = Math.max(em, Math.floor((h - pitch) / (lines.length - 1)));
    if (c.opaque) { ctx.fillStyle = c.back; ctx.fillRect(x, y, width, height); }
    ctx.beginPath();
    ctx.rect(x, y, width, height);
    ctx.clip();
    // A word wider than its room is narrowed to fit rather than cut off.
    const widest = Math.max(0, ...lines.map(measure));
    const squeeze = !c.autoSize && widest > w && widest > 0 ? Math.max(0.5, w / widest) : 1;
    ctx.fillStyle = c.color;
    ctx.textBaseline = 'alphabetic';
    lines.forEach((line, i) => {
      const lw = measure(line) * squeeze;
      let lx = x;
      if (c.align === 'center') lx = x + (width - lw) / 2;
      else if (c.align === 'right') lx = x + width - lw;
      const ly = y + i * pitch + ascent;
      for (let dx = 0; dx <= overstrike; ++dx) {
        ctx.save();
        ctx.translate(lx + dx, ly);
        ctx.scale(squeeze, 1);
        if (overstrike) {
          // Each character advances the struck pixel more.
          let at = 0;
          for (const ch of line) { ctx.fillText(ch, at, 0); at += ctx.measureText(ch).width + overstrike; }
        } else {
          ctx.fillText(line, 0, 0);
        }
        if (c.font.underline) ctx.fillRect(0, Math.max(1, descent / 3), measure(line), Math.max(1, this.scale));
        ctx.restore();
      }
    });
  }

  placeWidgets(w, form) {
    const seen = new Set();
    const focusKey = form.focus ? `${form.focus.name}(${form.focus.index})` : null;
    for (const c of form.controls) {
      if (['label', 'image', 'shape', 'pictureBox'].includes(c.kind)) continue;
      const key = `${c.name}(${c.index})`;
      seen.add(key);
      let el = w.elements.get(key);
      if (!el) { el = this.makeWidget(form.name, c); w.elements.set(key, el); w.widgets.append(el); }
      const [x, y, bw, bh] = this.box(c.box);
      Object.assign(el.style, { left: `${x}px`, top: `${y}px`, width: `${bw}px`, height: `${bh}px` });
      if (c.font) el.style.font = this.cssFont(c.font, false);
      el.classList.toggle('focused', form.cues && key === focusKey);
      this.updateWidget(el, c);
    }
    for (const [key, el] of w.elements) if (!seen.has(key)) { el.remove(); w.elements.delete(key); }
    // The keyboard's mark: the select window's pointer, or a control that has the keyboard.
    let mark = w.widgets.querySelector(':scope > .mark');
    if (form.keyboardMark) {
      if (!mark) { mark = document.createElement('div'); mark.className = 'mark'; w.widgets.append(mark); }
      const [x, y, bw, bh] = this.box(form.keyboardMark);
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
      const fontSize = `${12 * this.scale}px`;
      const lines = mine ? notices : [];
      if (w.notices.dataset.shown !== lines.join('\n')) {
        w.notices.dataset.shown = lines.join('\n');
        w.notices.replaceChildren(...lines.map((t) => { const d = document.createElement('div'); d.textContent = t; return d; }));
      }
      w.notices.style.fontSize = fontSize;
      w.notices.style.top = `${4 * this.scale}px`;
      const shownMarks = mine ? marks : [];
      if (w.marks.dataset.shown !== shownMarks.join('\n')) {
        w.marks.dataset.shown = shownMarks.join('\n');
        w.marks.replaceChildren(...(shownMarks.length ? [Object.assign(document.createElement('span'), { textContent: shownMarks.join('　') })] : []));
      }
      w.marks.style.fontSize = `${11 * this.scale}px`;
    }
  }

  // The window of `name`'s client area in page pixels, for the page's own dialogs.
  frontArea() {
    const front = this.forms.length ? this.windows.get(this.forms[this.forms.length - 1].name) : null;
    return front ? front.client.getBoundingClientRect() : this.desktop.getBoundingClientRect();
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
