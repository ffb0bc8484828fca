// The windows of the page, built from the program's description of them:
// every control an element at its designed box, named by data-name, or on a
// narrow screen a row of the window's list.

import { listSections } from './list_layout.js';

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

// The elements inside `element`, as the HTML elements they are.
/** @param {Element} element  @returns {HTMLElement[]} */
function areasIn(element) {
  return /** @type {HTMLElement[]} */ ([...element.children]);
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
      // The plot answers keys of its own (the readout's): a screen reader
      // hands them over to it, as to an application, rather than reading on.
      if (control.role === 'picture') element.setAttribute('role', control.plot ? 'application' : 'img');
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
    /** @type {boolean | undefined} whether shown as a list; undefined until laid out */
    this.listed = undefined;
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

  parentFor(control) {
    return control.container ? this.controls.get(control.container).element : this.element;
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

  // What the window opens with the focus on: the first control of its tab
  // order; in a list, where that control is not in the list's first section,
  // the first of the list that takes the focus.
  firstFocus() {
    const designed = this.focusTarget(this.description.tabOrder[0]);
    if (!this.listed) return designed;
    const first = this.element.querySelector('input:not([type=radio]), button, [tabindex="0"], :checked');
    return designed.closest('.list-section') === first.closest('.list-section') ? designed : first;
  }

  focusTarget(name) {
    const { element, control } = this.controls.get(name);
    return control.kind === 'option' ? element.querySelector('input') : element;
  }

  // Every control back at its designed box, in the designed order.
  showAsDesigned() {
    for (const { element, control } of this.controls.values()) {
      placeAtDesign(element, control);
      delete element.dataset.listColumn;
      if (!control.container) this.element.append(element);
    }
    this.removeSections();
    this.applyTabOrder();
  }

  // The window's list: its sections in the described order, which is the
  // document's order too, and so the order of Tab.
  showAsList() {
    const sections = listSections(this.description).map((section) => this.sectionElement(section));
    this.removeSections();
    this.element.prepend(...sections);
  }

  removeSections() {
    for (const block of this.element.querySelectorAll(':scope > .list-section')) block.remove();
  }

  sectionElement({ frame, rows }) {
    const block = document.createElement('div');
    block.className = 'list-section';
    if (frame) {
      block.classList.add('framed');
      block.style.border = this.control(frame).element.style.border;
    }
    for (const row of rows) block.append(...this.rowElements(row));
    return block;
  }

  rowElements(row) {
    const element = (name) => this.control(name).element;
    if (row.alone) return [element(row.alone)];
    if (row.together) {
      const line = document.createElement('div');
      line.className = 'side-by-side';
      line.append(...row.together.map(element));
      return [line];
    }
    const cells = [[row.caption, 'caption'], [row.value, row.unit ? 'value' : 'value-to-end'], [row.unit, 'unit']];
    return cells.filter(([name]) => name).map(([name, column]) => {
      element(name).dataset.listColumn = column;
      return element(name);
    });
  }

  // In a list, the plot across the window with its companions of the row (the
  // voltage scale) beside it, all as tall as `heightFor(plot width, designed
  // height)`; the labels inside keep their places relative to their areas.
  fitListPlot(heightFor) {
    const line = this.element.querySelector('.side-by-side');
    if (!line) return;
    this.heightFor = heightFor;
    const plot = this.control(this.plotName);
    const companions = areasIn(line).filter((area) => area !== plot.element);
    const width = line.clientWidth - companions.reduce((sum, area) => sum + area.offsetWidth, 0);
    const height = heightFor(width, plot.control.height);
    plot.element.style.width = `${width}px`;
    for (const area of [plot.element, ...companions]) {
      area.style.height = `${height}px`;
      this.keepDesignedProportions(area);
    }
  }

  // A label inside a picture area at the same fraction of the area as designed
  // (the program places most of them again for the new size).
  keepDesignedProportions(area) {
    const { control: designed } = this.control(area.dataset.name);
    for (const { element, control } of this.controls.values()) {
      if (control.container !== designed.name) continue;
      element.style.left = `${(control.left / designed.width) * area.clientWidth}px`;
      element.style.top = `${(control.top / designed.height) * area.clientHeight}px`;
    }
  }

  /** @param {HTMLElement} area  @returns {HTMLElement[]} */
  labelsOf(area) {
    return areasIn(area).filter((element) => element.classList.contains('label') && !element.hidden);
  }

  // In a list, the plot's companions (the voltage scale) as narrow as their
  // labels allow where the program has placed them; the plot takes the rest.
  // True when a width changed (the labels are then to be placed again).
  fitCompanionWidths() {
    const line = this.listed && this.element.querySelector('.side-by-side');
    if (!line) return false;
    let changed = false;
    for (const area of areasIn(line)) {
      const labels = this.labelsOf(area);
      if (area.dataset.name === this.plotName || labels.length === 0) continue;
      const inner = area.clientWidth;
      const border = area.offsetWidth - inner;
      // A label starts at a fraction of the area's width: the rest must hold it.
      const needed = Math.max(...labels.map((label) => label.offsetWidth / (1 - Math.min(label.offsetLeft / inner, 0.5))));
      const width = Math.ceil(needed) + border;
      if (Math.abs(width - area.offsetWidth) > 1) {
        area.style.width = `${width}px`;
        changed = true;
      }
    }
    if (changed) this.fitListPlot(this.heightFor);
    return changed;
  }

  // In a list the labels inside the picture areas are larger than designed:
  // each is kept whole inside its area and clear of those above it.
  settleLabels() {
    const line = this.listed && this.element.querySelector('.side-by-side');
    if (!line) return;
    for (const area of areasIn(line)) {
      const settled = [];
      for (const label of this.labelsOf(area).sort((a, b) => a.offsetTop - b.offsetTop)) {
        let top = Math.min(label.offsetTop, area.clientHeight - label.offsetHeight);
        const left = Math.min(label.offsetLeft, area.clientWidth - label.offsetWidth);
        for (const other of settled) {
          const across = left < other.offsetLeft + other.offsetWidth && other.offsetLeft < left + label.offsetWidth;
          if (across) top = Math.max(top, other.offsetTop + other.offsetHeight);
        }
        label.style.left = `${Math.max(0, left)}px`;
        label.style.top = `${Math.max(0, top)}px`;
        settled.push(label);
      }
    }
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
