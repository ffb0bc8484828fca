// What a window shows while one of its commands takes long: a strip along
// its bottom edge, over its controls, with a progress bar and a button that
// stops the command. The texts and times are the program's (description.json,
// "longWork"); nothing shows before the command has run for showAfter ms.

/**
 * @typedef {object} LongWorkLooks
 * @property {number} showAfter  ms
 * @property {number} update  ms between moves of the bar at most
 * @property {string} stop  the button's caption
 * @property {string} progressName  the bar's name for screen readers
 */

export class LongWork {
  /**
   * @param {HTMLElement} windowElement  the window the command was started from
   * @param {LongWorkLooks} looks
   * @param {() => void} onStop
   */
  constructor(windowElement, looks, onStop) {
    this.windowElement = windowElement;
    this.looks = looks;
    this.onStop = onStop;
    this.done = null;
    this.strip = null;
    this.showing = setTimeout(() => this.show(), looks.showAfter);
  }

  /** @param {number} done  how much of the command is done, 0 to 1 */
  progress(done) {
    this.done = done;
  }

  show() {
    const bar = document.createElement('progress');
    bar.max = 100;
    bar.setAttribute('aria-label', this.looks.progressName);
    const stop = document.createElement('button');
    stop.type = 'button';
    stop.textContent = this.looks.stop;
    stop.addEventListener('click', () => this.onStop());
    this.strip = document.createElement('div');
    this.strip.className = 'long-work';
    this.strip.append(bar, stop);
    this.windowElement.append(this.strip);
    // Without a share done yet the bar runs without a value.
    const move = () => {
      if (this.done !== null) bar.value = Math.round(this.done * 100);
    };
    move();
    this.moving = setInterval(move, this.looks.update);
  }

  // Gone with the command; the focus it held goes to `returnFocus`.
  /** @param {HTMLElement} returnFocus */
  end(returnFocus) {
    clearTimeout(this.showing);
    clearInterval(this.moving);
    if (!this.strip) return;
    const hadFocus = this.strip.contains(document.activeElement);
    this.strip.remove();
    if (hadFocus && returnFocus.isConnected) returnFocus.focus();
  }
}
