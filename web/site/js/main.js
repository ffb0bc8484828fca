// Starts the program in the page: lays out the windows from the description
// the site's build wrote, while the WebAssembly core loads in its worker,
// then hands the core the commands and shows what they change. The page's
// main thread only presents: it never waits for the core.

/** @typedef {import('./core_messages').Effect} Effect */
/** @typedef {import('./core_messages').Snapshot} Snapshot */
/** @typedef {import('./core_messages').ReadoutRequest} ReadoutRequest */

import { AudioTracePlayer } from './audio_trace.js';
import { CoreClient } from './core_client.js';
import { Desktop } from './layout.js';
import { browserLanguages, decimalSeparatorFor } from './locale.js';
import { LongWork } from './long_work.js';
import { MessageBoxes } from './messages.js';
import { PlotPicture } from './plot.js';
import { PlotExportMenu } from './plot_exports.js';
import { fill } from './texts.js';
import { PageWindow, setCaption } from './windows.js';

// The address follows the main window at most this often, in ms: WebKit
// refuses more than a hundred changes of the address in thirty seconds.
const ADDRESS_EVERY = 350;

class Page {
  // The windows wait for the core only to run commands: the main window shows
  // itself busy, and the clicks that come before the core are taken once it is there.
  constructor(description, loadingCore, decimalSeparator) {
    this.description = description;
    this.decimalSeparator = decimalSeparator;
    this.texts = description.texts;
    // The start-up window comes first; the plot's window holds the plot.
    const names = Object.keys(description.windows);
    this.main = names[0];
    this.plotWindow = names.find((name) => description.windows[name].controls.some((c) => c.plot));
    this.desktop = new Desktop(document.getElementById('desktop'), names.map((name) => description.windows[name].width));
    this.messages = new MessageBoxes(description.messageTitle, description.messageButton);
    this.windows = new Map();
    /** @type {string[]} */
    this.waitingMessages = [];
    /** @type {LongWork | null} */
    this.longWork = null;
    /** @type {ReadoutRequest[]} readout requests not yet sent, in order */
    this.readouts = [];
    this.spoken = document.getElementById('spoken');
    this.audio = new AudioTracePlayer({
      ask: (sampleRate) => this.readOut({ kind: 'sound', sampleRate }),
      follow: (column) => this.readOut({ kind: 'follow', column }),
      unavailable: () => this.messages.show(description.texts.audioUnavailable),
    });
    this.running = false;
    this.ended = false;
    // Whether the last command stopped; the buttons a link clicks in turn.
    this.commandStopped = false;
    /** @type {string[]} */
    this.linkCommands = [];
    this.openingLink = false;
    this.keepingAddress = false;
    this.addressAgain = false;
    this.queue = loadingCore.then((core) => this.connect(core)).then(() => this.openLink());
    // The designed face is not shipped; the desktop's substitute is, under its own name.
    const faces = description.font.substitutes.map((face) => `"${face}"`);
    document.documentElement.style.setProperty('--control-font', [...faces, 'sans-serif'].join(', '));
    document.documentElement.style.setProperty('--control-size', `${description.font.size}px`);
    document.documentElement.style.setProperty('--readout-cursor', description.readoutCursor);
    this.open(this.main);
    this.windows.get(this.main).setBusy(true);
    this.desktop.arrange();
    this.listenToResizes();
    this.listenToEscape();
    // WebKit empties the fields when it brings the page back from its cache
    // (they take no autocompletion): the address fills them again.
    addEventListener('pageshow', (event) => {
      if (event.persisted) this.queue = this.queue.then(() => this.fillFromAddress());
    });
    this.focusFirstControl(this.windows.get(this.main));
  }

  /** @param {CoreClient} core */
  connect(core) {
    this.core = core;
    this.windows.get(this.main)?.setBusy(false);
  }

  // What the core reads from the page, as it is now.
  /** @returns {Snapshot} */
  snapshot() {
    /** @type {Snapshot} */
    const taken = { texts: {}, checked: {}, areas: {}, canvas: this.plot?.shownSize() ?? { width: 0, height: 0 } };
    for (const [name, pageWindow] of this.windows) {
      taken.texts[name] = {};
      taken.checked[name] = {};
      taken.areas[name] = {};
      for (const { element, control } of pageWindow.controls.values()) {
        if (control.kind === 'field') taken.texts[name][control.name] = /** @type {HTMLInputElement} */ (element).value;
        else if (control.role === 'result') taken.texts[name][control.name] = element.textContent;
        if (control.kind === 'option') taken.checked[name][control.name] = element.querySelector('input').checked;
        if (control.kind === 'picture') taken.areas[name][control.name] = pageWindow.innerSize(control.name);
      }
    }
    return taken;
  }

  // What the core changed, shown in the order it changed it; messages wait
  // for the end of their command.
  /** @param {Effect[]} effects */
  apply(effects) {
    for (const effect of effects) this.applyOne(effect);
  }

  /** @param {Effect} effect */
  applyOne(effect) {
    const element = () => {
      const { window, control } = /** @type {{window: string, control: string}} */ (effect);
      return this.windows.get(window).control(control).element;
    };
    switch (effect.kind) {
      case 'text': {
        const e = element();
        if (e instanceof HTMLInputElement) e.value = effect.text;
        else setCaption(e, effect.text);
        break;
      }
      case 'colour': element().style.color = effect.colour; break;
      case 'place':
        element().style.left = `${effect.left}px`;
        element().style.top = `${effect.top}px`;
        break;
      case 'check': element().querySelector('input').checked = true; break;
      case 'toolTip': element().title = effect.text; break;
      case 'cursor': this.plot?.moveCursor(effect.column); break;
      case 'announce': this.announce(effect.text); break;
      case 'describe': {
        const described = element().getAttribute('aria-describedby');
        if (described) document.getElementById(described).textContent = effect.text;
        break;
      }
      case 'sound': this.audio.play(effect.sound); break;
      case 'createWindow': this.open(effect.window); break;
      case 'showWindow': this.show(effect.window); break;
      case 'unloadWindow': this.unload(effect.window); break;
      case 'picture': this.plot?.draw(effect.width, effect.height, effect.rgba); break;
      case 'message': this.waitingMessages.push(effect.text); break;
      case 'endProgram': this.ended = true; break;
      case 'commandFailed':
        this.waitingMessages.push(fill(this.texts.browserRefused));
        this.commandStopped = true;
        break;
      case 'stopped': this.commandStopped = true; break;
      case 'linkCommands': this.linkCommands = effect.controls; break;
      case 'address': showAddress(effect.query); break;
    }
  }

  // Creates a window hidden, in its designed state.
  open(name) {
    if (this.windows.has(name)) return;
    const isPlot = name === this.plotWindow;
    const pageWindow = new PageWindow(name, this.description.windows[name]);
    pageWindow.frame.hidden = isPlot;
    this.windows.set(name, pageWindow);
    this.desktop.add(pageWindow);
    this.listenToButtons(pageWindow);
    if (name === this.main) pageWindow.element.addEventListener('input', () => this.keepAddress());
    pageWindow.closeBox.addEventListener('click', () => this.closeByFrame(name));
    if (isPlot) {
      this.plot = new PlotPicture(pageWindow, {
        pointer: (x, y) => this.readOut({ kind: 'pointer', x, y }),
        key: (key) => this.readOut({ kind: 'key', key }),
        toggleSound: () => this.audio.toggle(),
        // The message that no sound can be heard takes the focus, and gives it back.
        stopSound: () => !this.messages.dialog.open && this.audio.stop(),
      });
      this.exports = new PlotExportMenu(pageWindow, { core: () => this.core, decimalSeparator: this.decimalSeparator,
                                                      show: (message) => this.messages.show(message),
                                                      longWork: this.description.longWork });
    }
  }

  // The live region's text, a sentence said once after what is being said;
  // the same sentence again is made to differ, or it would not be said.
  announce(text) {
    this.spoken.textContent = this.spoken.textContent === text ? `${text}\u00a0` : text;
  }

  // The close box of a frame closes that window only; the program ends once
  // no window is left on the page.
  async closeByFrame(name) {
    if (this.running) return;
    if (name === this.main) this.windows.get(name).frame.hidden = true;
    else await this.ask({ kind: 'closeWindow', window: name });
    this.afterCommand();
  }

  // A request to the core with the page as it is now, its effects shown as they come.
  ask(request, progress) {
    return this.core.request({ ...request, snapshot: this.snapshot() }, (effects) => this.apply(effects), progress);
  }

  // The readout's requests to the core in turn: a key is never lost, a
  // position (pointer or sound) still unsent gives way to the next one.
  /** @param {ReadoutRequest} request */
  readOut(request) {
    if (!this.core) return;
    const last = this.readouts.length - 1;
    if (last >= 0 && this.readouts[last].kind === request.kind && ['pointer', 'follow'].includes(request.kind)) {
      this.readouts[last] = request;
    } else {
      this.readouts.push(request);
    }
    if (!this.readingOut) this.answerReadouts();
  }

  async answerReadouts() {
    this.readingOut = true;
    while (this.readouts.length > 0) await this.ask(this.readouts.shift());
    this.readingOut = false;
    this.showWaitingMessages();
  }

  noWindowShown() {
    return [...this.windows.values()].every((pageWindow) => pageWindow.frame.hidden);
  }

  show(name) {
    const pageWindow = this.windows.get(name);
    const opening = pageWindow.frame.hidden;
    pageWindow.frame.hidden = false;
    pageWindow.listed = undefined;
    this.desktop.arrange();
    this.desktop.bringToFront(pageWindow);
    if (name === this.plotWindow && opening) this.fitPlot();
    // A list stands below the main window's: bring it into view.
    if (opening && pageWindow.listed) pageWindow.frame.scrollIntoView();
    if (opening) this.focusFirst = pageWindow;
    this.keepAddress();
  }

  // The window goes with everything it showed; a fresh hidden one is ready
  // for the next time it is needed.
  unload(name) {
    const pageWindow = this.windows.get(name);
    this.desktop.remove(pageWindow);
    this.windows.delete(name);
    if (name === this.plotWindow) {
      this.plot = null;
      this.audio.stop();
    }
    this.open(name);
    this.refocusMain = true;
    this.keepAddress();
  }

  // The plot drawn at its area's present size and its labels placed for the
  // present sizes of their areas, which in a list follow the labels in turn.
  // Resizes that come while the core answers are taken together.
  async fitPlot() {
    if (this.fitting) {
      this.fitAgain = true;
      return this.fitting;
    }
    this.fitting = this.fitPlotNow();
    await this.fitting;
    this.fitting = null;
    if (this.fitAgain) {
      this.fitAgain = false;
      await this.fitPlot();
    }
  }

  async fitPlotNow() {
    if (!this.core || !this.plot || this.windows.get(this.plotWindow).frame.hidden) return;
    this.plot.sizeCanvas();
    await this.ask({ kind: 'fit' });
    await this.settlePlot();
  }

  // The labels a command or a fit placed, settled in a list: the voltage
  // scale as wide as they need (the plot fitted again when that changed),
  // each kept whole and clear of the one above.
  async settlePlot() {
    const plotWindow = this.windows.get(this.plotWindow);
    if (!this.plot || plotWindow.frame.hidden) return;
    if (plotWindow.fitCompanionWidths()) {
      this.plot.sizeCanvas();
      await this.ask({ kind: 'fit' });
    }
    plotWindow.settleLabels();
  }

  listenToButtons(pageWindow) {
    for (const { element, control } of pageWindow.controls.values()) {
      if (control.kind !== 'button') continue;
      element.addEventListener('click', () => this.run(pageWindow.name, control.name));
    }
  }

  listenToResizes() {
    const relayout = () => {
      this.desktop.arrange();
      this.fitPlot();
    };
    window.addEventListener('resize', relayout);
    const watchRatio = () => {
      matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
        relayout();
        watchRatio();
      }, { once: true });
    };
    watchRatio();
  }

  // Clicks are taken in turn, as a desktop takes the input that came while a
  // command ran: each command starts once the one before it has ended.
  run(windowName, controlName) {
    this.queue = this.queue.then(() => this.runNow(windowName, controlName));
  }

  // One command: the busy sign, the work in the core's worker (its progress
  // shown once it takes long), then its messages in turn.
  async runNow(windowName, controlName) {
    const started = this.windows.get(windowName);
    if (this.ended || !started) return;
    this.running = true;
    this.audio.stop();
    this.commandStopped = false;
    started.setBusy(true);
    this.longWork = new LongWork(started.element, this.description.longWork, () => this.core.stop());
    await this.ask({ kind: 'click', window: windowName, control: controlName }, (done) => this.longWork.progress(done));
    this.longWork.end(started.control(controlName).element);
    this.longWork = null;
    await this.fitting;
    await this.settlePlot();
    started.setBusy(false);
    await this.messages.showInTurn(this.waitingMessages.splice(0));
    this.afterCommand();
    this.running = false;
    this.keepAddress();
  }

  // The link in the page's address, once the core is there: its fields
  // filled, then its commands run in turn, as clicks on their buttons, up to
  // the first that stops.
  async openLink() {
    if (!location.search) return;
    // Meanwhile the address stays the link's: a reload then opens it again.
    this.openingLink = true;
    try {
      this.linkCommands = [];
      await this.ask({ kind: 'openLink', query: location.search });
      await this.messages.showInTurn(this.waitingMessages.splice(0));
      for (const control of this.linkCommands) {
        await this.runNow(this.main, control);
        if (this.commandStopped || this.ended) break;
      }
    } finally {
      this.openingLink = false;
    }
    this.keepAddress();
  }

  // The fields the address names, its commands not run again: what they
  // showed is still there.
  async fillFromAddress() {
    await this.ask({ kind: 'openLink', query: location.search });
    this.waitingMessages.splice(0);
  }

  // The address holds what the main window shows (replaced, never a new
  // entry of the history), so that a reload, a return to the page or the
  // copied address show it again. Changes that come meanwhile are taken
  // together.
  async keepAddress() {
    if (!this.core || this.ended || this.openingLink) return;
    this.addressAgain = this.keepingAddress;
    if (this.keepingAddress) return;
    this.keepingAddress = true;
    do {
      this.addressAgain = false;
      const asked = performance.now();
      await this.ask({ kind: 'address', plotShown: this.plotShown() });
      await new Promise((resolve) => setTimeout(resolve, ADDRESS_EVERY - (performance.now() - asked)));
    } while (this.addressAgain && !this.ended);
    this.keepingAddress = false;
  }

  plotShown() {
    const plotWindow = this.windows.get(this.plotWindow);
    return Boolean(plotWindow && !plotWindow.frame.hidden);
  }

  // Escape stops a command that takes long, as its stop button does.
  listenToEscape() {
    document.addEventListener('keydown', (event) => {
      if (event.key !== 'Escape' || !this.longWork || this.messages.dialog.open) return;
      event.preventDefault();
      this.core.stop();
    });
  }

  afterCommand() {
    if (this.ended || this.noWindowShown()) {
      this.endProgram();
      return;
    }
    if (this.focusFirst) {
      this.focusFirstControl(this.focusFirst);
      this.focusFirst = null;
    }
    const main = this.windows.get(this.main);
    if (this.refocusMain && !main.frame.hidden) this.focusFirstControl(main);
    this.refocusMain = false;
  }

  // In a page of another origin the program takes the focus only once it has
  // it: it would take the keys typed there, and scroll that page to itself.
  focusFirstControl(pageWindow) {
    if (inForeignPage() && !document.hasFocus()) return;
    pageWindow.firstFocus().focus();
  }

  // Messages of requests other than commands (the readout's failure) show at once.
  showWaitingMessages() {
    if (!this.running) this.messages.showInTurn(this.waitingMessages.splice(0));
  }

  endProgram() {
    for (const pageWindow of this.windows.values()) pageWindow.frame.remove();
    this.windows.clear();
    document.getElementById('desktop').hidden = true;
    document.getElementById('ended-heading').textContent = fill(this.texts.programEnded);
    const restart = document.getElementById('restart');
    restart.textContent = fill(this.texts.startAgain);
    document.getElementById('ended').hidden = false;
    restart.focus();
  }
}

// Whether the page is framed by a page of another origin.
function inForeignPage() {
  try {
    return window.top !== window && window.top.location.origin !== location.origin;
  } catch {
    return true;  // another origin's location cannot be read
  }
}

// The page's address with `query` for the program's, the page's own
// parameters (workers) kept.
function showAddress(query) {
  const own = new URLSearchParams(location.search).get('workers');
  const search = [query, own === null ? '' : new URLSearchParams({ workers: own }).toString()].filter(Boolean).join('&');
  const address = `${location.pathname}${search ? `?${search}` : ''}${location.hash}`;
  if (address === `${location.pathname}${location.search}${location.hash}`) return;
  try {
    history.replaceState(history.state, '', address);
  } catch (error) {
    console.warn('the address could not follow the window:', error);
  }
}

// Without its core the program cannot run: the page's note says so, in place of the windows.
function cannotLoad(error) {
  console.error(error);
  document.getElementById('desktop').hidden = true;
  document.documentElement.className = '';
}

async function loadCore(decimalSeparator) {
  if (typeof WebAssembly !== 'object') throw new Error('WebAssembly is missing');
  return CoreClient.start(decimalSeparator);
}

async function loadDescription() {
  const response = await fetch(new URL('../description.json', import.meta.url));
  if (!response.ok) throw new Error(`description.json: ${response.status} ${response.statusText}`);
  return response.json();
}

// Resolves once both weights of the controls' face have loaded, or after a
// while if they do not: windows laid out before their font would move under
// the pointer when it comes (and a list measures its captions in it).
const FONT_WAIT = 3000;
function controlFontLoaded({ font }) {
  const face = `${font.size}px "${font.substitutes[0]}"`;
  const loaded = Promise.all([document.fonts.load(`400 ${face}`), document.fonts.load(`700 ${face}`)]);
  return Promise.race([loaded.catch(() => {}), new Promise((resolve) => setTimeout(resolve, FONT_WAIT))]);
}

// Both asked for at once; the windows are laid out as soon as their
// description and font are there, and the start ends once the core runs in them.
async function start() {
  const decimalSeparator = decimalSeparatorFor(browserLanguages());
  const loadingCore = loadCore(decimalSeparator);
  loadingCore.catch(() => {});  // a core that failed is told below, once the page waits for it
  const description = await loadDescription();
  await controlFontLoaded(description);
  document.documentElement.className = 'running';
  const page = new Page(description, loadingCore, decimalSeparator);
  await page.queue;
}

start().catch(cannotLoad);
