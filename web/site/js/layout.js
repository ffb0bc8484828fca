// Where the windows stand on the page: at their designed size where the widest
// of them fits the page's width, and otherwise every window as a list. The
// designed windows are never scaled down: their texts are 11 px, the least
// that stays legible. Windows overlap as on a desktop; a window's caption bar
// drags it, a press anywhere brings it to the front.

const MARGIN = 8;
// A window opened over another stands this far (CSS pixels) below and right of
// it, as far as the page's width allows.
const CASCADE = 40;
// A frame's border on each side.
const FRAME_BORDER = 1;
// How much of the screen's height a plot takes in a list, its least height, and
// how many times its width it may be tall at most.
const PLOT_SHARE_OF_HEIGHT = 0.6;
const LEAST_PLOT_HEIGHT = 180;
const TALLEST_PLOT_ASPECT = 1.6;

// Whether windows of these designed widths (CSS pixels) are shown as lists on a
// page this wide.
export function listLayoutFor(pageWidth, windowWidths) {
  return pageWidth < Math.max(...windowWidths) + 2 * FRAME_BORDER + 2 * MARGIN;
}

// The height of a plot shown `width` pixels wide in a list on a screen
// `screenHeight` tall: a good share of the screen, not above the designed
// height, and never much taller than wide.
export function listPlotHeight(width, screenHeight, designedHeight) {
  const wanted = Math.max(LEAST_PLOT_HEIGHT, Math.round(screenHeight * PLOT_SHARE_OF_HEIGHT));
  return Math.min(wanted, designedHeight, Math.round(width * TALLEST_PLOT_ASPECT));
}

// The width of the layout viewport (a phone's visual viewport may grow with
// wide content; this one does not).
function pageWidth() {
  return document.documentElement.clientWidth;
}

export class Desktop {
  // `windowWidths`: the designed widths of all the windows the page may show.
  constructor(element, windowWidths) {
    this.element = element;
    this.windowWidths = windowWidths;
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

  isListLayout() {
    return listLayoutFor(pageWidth(), this.windowWidths);
  }

  // Places the windows for the present width of the page.
  arrange() {
    const list = this.isListLayout();
    document.documentElement.classList.toggle('list', list);
    for (const w of this.windows) this.layOut(w, list);
    if (list) this.fitListPlots();
    else this.placeFrames();
  }

  layOut(pageWindow, list) {
    if (list === pageWindow.listed) return;
    pageWindow.listed = list;
    pageWindow.element.classList.toggle('listed', list);
    if (list) pageWindow.showAsList();
    else pageWindow.showAsDesigned();
  }

  fitListPlots() {
    const screenHeight = document.documentElement.clientHeight;
    for (const w of this.windows) {
      if (!w.frame.hidden) w.fitListPlot((width, designed) => listPlotHeight(width, screenHeight, designed));
    }
  }

  placeFrames() {
    let bottomEdge = 0;
    let previous = null;
    for (const w of this.windows) {
      if (w.frame.hidden) continue;
      if (!this.moved.has(w)) this.placeBeside(w, previous);
      bottomEdge = Math.max(bottomEdge, w.frame.offsetTop + w.frame.offsetHeight);
      previous = w;
    }
    this.element.style.height = `${bottomEdge + MARGIN}px`;
  }

  // Beside the previous window when both fit the page's width, over it otherwise.
  placeBeside(pageWindow, previous) {
    let left = MARGIN;
    let top = MARGIN;
    const width = pageWindow.frame.offsetWidth;
    if (previous) {
      const besideLeft = previous.frame.offsetLeft + previous.frame.offsetWidth + MARGIN;
      if (besideLeft + width <= pageWidth() - MARGIN) {
        left = besideLeft;
        top = previous.frame.offsetTop;
      } else {
        left = Math.max(MARGIN, Math.min(previous.frame.offsetLeft + CASCADE, pageWidth() - MARGIN - width));
        top = previous.frame.offsetTop + CASCADE;
      }
    }
    pageWindow.frame.style.left = `${left}px`;
    pageWindow.frame.style.top = `${top}px`;
  }

  makeDraggable(pageWindow) {
    const bar = pageWindow.captionBar;
    bar.addEventListener('pointerdown', (event) => {
      if (this.isListLayout() || event.target.closest('button')) return;
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
