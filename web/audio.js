// The game's sounds through Web Audio: each play the core hands over starts its file (from where
// the game's clock says it is by now), a new play on a slot cuts the one before it short with a
// short fade, as the desktop's mixer does; the music and the effects each have their level.
const CUT_FADE = 0.004;  // seconds: heard as a stop, without a click
// Once nothing has sounded for this long, the audio graph is suspended, and wakes at the next play.
const IDLE_MS = 1000;

export class GameAudio {
  constructor() {
    this.context = null;
    this.buffers = new Map();  // file name -> AudioBuffer
    this.pending = new Map();  // file name -> ArrayBuffer not yet decoded
    this.playing = new Map();  // slot -> {source, gain}
    this.levels = { music: 1, effects: 1 };
    this.log = [];
    this.idle = null;  // the timer that suspends the graph once nothing sounds
    this.paused = false;  // held by the page (a tab in the background)
  }

  // Kept until the first key or click gives the page its sound.
  keep(file, bytes) { this.pending.set(file, bytes); }

  get started() { return this.context !== null && this.context.state === 'running'; }
  // Whether the page has its sound: the graph runs, or rests while nothing sounds.
  get state() {
    if (!this.context) return 'none';
    if (this.context.state === 'suspended' && this.resting) return 'idle';
    return this.context.state;
  }

  // Made at the player's first key or tap, in its own handler, as browsers allow (Safari only
  // then); called again at every key or tap until the browser lets it run.
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
      // Not waited for: a browser that wants a gesture first leaves it pending until one comes.
      this.unlock();
      await Promise.all(decoding);
    } else if (!this.unlocked) {
      this.unlock();
    }
  }

  // The browser lets the graph run once a gesture allowed it; until then it is asked again.
  unlock() {
    return this.context.resume().then(() => {
      if (this.context.state !== 'running') return;
      this.unlocked = true;
      if (!this.playing.size) this.rest();
    }, () => {});
  }

  pause() { this.paused = true; if (this.context) this.context.suspend(); }
  resume() { this.paused = false; if (this.context && this.playing.size) this.context.resume(); else this.rest(); }

  // Nothing sounds: the graph is suspended a moment later, so a silent title costs nothing.
  rest() {
    clearTimeout(this.idle);
    this.idle = setTimeout(() => {
      if (!this.context || this.playing.size || this.context.state !== 'running') return;
      this.resting = true;
      this.context.suspend();
    }, IDLE_MS);
  }

  wake() {
    clearTimeout(this.idle);
    if (this.resting && !this.paused) { this.resting = false; this.context.resume(); }
  }

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
    this.wake();
    source.start(0, offset);
    logged.started = true;
    const entry = { source, gain };
    source.onended = () => {
      if (this.playing.get(slot) === entry) this.playing.delete(slot);
      if (!this.playing.size) this.rest();
    };
    this.playing.set(slot, entry);
  }

  // Every sound cut short (a fresh start of the game).
  stopAll() { for (const slot of [...this.playing.keys()]) this.stop(slot); }

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
