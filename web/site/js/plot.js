// The plot's <canvas>: the program's raster copied in at the device's pixel
// ratio, one raster pixel on one screen pixel, and the pointer (mouse, pen or
// finger) over the plot handed to the program's readout.

export class PlotPicture {
  constructor(pageWindow, program, { onFault }) {
    this.area = pageWindow.control(pageWindow.plotName).element;
    this.canvas = this.area.querySelector('canvas');
    this.program = program;
    this.onFault = onFault;
    this.dirty = true;
    this.listenToPointer();
  }

  // Sizes the canvas to the area's inner box as shown now, in device pixels,
  // and lets the program draw its plot at that size.
  fit() {
    const { clientWidth, clientHeight } = this.area;
    this.canvas.style.width = `${clientWidth}px`;
    this.canvas.style.height = `${clientHeight}px`;
    const shown = this.canvas.getBoundingClientRect();
    if (shown.width === 0 || shown.height === 0) return;
    const ratio = window.devicePixelRatio || 1;
    const width = Math.max(1, Math.round(shown.width * ratio));
    const height = Math.max(1, Math.round(shown.height * ratio));
    this.program.resizePicture(width, height);
    this.present();
  }

  markChanged() {
    this.dirty = true;
  }

  present() {
    if (!this.dirty && this.canvas.width === this.program.pictureWidth()) return;
    const width = this.program.pictureWidth();
    const height = this.program.pictureHeight();
    const bytes = this.program.pictureBytes();
    if (this.canvas.width !== width) this.canvas.width = width;
    if (this.canvas.height !== height) this.canvas.height = height;
    const pixels = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, bytes.length);
    this.canvas.getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
    this.dirty = false;
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
    try {
      this.program.pointerAt(x, y);
    } catch (error) {
      this.onFault(error);
    }
  }
}
