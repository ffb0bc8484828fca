// Where the windows stand on the page: at their designed size from 1280 CSS
// pixels of width up, scaled down as a whole below, and below 600 pixels the
// windows as lists. Windows overlap as on a desktop; a window's caption bar
// drags it, a press anywhere brings it to the front.

import { listRows } from './list_layout.js';

const DESIGNED_WIDTH = 1280;
const LIST_WIDTH = 600;
const MARGIN = 8;
// A window opened over another stands this far (designed pixels) below and right of it.
const CASCADE = 40;

// The width of the layout viewport (a phone's visual viewport may grow with
// wide content; this one does not).
function pageWidth() {
  return document.documentElement.clientWidth;
}

export function isListLayout() {
  return pageWidth() < LIST_WIDTH;
}

export function pageScale() {
  return Math.min(1, pageWidth() / DESIGNED_WIDTH);
}

export class Desktop {
  constructor(element) {
    this.element = element;
    this.windows = [];
    this.moved = new Set();
  }

  add(pageWindow) {
    this.windows.push(pageWindow);
    this.element.append(pageWindow.frame);
    this.makeDraggable(pageWindow);
    pageWindow.frame.addEventListener('pointerdown', () => this.bringToFront(pageWindow), true);
  }

  remove(pageWindow) {
    this.windows = this.windows.filter((w) => w !== pageWindow);
    this.moved.delete(pageWindow);
    pageWindow.frame.remove();
  }

  bringToFront(pageWindow) {
    for (const w of this.windows) w.frame.classList.toggle('front', w === pageWindow);
  }

  // Places the windows for the present width of the page.
  arrange() {
    const list = isListLayout();
    document.documentElement.classList.toggle('list', list);
    for (const w of this.windows) this.layOut(w, list);
    this.fitPlotBlocks(list);
    if (!list) this.placeFrames();
  }

  layOut(pageWindow, list) {
    if (list === pageWindow.listed) return;
    pageWindow.listed = list;
    pageWindow.element.classList.toggle('listed', list);
    if (list) this.applyRows(pageWindow);
    else this.clearRows(pageWindow);
  }

  applyRows(pageWindow) {
    const rows = listRows(pageWindow.description, pageWindow.listOptions);
    rows.forEach((row, index) => {
      const cells = row.length === 3 || row.length === 1 ? row : [...row, null];
      cells.forEach((control, column) => {
        if (!control) return;
        const element = pageWindow.listElement(control.name);
        element.style.gridRow = String(index + 1);
        element.style.gridColumn = row.length === 1 || row.group ? '1 / -1' : String(column + 1);
      });
    });
  }

  fitPlotBlocks(list) {
    for (const w of this.windows) w.fitPlotBlock(list ? w.element.clientWidth - 2 * MARGIN : null);
  }

  clearRows(pageWindow) {
    for (const { element } of pageWindow.controls.values()) {
      element.style.gridRow = '';
      element.style.gridColumn = '';
    }
    pageWindow.listElement(null);
  }

  placeFrames() {
    const scale = pageScale();
    let bottomEdge = 0;
    let previous = null;
    for (const w of this.windows) {
      if (w.frame.hidden) continue;
      if (!this.moved.has(w)) this.placeBeside(w, previous, scale);
      w.frame.style.transform = scale < 1 ? `scale(${scale})` : '';
      bottomEdge = Math.max(bottomEdge, w.frame.offsetTop + w.frame.offsetHeight * scale);
      previous = w;
    }
    this.element.style.height = `${bottomEdge + MARGIN}px`;
  }

  // Beside the previous window when both fit the page's width, over it otherwise.
  placeBeside(pageWindow, previous, scale) {
    let left = MARGIN;
    let top = MARGIN;
    if (previous) {
      const besideLeft = previous.frame.offsetLeft + (previous.frame.offsetWidth + MARGIN) * scale;
      if (besideLeft + pageWindow.frame.offsetWidth * scale <= pageWidth() - MARGIN) {
        left = besideLeft;
        top = previous.frame.offsetTop;
      } else {
        left = previous.frame.offsetLeft + CASCADE * scale;
        top = previous.frame.offsetTop + CASCADE * scale;
      }
    }
    pageWindow.frame.style.left = `${left}px`;
    pageWindow.frame.style.top = `${top}px`;
  }

  makeDraggable(pageWindow) {
    const bar = pageWindow.captionBar;
    bar.addEventListener('pointerdown', (event) => {
      if (isListLayout() || event.target.closest('button')) return;
      const frame = pageWindow.frame;
      const start = { x: event.clientX, y: event.clientY, left: frame.offsetLeft, top: frame.offsetTop };
      bar.setPointerCapture(event.pointerId);
      const move = (e) => {
        const left = Math.min(Math.max(start.left + e.clientX - start.x, 0), pageWidth() - 40);
        frame.style.left = `${left}px`;
        frame.style.top = `${Math.max(start.top + e.clientY - start.y, 0)}px`;
        this.moved.add(pageWindow);
      };
      bar.addEventListener('pointermove', move);
      bar.addEventListener('pointerup', () => bar.removeEventListener('pointermove', move), { once: true });
    });
  }
}
