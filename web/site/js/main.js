// Starts the program in the page: lays out the windows from the description
// the site's build wrote, while the WebAssembly core loads in its worker,
// then hands the core the commands and shows what they change. The page's
// main thread only presents: it never waits for the core.

/** @typedef {import('./core_messages').Effect} Effect */
/** @typedef {import('./core_messages').Snapshot} Snapshot */

import { CoreClient } from './core_client.js';
import { Desktop } from './layout.js';
import { browserLanguages, decimalSeparatorFor } from './locale.js';
import { LongWork } from './long_work.js';
import { MessageBoxes } from './messages.js';
import { PlotPicture } from './plot.js';
import { fill } from './texts.js';
import { PageWindow, setCaption } from './windows.js';

class Page {
  // The windows wait for the core only to run commands: the main window shows
  // itself busy, and the clicks that come before the core are taken once it is there.
  constructor(description, loadingCore) {
    this.description = description;
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
    this.running = false;
    this.ended = false;
    this.queue = loadingCore.then((core) => this.connect(core));
    // The designed face is not shipped; the desktop's substitute is, under its own name.
    const faces = description.font.substitutes.map((face) => `"${face}"`);
    document.documentElement.style.setProperty('--control-font', [...faces, 'sans-serif'].join(', '));
    document.documentElement.style.setProperty('--control-size', `${description.font.size}px`);
    this.open(this.main);
    this.windows.get(this.main).setBusy(true);
    this.desktop.arrange();
    this.listenToResizes();
    this.listenToEscape();
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
      case 'createWindow': this.open(effect.window); break;
      case 'showWindow': this.show(effect.window); break;
      case 'unloadWindow': this.unload(effect.window); break;
      case 'picture': this.plot?.draw(effect.width, effect.height, effect.rgba); break;
      case 'message': this.waitingMessages.push(effect.text); break;
      case 'endProgram': this.ended = true; break;
      case 'commandFailed': this.waitingMessages.push(fill(this.texts.browserRefused)); break;
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
    pageWindow.closeBox.addEventListener('click', () => this.closeByFrame(name));
    if (isPlot) this.plot = new PlotPicture(pageWindow, (x, y) => this.readOut(x, y));
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

  // The readout under the pointer, the latest position only while the core is
  // still answering the one before.
  readOut(x, y) {
    if (!this.core) return;
    const asking = this.pointer;
    this.pointer = { x, y };
    if (asking) return;
    const answer = async () => {
      while (this.pointer) {
        const at = this.pointer;
        await this.ask({ kind: 'pointer', ...at });
        if (this.pointer === at) this.pointer = null;
      }
      this.showWaitingMessages();
    };
    answer();
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
  }

  // The window goes with everything it showed; a fresh hidden one is ready
  // for the next time it is needed.
  unload(name) {
    const pageWindow = this.windows.get(name);
    this.desktop.remove(pageWindow);
    this.windows.delete(name);
    if (name === this.plotWindow) this.plot = null;
    this.open(name);
    this.refocusMain = true;
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

  focusFirstControl(pageWindow) {
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

// Without its core the program cannot run: the page's note says so, in place of the windows.
function cannotLoad(error) {
  console.error(error);
  document.getElementById('desktop').hidden = true;
  document.documentElement.className = '';
}

async function loadCore() {
  if (typeof WebAssembly !== 'object') throw new Error('WebAssembly is missing');
  return CoreClient.start(decimalSeparatorFor(browserLanguages()));
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
  const loadingCore = loadCore();
  loadingCore.catch(() => {});  // a core that failed is told below, once the page waits for it
  const description = await loadDescription();
  await controlFontLoaded(description);
  document.documentElement.className = 'running';
  const page = new Page(description, loadingCore);
  await page.queue;
}

start().catch(cannotLoad);
