// The message boxes: one modal <dialog> titled like the desktop's, shown for
// each message in turn once its command has returned.

export class MessageBoxes {
  constructor(title, button) {
    this.dialog = /** @type {HTMLDialogElement} */ (document.getElementById('message'));
    this.text = document.getElementById('message-text');
    this.ok = document.getElementById('message-ok');
    this.ok.textContent = button;
    document.getElementById('message-title').textContent = title;
    // A click beside the box or on its text leaves the focus on OK.
    this.dialog.addEventListener('mousedown', (event) => {
      if (event.target !== this.ok) event.preventDefault();
    });
    // Escape closes the box like OK does (the dialog's cancel).
    this.dialog.addEventListener('cancel', (event) => {
      event.preventDefault();
      this.dialog.close('ok');
    });
  }

  // Shows each message and waits until it is closed; resolves after the last.
  async showInTurn(messages) {
    for (const message of messages) await this.show(message);
  }

  show(message) {
    return new Promise((resolve) => {
      const returnFocus = /** @type {HTMLElement | null} */ (document.activeElement);
      this.text.textContent = message;
      this.dialog.addEventListener('close', () => {
        if (returnFocus && returnFocus.isConnected) returnFocus.focus();
        resolve();
      }, { once: true });
      this.dialog.showModal();
      this.ok.focus();
    });
  }
}
