// The windows of the page, built from the program's description of them:
// every control an element at its designed box, named by data-name.

const ELEMENT_OF_KIND = {
  label: () => document.createElement('div'),
  field: () => {
    const input = document.createElement('input');
    input.type = 'text';
    input.spellcheck = false;
    input.autocomplete = 'off';
    input.setAttribute('autocapitalize', 'off');
    return input;
  },
  button: () => {
    const button = document.createElement('button');
    button.type = 'button';
    return button;
  },
  option: () => document.createElement('label'),
  picture: () => document.createElement('div'),
  image: () => document.createElement('div'),
  shape: () => document.createElement('div'),
};

// A caption wraps at blanks only, never after a hyphen ("v-=1/3" stays
// whole): each word is kept on one line, the blanks between them stay.
export function setCaption(element, text) {
  const pieces = text.split(/( +)/).filter((piece) => piece !== '');
  element.replaceChildren(...pieces.map((piece) => {
    if (piece.startsWith(' ')) return document.createTextNode(piece);
    const word = document.createElement('span');
    word.className = 'word';
    word.textContent = piece;
    return word;
  }));
}

function px(value) {
  return `${value}px`;
}

function placeAtDesign(element, control) {
  element.style.left = px(control.left);
  element.style.top = px(control.top);
  element.style.width = px(control.width);
  element.style.height = px(control.height);
}

function applyLook(element, control) {
  element.classList.add('control', control.kind, `border-${control.border}`);
  if (control.background) element.style.backgroundColor = control.background;
  // The light face the designed colours were drawn on, under any colour scheme.
  if (control.lightFace) element.style.backgroundColor = 'var(--designed-face)';
  if (control.color) element.style.color = control.color;
  if (control.align !== 'left') element.classList.add(`align-${control.align}`);
  if (!control.bold) element.classList.add('regular');
  if (control.wraps) element.classList.add('wraps');
  if (control.hidden) element.hidden = true;
}

// A label that shows a value is a status: its name says what it is, its text
// is the value. The results of a command are announced when they change, the
// readout that follows the pointer is not.
function presentResult(element, window) {
  element.setAttribute('role', 'status');
  element.setAttribute('aria-live', window.plotName ? 'off' : 'polite');
}

function describeForAssistiveTechnology(element, control, window) {
  if (control.role === '') return;
  if (control.role === 'result') presentResult(element, window);
  if (control.kind !== 'image') element.setAttribute('aria-label', control.accessibleName);
  if (control.description) {
    const description = document.createElement('span');
    description.id = `${window.name}-${control.name}-description`;
    description.hidden = true;
    description.textContent = control.description;
    window.element.append(description);
    element.setAttribute('aria-describedby', description.id);
  }
}

function fillControl(element, control, window) {
  switch (control.kind) {
    case 'field':
      element.value = control.text;
      break;
    case 'option': {
      const radio = document.createElement('input');
      radio.type = 'radio';
      radio.name = `${window.name}-options-${control.container || 'window'}`;
      radio.checked = control.checked;
      const caption = document.createElement('span');
      caption.textContent = control.text;
      element.append(radio, caption);
      break;
    }
    case 'picture':
      if (control.role === 'picture') element.setAttribute('role', 'img');
      if (window.description.tabOrder.includes(control.name)) element.tabIndex = 0;
      if (control.plot) {
        const canvas = document.createElement('canvas');
        canvas.setAttribute('aria-hidden', 'true');
        element.append(canvas);
      }
      break;
    case 'image': {
      const image = document.createElement('img');
      image.src = control.source;
      image.alt = control.accessibleName;
      element.append(image);
      element.style.setProperty('--aspect', `${control.width} / ${control.height}`);
      break;
    }
    case 'shape':
      element.style.border = `${control.lineWidth}px solid ${control.color}`;
      element.setAttribute('aria-hidden', 'true');
      break;
    default:
      setCaption(element, control.text);
  }
}

// One window of the description, as an element whose id is its name, inside
// a frame with its caption bar.
export class PageWindow {
  constructor(name, description) {
    this.name = name;
    this.description = description;
    this.plotName = (description.controls.find((c) => c.plot) || {}).name;
    this.controls = new Map();
    this.frame = document.createElement('div');
    this.frame.className = 'frame';
    this.frame.dataset.window = name;
    const bar = document.createElement('div');
    bar.className = 'caption-bar';
    bar.id = `${name}-caption`;
    const title = document.createElement('span');
    title.textContent = description.caption;
    if (description.icon) {
      const icon = document.createElement('img');
      icon.src = description.icon;
      icon.alt = '';
      icon.className = 'window-icon';
      title.prepend(icon);
    }
    bar.append(title);
    // The frame's close box; the keyboard closes a window by its own "Esci".
    this.closeBox = document.createElement('button');
    this.closeBox.type = 'button';
    this.closeBox.className = 'close-box';
    this.closeBox.textContent = '×';
    this.closeBox.tabIndex = -1;
    this.closeBox.setAttribute('aria-hidden', 'true');
    bar.append(this.closeBox);
    this.captionBar = bar;
    this.element = document.createElement('div');
    this.element.id = name;
    this.element.className = 'window';
    this.element.setAttribute('role', 'region');
    this.element.setAttribute('aria-labelledby', bar.id);
    if (description.bold) this.element.classList.add('bold');
    this.element.style.width = px(description.width);
    this.element.style.height = px(description.height);
    this.frame.append(bar, this.element);
    this.build();
  }

  build() {
    this.element.replaceChildren();
    this.controls.clear();
    this.plotBlock = null;
    for (const control of this.description.controls) {
      const element = ELEMENT_OF_KIND[control.kind]();
      element.dataset.name = control.name;
      applyLook(element, control);
      placeAtDesign(element, control);
      fillControl(element, control, this);
      describeForAssistiveTechnology(element, control, this);
      this.parentFor(control).append(element);
      this.controls.set(control.name, { element, control });
    }
    this.applyTabOrder();
  }

  // The designed tab order, without positive tabindex values: the controls
  // that take the focus follow the others in the document, in that order.
  // Pictures in the order take the focus; nothing else outside it does.
  applyTabOrder() {
    for (const name of this.description.tabOrder) {
      const { element } = this.controls.get(name);
      if (element.parentElement === this.element) this.element.append(element);
    }
  }

  focusTarget(name) {
    const { element, control } = this.controls.get(name);
    return control.kind === 'option' ? element.querySelector('input') : element;
  }

  // The plot window keeps its picture areas together in a block that a list
  // layout scales as one; on the designed layout the block is transparent.
  parentFor(control) {
    if (control.container) return this.controls.get(control.container).element;
    if (control.kind !== 'picture' || !this.plotName) return this.element;
    if (!this.plotBlock) {
      this.plotBlock = document.createElement('div');
      this.plotBlock.className = 'plot-block';
      this.plotInner = document.createElement('div');
      this.plotInner.className = 'plot-inner';
      this.plotBlock.append(this.plotInner);
      this.element.append(this.plotBlock);
    }
    return this.plotInner;
  }

  get listOptions() {
    if (!this.plotBlock) return { byTabOrder: true };
    const pictures = this.description.controls.filter((c) => c.kind === 'picture' && !c.container && !c.hidden);
    return { first: pictures.map((c) => c.name), byTabOrder: false };
  }

  // The element a list layout places for a control.
  listElement(name) {
    const found = this.controls.get(name);
    if (this.plotBlock && found && found.element.parentElement === this.plotInner) return this.plotBlock;
    return found ? found.element : null;
  }

  // Scales the plot block to `width` CSS pixels in a list layout; null: as designed.
  fitPlotBlock(width) {
    if (!this.plotBlock) return;
    const pictures = this.description.controls.filter((c) => c.kind === 'picture' && !c.container && !c.hidden);
    const extentWidth = Math.max(...pictures.map((c) => c.left + c.width));
    const extentHeight = Math.max(...pictures.map((c) => c.top + c.height));
    const scale = width === null ? 1 : Math.min(1, width / extentWidth);
    this.plotBlock.style.width = width === null ? '' : `${extentWidth * scale}px`;
    this.plotBlock.style.height = width === null ? '' : `${extentHeight * scale}px`;
    this.plotInner.style.transform = scale < 1 ? `scale(${scale})` : '';
  }

  control(name) {
    const found = this.controls.get(name);
    if (!found) throw new Error(`${this.name} has no control ${name}`);
    return found;
  }

  // Inner corner of a picture area: its controls count from there.
  innerSize(name) {
    const { element } = this.control(name);
    return { width: element.clientWidth, height: element.clientHeight };
  }

  setBusy(busy) {
    this.element.setAttribute('aria-busy', busy ? 'true' : 'false');
  }
}
