// The plot's context menu and its exports: the plot block as a PNG on the
// clipboard or in a file, as the core's SVG drawing, and one period's samples
// as the core's CSV. The menu opens on a right click, a finger held still
// for half a second, and the ContextMenu key or Shift+F10 while the plot has
// the focus; arrows move in it, Enter chooses, Escape closes it. The CSV,
// which may take long, shows the window's strip of a long command; its
// "Interrompi" or Escape stops it and leaves no file. One CSV at a time: its
// item waits meanwhile.

import { LongWork } from './long_work.js';

/** @typedef {import('./core_client.js').CoreClient} CoreClient */
/** @typedef {{ stopped: boolean, strip: LongWork, escape: (event: KeyboardEvent) => void }} CsvWork */

const LONG_PRESS = 500;  // ms a finger holds still to open the menu
const SLIP = 10;         // CSS pixels a held finger may move
const LIFT_CLICK = 300;  // ms after a finger lifts within which its click comes
// Rows of the CSV asked from the core at a time: a few MB, written before the next.
const CSV_ROWS_PER_PART = 65536;
// Where the browser cannot write a file a part at a time, the download is
// assembled in memory up to this size.
export const DOWNLOAD_LIMIT_MB = 256;
const MB = 1024 * 1024;

// The user stopped the export: no file, no message.
class Stopped extends Error {
  constructor() {
    super('stopped');
  }
}

class TooLarge extends Error {
  constructor(bytes) {
    super('too large');
    this.bytes = bytes;
  }
}

// "rgb(1, 2, 3)" as [1, 2, 3]; null when transparent.
function rgbOf(css) {
  const parts = css.match(/[\d.]+/g)?.map(Number) ?? [];
  if (parts.length < 3 || parts[3] === 0) return null;
  return parts.slice(0, 3);
}

// The colour behind an element: its own, or that of the nearest ancestor that has one.
function groundOf(element) {
  for (let at = element; at; at = at.parentElement) {
    const colour = rgbOf(getComputedStyle(at).backgroundColor);
    if (colour) return colour;
  }
  return [255, 255, 255];
}

// The core's answer; null when the core failed, which no file may hide.
function answered(text) {
  if (typeof text !== 'string') throw new Error('the core gave no answer');
  return text;
}

// Without the File System Access API: the file as a download of one Blob.
function download(blob, fileName) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = fileName;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60_000);
}

export class PlotExportMenu {
  /**
   * @param {import('./windows.js').PageWindow} pageWindow
   * @param {{ core: () => CoreClient | undefined, decimalSeparator: string, show: (message: string) => Promise<void>,
   *          longWork: import('./long_work.js').LongWorkLooks }} page
   */
  constructor(pageWindow, page) {
    this.page = page;
    this.windowElement = pageWindow.element;
    /** @type {CsvWork | null} the CSV being written */
    this.csvWork = null;
    this.area = pageWindow.control(pageWindow.plotName).element;
    this.canvas = this.area.querySelector('canvas');
    const strip = [...pageWindow.controls.values()].find(({ control }) =>
      control.kind === 'picture' && !control.plot && control.visible !== false && control.name !== pageWindow.plotName);
    this.strip = strip?.element ?? this.area;
    /** @type {Promise<Record<string, string>> | undefined} */
    this.catalogue = undefined;
    /** @type {HTMLElement | null} */
    this.menu = null;
    this.listenToArea();
  }

  // ---- the menu

  async words() {
    this.catalogue ??= this.page.core()?.ask({ kind: 'export', what: 'catalogue' });
    return (await this.catalogue) ?? {};
  }

  async say(name, fillings = {}) {
    return (await this.page.core()?.ask({ kind: 'export', what: 'say', name, fillings })) ?? name;
  }

  listenToArea() {
    this.area.addEventListener('contextmenu', (event) => {
      event.preventDefault();
      const fromKey = event.button !== 2 && event.clientX === 0 && event.clientY === 0;
      this.open(fromKey ? this.middle() : { x: event.clientX, y: event.clientY });
    });
    this.area.addEventListener('keydown', (event) => {
      if (event.key === 'ContextMenu' || (event.key === 'F10' && event.shiftKey)) {
        event.preventDefault();
        this.open(this.middle());
      }
    });
    this.area.addEventListener('pointerdown', (event) => {
      if (event.pointerType !== 'touch') return;
      this.pressedAt = { x: event.clientX, y: event.clientY };
      clearTimeout(this.longPress);
      this.longPress = setTimeout(() => {
        // The finger lifted from the menu it opened must not choose the item under it.
        this.heldOpen = true;
        this.open(this.pressedAt);
      }, LONG_PRESS);
    });
    this.area.addEventListener('pointermove', (event) => {
      if (!this.pressedAt) return;
      if (Math.hypot(event.clientX - this.pressedAt.x, event.clientY - this.pressedAt.y) > SLIP) this.cancelPress();
    });
    for (const end of ['pointerup', 'pointercancel']) this.area.addEventListener(end, () => this.cancelPress());
  }

  cancelPress() {
    clearTimeout(this.longPress);
    this.pressedAt = null;
    if (this.heldOpen) this.liftedAt = performance.now();
    this.heldOpen = false;
  }

  // A click that the lifting of the finger which opened the menu makes.
  fromLiftedFinger() {
    return this.heldOpen || performance.now() - (this.liftedAt ?? -Infinity) < LIFT_CLICK;
  }

  middle() {
    const shown = this.area.getBoundingClientRect();
    return { x: shown.left + shown.width / 2, y: shown.top + shown.height / 2 };
  }

  // Once, however many of the ways to open it come together (a long press
  // also makes the browser's own contextmenu event).
  async open(at) {
    if (this.opening || this.menu) return;
    this.opening = true;
    try {
      this.show(at, await this.words());
    } finally {
      this.opening = false;
    }
  }

  show(at, words) {
    const menu = document.createElement('div');
    menu.className = 'plot-menu';
    menu.setAttribute('role', 'menu');
    menu.setAttribute('aria-label', this.area.getAttribute('aria-label') ?? '');
    /** @type {[string, () => Promise<void>][]} */
    const actions = [
      ['exportCopyPicture', () => this.copyPicture()],
      ['exportSavePng', () => this.savePng()],
      ['exportSaveSvg', () => this.saveSvg()],
      ['exportSaveCsv', () => this.saveCsv()],
    ];
    const items = actions.map(([name, action]) => {
      const item = document.createElement('div');
      item.setAttribute('role', 'menuitem');
      item.tabIndex = -1;
      item.dataset.name = name;
      item.textContent = words[name] ?? name;
      if (name === 'exportSaveCsv' && this.csvWork) item.setAttribute('aria-disabled', 'true');
      item.addEventListener('click', () => {
        if (!this.fromLiftedFinger() && !item.hasAttribute('aria-disabled')) this.choose(action);
      });
      item.addEventListener('pointermove', () => item.focus());
      return item;
    });
    menu.append(...items);
    menu.addEventListener('keydown', (event) => this.key(event, items));
    // A press inside leaves the focus in the menu (the menu itself takes none).
    menu.addEventListener('mousedown', (event) => event.preventDefault());
    menu.addEventListener('focusout', (event) => {
      if (!menu.contains(/** @type {Node} */ (event.relatedTarget))) this.close(false);
    });
    document.body.append(menu);
    this.menu = menu;
    // Within the screen, at the pointer.
    const room = { width: document.documentElement.clientWidth, height: document.documentElement.clientHeight };
    menu.style.left = `${Math.max(0, Math.min(at.x, room.width - menu.offsetWidth))}px`;
    menu.style.top = `${Math.max(0, Math.min(at.y, room.height - menu.offsetHeight))}px`;
    items[0].focus();
  }

  key(event, items) {
    const at = items.indexOf(/** @type {HTMLElement} */ (document.activeElement));
    const move = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: items.length - 1 }[event.key];
    if (move !== undefined) {
      items[(move + items.length) % items.length].focus();
    } else if (event.key === 'Enter' || event.key === ' ') {
      items[Math.max(at, 0)].click();
    } else if (event.key === 'Escape' || event.key === 'Tab') {
      this.close(true);
    } else {
      return;
    }
    event.preventDefault();
    event.stopPropagation();
  }

  close(refocus) {
    const menu = this.menu;
    this.menu = null;
    if (!menu) return;
    menu.remove();
    if (refocus) this.area.focus();
  }

  async choose(action) {
    this.close(true);
    try {
      await action();
    } catch (error) {
      await this.tellFailure('', error);
    }
  }

  async tellFailure(file, error) {
    console.error(error);
    await this.page.show(await this.say('exportWriteFailed', { file, reason: String(error?.message ?? error) }));
  }

  // ---- the picture

  // The block's parts in CSS pixels from its upper-left corner.
  block() {
    const strip = this.strip.getBoundingClientRect();
    const area = this.area.getBoundingClientRect();
    const left = Math.min(strip.left, area.left);
    const top = Math.min(strip.top, area.top);
    const inner = (element, shown) => ({
      left: shown.left - left + element.clientLeft, top: shown.top - top + element.clientTop,
      width: element.clientWidth, height: element.clientHeight,
    });
    return {
      left, top,
      width: Math.max(strip.right, area.right) - left, height: Math.max(strip.bottom, area.bottom) - top,
      strip: inner(this.strip, strip), plot: inner(this.area, area), plotBorder: this.area.clientLeft,
    };
  }

  // What the core's SVG drawing needs to know of the block.
  layout() {
    const { left, top, ...block } = this.block();
    return { ...block, rasterWidth: this.canvas.width, rasterHeight: this.canvas.height,
             ground: groundOf(this.strip), stripText: rgbOf(getComputedStyle(this.strip).color) ?? [0, 0, 0] };
  }

  // The block as the screen shows it, at the screen's pixel ratio; inside the
  // plot area the canvas's raster pixel for pixel, the labels over it.
  pngBlob() {
    const ratio = this.canvas.width / Math.max(this.area.clientWidth, 1);
    const block = this.block();
    const picture = document.createElement('canvas');
    picture.width = Math.round(block.width * ratio);
    picture.height = Math.round(block.height * ratio);
    const context = picture.getContext('2d');
    context.fillStyle = `rgb(${groundOf(this.strip).join(',')})`;
    context.fillRect(0, 0, picture.width, picture.height);
    context.scale(ratio, ratio);
    const { plot, plotBorder } = block;
    const style = getComputedStyle(this.area);
    context.fillStyle = style.borderBottomColor;
    context.fillRect(plot.left - plotBorder, plot.top - plotBorder, plot.width + 2 * plotBorder, plot.height + 2 * plotBorder);
    context.fillStyle = style.borderTopColor;
    context.fillRect(plot.left - plotBorder, plot.top - plotBorder, plot.width + plotBorder, plotBorder);
    context.fillRect(plot.left - plotBorder, plot.top - plotBorder, plotBorder, plot.height + plotBorder);
    context.setTransform(1, 0, 0, 1, 0, 0);
    context.drawImage(this.canvas, Math.round(plot.left * ratio), Math.round(plot.top * ratio));
    context.scale(ratio, ratio);
    for (const label of [...this.strip.querySelectorAll('.label'), ...this.area.querySelectorAll('.label')]) {
      this.drawLabel(context, /** @type {HTMLElement} */ (label), block);
    }
    return new Promise((resolve, reject) => picture.toBlob((blob) => (blob ? resolve(blob) : reject(new Error('PNG'))), 'image/png'));
  }

  drawLabel(context, label, block) {
    const text = label.textContent ?? '';
    if (label.hidden || text === '' || label.getClientRects().length === 0) return;
    const style = getComputedStyle(label);
    const box = label.getBoundingClientRect();
    const ground = rgbOf(style.backgroundColor);
    if (ground) {
      context.fillStyle = `rgb(${ground.join(',')})`;
      context.fillRect(box.left - block.left, box.top - block.top, box.width, box.height);
    }
    const range = document.createRange();
    range.selectNodeContents(label);
    const line = range.getBoundingClientRect();
    context.font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
    context.fillStyle = style.color;
    context.textBaseline = 'alphabetic';
    const measured = context.measureText(text);
    const ascent = measured.fontBoundingBoxAscent ?? parseFloat(style.fontSize) * 0.905;
    context.save();
    context.beginPath();
    context.rect(box.left - block.left, box.top - block.top, box.width, box.height);
    context.clip();
    context.fillText(text, line.left - block.left, line.top - block.top + ascent);
    context.restore();
  }

  async copyPicture() {
    try {
      if (!navigator.clipboard?.write || typeof ClipboardItem === 'undefined') throw new Error('navigator.clipboard.write');
      await navigator.clipboard.write([new ClipboardItem({ 'image/png': this.pngBlob() })]);
    } catch (error) {
      await this.page.show(await this.say('exportClipboardRefused', { reason: error?.name === 'Error' ? error.message : String(error?.name ?? error) }));
    }
  }

  // ---- the files

  async savePng() {
    const words = await this.words();
    await this.save(words.exportPngFileName, 'image/png', '.png', words.exportPngFilter, async (write) => write(await this.pngBlob()));
  }

  async saveSvg() {
    const words = await this.words();
    await this.save(words.exportSvgFileName, 'image/svg+xml', '.svg', words.exportSvgFilter, async (write) => {
      write(new Blob([answered(await this.page.core().ask({ kind: 'export', what: 'svg', layout: this.layout() }))]));
    });
  }

  async saveCsv() {
    if (this.csvWork) return;
    const words = await this.words();
    const decimalSeparator = this.page.decimalSeparator;
    const core = this.page.core();
    const outline = await core.ask({ kind: 'export', what: 'csvOutline', decimalSeparator });
    if (!outline) {
      await this.page.show(words.exportNoSamples);
      return;
    }
    await this.save(outline.fileName, 'text/csv', '.csv', words.exportCsvFilter, async (write, room) => {
      const work = this.startCsvWork();
      try {
        await write(new Blob([outline.header]));
        for (let first = 0; first < outline.rows; first += CSV_ROWS_PER_PART) {
          const rows = await core.ask({ kind: 'export', what: 'csvRows', decimalSeparator, first, count: CSV_ROWS_PER_PART,
                                        revision: outline.revision });
          if (work.stopped) throw new Stopped();
          if (rows === null) throw new Error(words.exportPlotChanged);
          const part = new Blob([answered(rows)]);
          // The first part tells how large the whole will be.
          if (first === 0) room(outline.header.length + part.size * (outline.rows / Math.min(outline.rows, CSV_ROWS_PER_PART)));
          await write(part);
          work.strip.progress(Math.min(first + CSV_ROWS_PER_PART, outline.rows) / outline.rows);
        }
        if (work.stopped) throw new Stopped();
      } finally {
        this.endCsvWork(work);
      }
    });
  }

  // The strip of a long command on the plot's window, its stop by button or by Escape.
  /** @returns {CsvWork} */
  startCsvWork() {
    const stop = () => { work.stopped = true; };
    const work = {
      stopped: false,
      strip: new LongWork(this.windowElement, this.page.longWork, stop),
      /** @param {KeyboardEvent} event */
      escape: (event) => {
        if (event.key !== 'Escape' || this.menu) return;
        event.preventDefault();
        stop();
      },
    };
    this.windowElement.addEventListener('keydown', work.escape);
    this.csvWork = work;
    return work;
  }

  /** @param {CsvWork} work */
  endCsvWork(work) {
    work.strip.end(this.area);
    this.windowElement.removeEventListener('keydown', work.escape);
    this.csvWork = null;
  }

  // Through the platform's save picker, written a part at a time, where the
  // browser has one; else a download assembled in memory, up to DOWNLOAD_LIMIT_MB.
  /** @param {(write: (part: Blob) => Promise<void> | void, room: (bytes: number) => void) => Promise<void>} produce */
  async save(fileName, type, extension, description, produce) {
    const picker = /** @type {any} */ (window).showSaveFilePicker;
    if (picker) {
      let handle;
      let file;
      try {
        handle = await picker({ suggestedName: fileName, types: [{ description, accept: { [type]: [extension] } }] });
        file = await handle.createWritable();
      } catch (error) {
        if (error?.name !== 'AbortError') await this.tellFailure(fileName, error);
        return;
      }
      try {
        await produce((part) => file.write(part), () => {});
        await file.close();
      } catch (error) {
        // The stream's parts are thrown away: the file stays as it was.
        await file.abort?.();
        if (!(error instanceof Stopped)) await this.tellFailure(handle.name, error);
      }
      return;
    }
    const parts = [];
    let bytes = 0;
    try {
      await produce((part) => {
        bytes += part.size;
        if (bytes > DOWNLOAD_LIMIT_MB * MB) throw new TooLarge(bytes);
        parts.push(part);
      }, (whole) => {
        if (whole > DOWNLOAD_LIMIT_MB * MB) throw new TooLarge(whole);
      });
    } catch (error) {
      if (error instanceof Stopped) return;
      if (error instanceof TooLarge) {
        await this.page.show(await this.say('exportTooLargeForDownload', {
          size: String(Math.ceil(error.bytes / MB)), limit: String(DOWNLOAD_LIMIT_MB) }));
      } else {
        await this.tellFailure(fileName, error);
      }
      return;
    }
    download(new Blob(parts, { type }), fileName);
  }
}
