// The game's sounds through Web Audio: each play the core hands over starts its file (from where
// the game's clock says it is by now), a new play on a slot cuts the one before it short with a
// short fade, as the desktop's mixer does; the music and the effects each have their level.
const CUT_FADE = 0.004;  // seconds: heard as a stop, without a click

export class GameAudio {
  constructor() {
    this.context = null;
    this.buffers = new Map();  // file name -> AudioBuffer
    this.pending = new Map();  // file name -> ArrayBuffer not yet decoded
    this.playing = new Map();  // slot -> {source, gain}
    this.levels = { music: 1, effects: 1 };
    this.log = [];
  }

  // Kept until the first key or click gives the page its sound.
  keep(file, bytes) { this.pending.set(file, bytes); }

  get started() { return this.context !== null && this.context.state === 'running'; }

  // Made at the player's first key or click, as browsers allow.
  async start() {
    if (!this.context) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return;
      this.context = new Context();
      this.music = this.context.createGain();
      this.effects = this.context.createGain();
      this.music.connect(this.context.destination);
      this.effects.connect(this.context.destination);
      this.applyLevels();
      const decoding = [...this.pending].map(async ([file, bytes]) => {
        try {
          this.buffers.set(file, await this.context.decodeAudioData(bytes.slice(0)));
        } catch (e) {
          console.warn(`mojara: cannot play ${file}: ${e}`);
        }
      });
      this.pending.clear();
      this.context.resume();
      await Promise.all(decoding);
    } else {
      await this.context.resume();
    }
  }

  pause() { if (this.context) this.context.suspend(); }
  resume() { if (this.context) this.context.resume(); }

  setLevels(levels) {
    this.levels = levels;
    this.applyLevels();
  }

  applyLevels() {
    if (!this.context) return;
    this.music.gain.value = this.levels.music;
    this.effects.gain.value = this.levels.effects;
  }

  // The core's sound events; `now` is the game's clock (ms) as the page handles them.
  handle(events, now, musicFile) {
    for (const e of events) {
      if (e.type === 'stop') this.stop(e.slot);
      else if (e.type === 'play') this.play(e.slot, e.music ? musicFile : e.file, e.music, now - e.at, e.at);
      else if (e.type === 'beep') this.play('beep', e.file, false, now - e.at, e.at);
    }
  }

  play(slot, file, music, lateMs, at) {
    // For checks: every sound the game started, and whether a node of the browser's plays it.
    const logged = { slot, file, at, started: false };
    this.log.push(logged);
    this.stop(slot);
    const buffer = this.buffers.get(file);
    if (!this.context || !buffer) return;
    const offset = Math.max(0, lateMs / 1000);
    if (offset >= buffer.duration) return;
    const source = this.context.createBufferSource();
    source.buffer = buffer;
    const gain = this.context.createGain();
    source.connect(gain);
    gain.connect(music ? this.music : this.effects);
    source.start(0, offset);
    logged.started = true;
    const entry = { source, gain };
    source.onended = () => { if (this.playing.get(slot) === entry) this.playing.delete(slot); };
    this.playing.set(slot, entry);
  }

  stop(slot) {
    const entry = this.playing.get(slot);
    if (!entry || !this.context) return;
    this.playing.delete(slot);
    const t = this.context.currentTime;
    entry.gain.gain.setValueAtTime(1, t);
    entry.gain.gain.linearRampToValueAtTime(0, t + CUT_FADE);
    entry.source.stop(t + CUT_FADE);
  }
}
