// Starts the program in the page: lays out the windows from the description
// the site's build wrote, while the WebAssembly core loads, then runs the
// core's commands on the page's one thread.

import { Desktop } from './layout.js';
import { browserLanguages, decimalSeparatorFor } from './locale.js';
import { MessageBoxes } from './messages.js';
import { PlotPicture } from './plot.js';
import { PageWindow, setCaption } from './windows.js';


// Resolves once the browser has painted what was changed before the call (a
// page that is not shown paints no frame: then after a moment).
const HIDDEN_PAGE_WAIT = 100;
function afterPaint() {
  return new Promise((resolve) => {
    requestAnimationFrame(() => setTimeout(resolve, 0));
    if (document.visibilityState === 'hidden') setTimeout(resolve, HIDDEN_PAGE_WAIT);
  });
}

function pageText(id) {
  return document.getElementById(id).textContent.trim();
}

class Page {
  // The windows wait for the core only to run commands: the main window shows
  // itself busy, and the clicks that come before the core are taken once it is there.
  constructor(description, loadingCore) {
    this.description = description;
    // The start-up window comes first; the plot's window holds the plot.
    const names = Object.keys(description.windows);
    this.main = names[0];
    this.plotWindow = names.find((name) => description.windows[name].controls.some((c) => c.plot));
    this.desktop = new Desktop(document.getElementById('desktop'), names.map((name) => description.windows[name].width));
    this.messages = new MessageBoxes(description.messageTitle);
    this.windows = new Map();
    this.extraMessages = [];
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
    this.focusFirstControl(this.windows.get(this.main));
  }

  connect(core) {
    this.program = new core.Program(this.face(), decimalSeparatorFor(browserLanguages()));
    this.windows.get(this.main)?.setBusy(false);
  }

  // What the program calls to reach the windows' controls.
  face() {
    const element = (w, name) => this.windows.get(w).control(name).element;
    const radio = (w, name) => element(w, name).querySelector('input');
    return {
      text: (w, name) => {
        const e = element(w, name);
        return e instanceof HTMLInputElement ? e.value : e.textContent;
      },
      setText: (w, name, text) => {
        const e = element(w, name);
        if (e instanceof HTMLInputElement) e.value = text;
        else setCaption(e, text);
      },
      setTextColour: (w, name, colour) => { element(w, name).style.color = colour; },
      place: (w, name, left, top) => {
        const e = element(w, name);
        e.style.left = `${left}px`;
        e.style.top = `${top}px`;
      },
      isChecked: (w, name) => radio(w, name).checked,
      check: (w, name) => { radio(w, name).checked = true; },
      setToolTip: (w, name, text) => { element(w, name).title = text; },
      innerWidth: (w, name) => this.windows.get(w).innerSize(name).width,
      innerHeight: (w, name) => this.windows.get(w).innerSize(name).height,
      createWindow: (w) => this.open(w),
      showWindow: (w) => this.show(w),
      unloadWindow: (w) => this.unload(w),
      pictureChanged: () => this.plot && this.plot.markChanged(),
      endProgram: () => { this.ended = true; },
      commandFailed: () => this.extraMessages.push(pageText('command-failed')),
    };
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
    if (isPlot) this.plot = new PlotPicture(pageWindow, this.program, { onFault: (error) => this.fault(error) });
  }

  // The close box of a frame closes that window only; the program ends once
  // no window is left on the page.
  closeByFrame(name) {
    if (this.running) return;
    if (name === this.main) this.windows.get(name).frame.hidden = true;
    else this.guarded(() => this.program.closeWindow(name));
    this.afterCommand();
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
    if (name === this.plotWindow) this.fitPlot();
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
  fitPlot() {
    const plotWindow = this.windows.get(this.plotWindow);
    if (!this.plot || plotWindow.frame.hidden) return;
    this.plot.fit();
    if (plotWindow.fitCompanionWidths()) this.plot.fit();
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

  // One command: the busy sign painted first, then the work, then its
  // messages in turn.
  async runNow(windowName, controlName) {
    const started = this.windows.get(windowName);
    if (this.ended || !started) return;
    this.running = true;
    started.setBusy(true);
    await afterPaint();
    const messages = this.guarded(() => {
      const shown = this.program.click(windowName, controlName);
      const list = [];
      for (let i = 0; i < shown.size(); i += 1) list.push(shown.get(i));
      shown.delete();
      return list;
    }) || [];
    if (this.plot) this.plot.present();
    this.guarded(() => this.fitPlot());
    started.setBusy(false);
    await this.messages.showInTurn([...messages, ...this.takeExtraMessages()]);
    this.afterCommand();
    this.running = false;
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

  takeExtraMessages() {
    return this.extraMessages.splice(0);
  }

  guarded(action) {
    try {
      return action();
    } catch (error) {
      this.fault(error);
      return null;
    }
  }

  // Whatever the program could not handle ends in a message, never in a broken page.
  fault(error) {
    console.error(error);
    this.extraMessages.push(pageText('command-failed'));
    if (!this.running) this.messages.showInTurn(this.takeExtraMessages());
  }

  endProgram() {
    for (const pageWindow of this.windows.values()) pageWindow.frame.remove();
    this.windows.clear();
    document.getElementById('desktop').hidden = true;
    document.getElementById('ended').hidden = false;
    document.getElementById('restart').focus();
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
  const { default: createOstrevo } = await import('../ostrevo.js');
  return createOstrevo();
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
  window.ostrevo = new Page(description, loadingCore);
  await window.ostrevo.queue;
}

start().catch(cannotLoad);
