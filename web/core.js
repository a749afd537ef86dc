// The game's module: its plain C functions as JavaScript calls, each answering with the scene
// (JSON) that follows it.
export class Core {
  constructor(module) {
    this.module = module;
    const text = (name, args) => module.cwrap(name, 'string', args);
    this.fns = {
      start: text('mojara_start', ['string']),
      frame: text('mojara_frame', ['number']),
      step: text('mojara_step', []),
      input: text('mojara_input', ['string']),
      keyDown: text('mojara_key_down', ['string', 'string', 'number']),
      virtualKeyDown: text('mojara_virtual_key_down', ['number', 'number']),
      pad: text('mojara_pad', ['number', 'number', 'number']),
      command: text('mojara_command', ['number', 'number']),
      mouseDown: text('mojara_mouse_down', ['string', 'number', 'number', 'number']),
      mouseMove: text('mojara_mouse_move', ['string', 'number', 'number', 'number']),
      click: text('mojara_click', ['string', 'string', 'number']),
      change: text('mojara_change', ['string', 'string', 'number', 'number']),
      choose: text('mojara_choose', ['string', 'string', 'number', 'number']),
      close: text('mojara_close', ['string']),
      closeMessageBox: text('mojara_close_message_box', []),
      versusFight: text('mojara_versus_fight', ['number', 'number']),
      versusClosed: text('mojara_versus_closed', []),
      keyWindowClosed: text('mojara_key_window_closed', []),
      playReplay: text('mojara_play_replay', ['string']),
      setSettings: text('mojara_set_settings', ['string']),
      bindKey: text('mojara_bind_key', ['number', 'number', 'number']),
      bindButton: text('mojara_bind_button', ['number', 'number', 'number']),
      settings: text('mojara_settings', []),
      scene: text('mojara_scene', []),
    };
    this.nextDue = module.cwrap('mojara_next_due', 'number', []);
    // The log and the trace of the logging mode, as plain text.
    this.log = module.cwrap('mojara_log', 'string', ['string']);
    this.trace = module.cwrap('mojara_trace', 'string', []);
    this.virtualKeyOf = module.cwrap('mojara_key_code', 'number', ['string', 'string']);
  }

  call(name, ...args) { return JSON.parse(this.fns[name](...args)); }

  // Writes a file the game reads into its folder.
  writeFile(path, bytes) {
    const parts = path.split('/').filter(Boolean);
    let dir = '';
    for (const part of parts.slice(0, -1)) {
      dir += '/' + part;
      try { this.module.FS.mkdir(dir); } catch (e) { /* there already */ }
    }
    this.module.FS.writeFile(path, bytes);
  }

  readFile(path) { return this.module.FS.readFile(path, { encoding: 'utf8' }); }
  listFolder(path) { try { return this.module.FS.readdir(path); } catch (e) { return []; } }
}
