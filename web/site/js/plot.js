// The plot's <canvas>: the program's raster copied in at the device's pixel
// ratio, one raster pixel on one screen pixel, and the pointer (mouse, pen or
// finger) over the plot handed to the program's readout.

export class PlotPicture {
  /** @param {import('./windows.js').PageWindow} pageWindow  @param {(x: number, y: number) => void} readOut */
  constructor(pageWindow, readOut) {
    this.area = pageWindow.control(pageWindow.plotName).element;
    this.canvas = this.area.querySelector('canvas');
    this.readOutAt = readOut;
    this.listenToPointer();
  }

  // The canvas as large as the area's inner box shown now.
  sizeCanvas() {
    const { clientWidth, clientHeight } = this.area;
    this.canvas.style.width = `${clientWidth}px`;
    this.canvas.style.height = `${clientHeight}px`;
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
    this.readOutAt(x, y);
  }
}
