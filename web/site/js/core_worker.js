// The core's worker: the program's commands run here, away from the page's
// main thread, which keeps the DOM and stays free to paint and to answer.
// Each request brings a snapshot of what the core reads from the page; what
// the core changes goes back as effects, in order, a step's worth at a time.

/** @typedef {import('./core_messages').Snapshot} Snapshot */
/** @typedef {import('./core_messages').Effect} Effect */
/** @typedef {import('./core_messages').CoreStart} CoreStart */
/** @typedef {import('./core_messages').CoreRequest} CoreRequest */
/** @typedef {import('./core_messages').CoreReply} CoreReply */

import { PlotRun } from './plot_run.js';
import { exportFromCore } from './plot_exports_core.js';

// How long the window, axes and labels of a plot wait for its traces before
// they show alone, in ms: about a frame.
const FIRST_STEP_AFTER = 20;
// The page's bar moves every 100 ms at most: news of the progress more often
// would only wake the page's thread, which a quick plot needs for its end.
const PROGRESS_EVERY = 50;

/** @type {Snapshot} */
const NO_SNAPSHOT = { texts: {}, checked: {}, areas: {}, canvas: { width: 0, height: 0 } };

// What the program's PageFace calls: reads answer from the request's
// snapshot, changes are recorded (and kept in the snapshot, so that the core
// reads back what it wrote).
class RecordingFace {
  constructor() {
    this.snapshot = NO_SNAPSHOT;
    /** @type {Effect[]} */
    this.effects = [];
    /** @type {Transferable[]} what the effects carry that moves to the page rather than being copied */
    this.transfer = [];
    this.changedPicture = null;
  }

  text(window, control) { return this.snapshot.texts[window]?.[control] ?? ''; }
  setText(window, control, text) {
    const texts = this.snapshot.texts[window];
    if (texts && control in texts) texts[control] = text;
    this.effects.push({ kind: 'text', window, control, text });
  }
  setTextColour(window, control, colour) { this.effects.push({ kind: 'colour', window, control, colour }); }
  place(window, control, left, top) { this.effects.push({ kind: 'place', window, control, left, top }); }
  isChecked(window, control) { return this.snapshot.checked[window]?.[control] ?? false; }
  check(window, control) {
    // Checking one option button unchecks the others of its window: each
    // window's option buttons are one group (those of the waveform window's
    // readout are its only ones).
    const options = this.snapshot.checked[window] ?? {};
    for (const name of Object.keys(options)) options[name] = name === control;
    this.effects.push({ kind: 'check', window, control });
  }
  setToolTip(window, control, text) { this.effects.push({ kind: 'toolTip', window, control, text }); }
  moveCursor(window, control, column) { this.effects.push({ kind: 'cursor', window, control, column }); }
  announce(text) { this.effects.push({ kind: 'announce', text }); }
  describe(window, control, text) { this.effects.push({ kind: 'describe', window, control, text }); }
  innerWidth(window, control) { return this.snapshot.areas[window]?.[control]?.width ?? 0; }
  innerHeight(window, control) { return this.snapshot.areas[window]?.[control]?.height ?? 0; }
  createWindow(window) { this.effects.push({ kind: 'createWindow', window }); }
  showWindow(window) { this.effects.push({ kind: 'showWindow', window }); }
  unloadWindow(window) { this.effects.push({ kind: 'unloadWindow', window }); }
  pictureChanged(window, control) { this.changedPicture = { window, control }; }
  endProgram() { this.effects.push({ kind: 'endProgram' }); }
  commandFailed() { this.effects.push({ kind: 'commandFailed' }); }
}

class CoreWorker {
  /** @param {import('../ostrevo').Core} core  @param {CoreStart} start */
  constructor(core, start) {
    this.core = core;
    this.face = new RecordingFace();
    this.program = new core.Program(this.face, start.decimalSeparator);
    /** @type {PlotRun | null} */
    this.plot = null;
    this.samplers = start.samplers;
  }

  // Whatever escapes the core ends its request as a failure, never the worker.
  /** @param {CoreRequest} request */
  handleGuarded(request) {
    if (request.kind === 'stop') this.stopPlot();
    else if (request.kind === 'export') {
      this.guarded(request.id, () => this.post({ kind: 'exported', id: request.id,
                                                 result: exportFromCore(this.core, this.program, request) }));
    } else this.guarded(request.id, () => this.handle(request));
  }

  guarded(id, action) {
    try {
      action();
    } catch (error) {
      console.error(error);
      if (this.plotId === id) this.dropPlot();
      this.face.commandFailed();
      this.reply('done', id);
    }
  }

  /** @param {Exclude<CoreRequest, {kind: 'stop'} | {kind: 'export'}>} request */
  handle(request) {
    this.face.snapshot = request.snapshot;
    if (request.kind === 'pointer') {
      this.program.pointerAt(request.x, request.y);
    } else if (request.kind === 'key') {
      this.program.press(this.core.ReadoutKey[request.key]);
    } else if (request.kind === 'follow') {
      this.program.followSound(request.column);
    } else if (request.kind === 'sound') {
      const sound = this.program.sound(request.sampleRate);
      this.face.effects.push({ kind: 'sound', sound });
      if (sound) this.face.transfer.push(sound.pcm.buffer);
    } else if (request.kind === 'address') {
      // Only read: the plot and its labels stay as the page has settled them.
      this.face.effects.push({ kind: 'address', query: this.program.shownQuery(request.plotShown) });
    } else {
      this.fitPicture(request.snapshot);
      if (request.kind === 'click' && this.program.startsPlot(request.window, request.control)) {
        this.startPlot(request.id);
        return;
      }
      if (request.kind === 'click') this.recordEnd(this.program.click(request.window, request.control));
      if (request.kind === 'closeWindow') this.program.closeWindow(request.window);
      if (request.kind === 'openLink') this.openLink(request.query);
    }
    this.reply('done', request.id);
  }

  // The plot at the canvas's present size, its labels for their areas' sizes.
  fitPicture({ canvas }) {
    if (canvas.width > 0 && canvas.height > 0) this.program.resizePicture(canvas.width, canvas.height);
  }

  // "Grafici" in steps: the window, axes and labels first, then the sampling
  // spread over the sampling workers while this worker stays free for the
  // readout and a stop, then the traces.
  startPlot(id) {
    const sampling = this.program.beginPlot(this.samplers.length);
    this.recordEnd(this.program.takeMessages());
    if (!sampling) {
      this.reply('done', id);
      return;
    }
    // The first step shows once the plot is seen to take a while: a quick
    // plot shows once, whole.
    this.firstStep = setTimeout(() => this.reply('effects', id), FIRST_STEP_AFTER);
    this.plotId = id;
    this.progressToldAt = performance.now();
    const program = this.program;
    this.plot = new PlotRun(this.samplers, sampling, {
      chunkCount: () => program.chunkCount(),
      needs: (index) => program.needsChunk(index),
      add: (index, outcome) => program.addChunk(index, outcome),
      sampled: () => program.plotSampled(),
      progress: () => this.tellProgress(id),
      finish: () => this.guarded(id, () => {
        clearTimeout(this.firstStep);
        this.plot = null;
        program.finishPlot();
        this.recordEnd(program.takeMessages());
        this.reply('done', id);
      }),
      fail: () => {
        this.face.commandFailed();
        this.stopPlot();
      },
    });
    this.plot.start();
  }

  tellProgress(id) {
    if (performance.now() - this.progressToldAt < PROGRESS_EVERY) return;
    this.progressToldAt = performance.now();
    this.post({ kind: 'progress', id, done: this.program.doneFraction() });
  }

  // The running plot ends where it is, as a fault there would end it.
  stopPlot() {
    if (!this.plot) return;
    this.dropPlot();
    this.face.effects.push({ kind: 'stopped' });
    this.reply('done', this.plotId);
  }

  dropPlot() {
    clearTimeout(this.firstStep);
    this.plot?.abandon();
    this.plot = null;
    this.program.abandonPlot();
  }

  // A link's fields filled, then the buttons of its commands to click in turn.
  openLink(query) {
    const buttons = this.program.openLink(query);
    const controls = [];
    for (let i = 0; i < buttons.size(); i += 1) controls.push(buttons.get(i));
    buttons.delete();
    this.face.effects.push({ kind: 'linkCommands', controls });
    this.record(this.program.takeMessages());
  }

  // The messages a command left, after its other effects.
  record(messages) {
    for (let i = 0; i < messages.size(); i += 1) this.face.effects.push({ kind: 'message', text: messages.get(i) });
    messages.delete();
  }

  // The messages of a command that has ended, and whether it stopped there.
  recordEnd(messages) {
    this.record(messages);
    if (this.program.stopped()) this.face.effects.push({ kind: 'stopped' });
  }

  // The effects recorded since the last reply, the raster last when it changed.
  reply(kind, id) {
    const effects = this.face.effects.splice(0);
    const transfer = this.face.transfer.splice(0);
    if (this.face.changedPicture) {
      const rgba = this.program.pictureBytes().slice().buffer;
      effects.push({ kind: 'picture', ...this.face.changedPicture, width: this.program.pictureWidth(),
                     height: this.program.pictureHeight(), rgba });
      transfer.push(rgba);
      this.face.changedPicture = null;
    }
    this.post({ kind, id, effects }, transfer);
  }

  /** @param {CoreReply} reply  @param {Transferable[]} [transfer] */
  post(reply, transfer = []) {
    self.postMessage(reply, transfer);
  }
}

// The core's module is instantiated once the page has said how to start;
// requests that come meanwhile wait for it.
self.onmessage = async ({ data: start }) => {
  /** @type {CoreRequest[]} */
  const waiting = [];
  self.onmessage = ({ data }) => waiting.push(data);
  try {
    const { default: createOstrevo } = await import('../ostrevo.js');
    const worker = new CoreWorker(await createOstrevo(), start);
    self.onmessage = ({ data }) => worker.handleGuarded(data);
    self.postMessage({ kind: 'ready' });
    for (const request of waiting) worker.handleGuarded(request);
  } catch (error) {
    self.postMessage({ kind: 'cannotLoad', reason: String(error) });
  }
};
