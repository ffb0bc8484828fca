// The plot's <canvas>: the program's raster copied in at the device's pixel
// ratio, one raster pixel on one screen pixel; the pointer (mouse, pen or
// finger) over the plot and the keys while it has the focus handed to the
// program's readout; the readout's cursor drawn on a canvas of its own above
// the plot's, never into its raster.

/** @typedef {import('./core_messages').ReadoutKeyName} ReadoutKeyName */

// The keys of the readout, by KeyboardEvent.key: alone, with Shift, with Ctrl.
/** @type {Record<string, Record<string, ReadoutKeyName>>} */
const READOUT_KEYS = {
  plain: {
    ArrowLeft: 'ColumnLeft', ArrowRight: 'ColumnRight', PageUp: 'TenthLeft', PageDown: 'TenthRight',
    Home: 'FirstColumn', End: 'LastColumn', ArrowUp: 'UpperTrace', ArrowDown: 'LowerTrace',
  },
  shift: { ArrowLeft: 'TenthLeft', ArrowRight: 'TenthRight' },
  ctrl: { ArrowLeft: 'PreviousSwitch', ArrowRight: 'NextSwitch' },
};

/** @param {KeyboardEvent} event  @returns {ReadoutKeyName | undefined} */
function readoutKeyOf(event) {
  if (event.altKey || event.metaKey || (event.ctrlKey && event.shiftKey)) return undefined;
  const keys = event.ctrlKey ? READOUT_KEYS.ctrl : event.shiftKey ? READOUT_KEYS.shift : READOUT_KEYS.plain;
  return keys[event.key];
}

/**
 * What the plot hands on.
 * @typedef {object} PlotInput
 * @property {(x: number, y: number) => void} pointer  the pointer at device pixels of the canvas
 * @property {(key: ReadoutKeyName) => void} key  a readout key, Picture1 focused
 * @property {() => void} toggleSound  Space or Enter
 * @property {() => boolean} stopSound  Escape, a readout key, the focus gone: whether a sound stopped
 */

export class PlotPicture {
  /** @param {import('./windows.js').PageWindow} pageWindow  @param {PlotInput} input */
  constructor(pageWindow, input) {
    this.area = pageWindow.control(pageWindow.plotName).element;
    this.canvas = this.area.querySelector('canvas');
    this.cursor = document.createElement('canvas');
    this.cursor.className = 'cursor';
    this.cursor.setAttribute('aria-hidden', 'true');
    this.canvas.after(this.cursor);
    /** @type {number | null} the cursor's device column */
    this.column = null;
    this.input = input;
    this.listenToPointer();
    this.listenToKeys();
  }

  // Both canvases as large as the area's inner box shown now.
  sizeCanvas() {
    const { clientWidth, clientHeight } = this.area;
    for (const canvas of [this.canvas, this.cursor]) {
      canvas.style.width = `${clientWidth}px`;
      canvas.style.height = `${clientHeight}px`;
    }
  }

  // The canvas's size on screen in device pixels, which the program draws at; 0 × 0 when not shown.
  shownSize() {
    const shown = this.canvas.getBoundingClientRect();
    if (shown.width === 0 || shown.height === 0) return { width: 0, height: 0 };
    const ratio = window.devicePixelRatio || 1;
    return { width: Math.max(1, Math.round(shown.width * ratio)), height: Math.max(1, Math.round(shown.height * ratio)) };
  }

  // The program's raster, red, green, blue, alpha row after row.
  /** @param {number} width  @param {number} height  @param {ArrayBuffer} rgba */
  draw(width, height, rgba) {
    if (this.canvas.width !== width) this.canvas.width = width;
    if (this.canvas.height !== height) this.canvas.height = height;
    this.canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), 0, 0);
    if (this.cursor.width !== width || this.cursor.height !== height) {
      Object.assign(this.cursor, { width, height });
      this.moveCursor(this.column);
    }
  }

  // The cursor: one device pixel wide across the plot at that column (none
  // for null), in the colour the style gives it.
  /** @param {number | null} column */
  moveCursor(column) {
    this.column = column;
    this.cursor.dataset.column = String(column ?? '');
    const context = this.cursor.getContext('2d');
    context.clearRect(0, 0, this.cursor.width, this.cursor.height);
    if (column === null || column < 0 || column >= this.cursor.width) return;
    context.fillStyle = getComputedStyle(this.cursor).color;
    context.fillRect(column, 0, 1, this.cursor.height);
  }

  // Device pixels of the canvas under the pointer.
  devicePosition(event) {
    const shown = this.canvas.getBoundingClientRect();
    return [
      (event.clientX - shown.left) * (this.canvas.width / shown.width),
      (event.clientY - shown.top) * (this.canvas.height / shown.height),
    ];
  }

  inside(event) {
    const shown = this.canvas.getBoundingClientRect();
    return event.clientX >= shown.left && event.clientX < shown.right
      && event.clientY >= shown.top && event.clientY < shown.bottom;
  }

  listenToPointer() {
    // A press inside holds the pointer: dragging out of the plot goes on
    // reading, as on the desktop; a finger reads wherever it slides.
    this.area.addEventListener('pointerdown', (event) => {
      if (this.inside(event)) {
        this.area.setPointerCapture(event.pointerId);
        this.readOut(event);
      }
    });
    this.area.addEventListener('pointermove', (event) => {
      if (this.inside(event) || this.area.hasPointerCapture(event.pointerId)) this.readOut(event);
    });
  }

  readOut(event) {
    const [x, y] = this.devicePosition(event);
    this.input.pointer(x, y);
  }

  // The page does not scroll under the readout's keys; a key of the
  // cursor stops the sound and moves on.
  listenToKeys() {
    this.area.addEventListener('keydown', (event) => {
      const key = readoutKeyOf(event);
      if (key) {
        this.input.stopSound();
        this.input.key(key);
      } else if (event.key === ' ' || event.key === 'Enter') {
        if (!event.repeat) this.input.toggleSound();  // a key held down starts the sound once
      } else if (!(event.key === 'Escape' && this.input.stopSound())) {
        return;
      }
      event.preventDefault();
    });
    this.area.addEventListener('blur', () => this.input.stopSound());
  }
}
