// The rows of a window laid out as a list on a narrow screen, derived from
// its description: each control of the tab order in turn (a field with the
// label that names it on its left and the unit on its right; a button alone),
// each result after the button nearest to it, then whatever is left in
// reading order, grouped by the lines it stands on.

const bottom = (c) => c.top + c.height;
const right = (c) => c.left + c.width;
const sameLine = (a, b) => Math.min(bottom(a), bottom(b)) - Math.max(a.top, b.top) > 0;
// How far a label may stand from the control it names, in CSS pixels.
const NEIGHBOUR_GAP = 40;

// Only small controls share a line of the list; a picture stands alone.
const groupable = (c) => c && c.kind !== 'image' && c.kind !== 'picture' && c.kind !== 'shape';

function nearest(candidates, distance) {
  let best = null;
  for (const candidate of candidates) {
    const d = distance(candidate);
    if (d >= -2 && d <= NEIGHBOUR_GAP && (best === null || d < distance(best))) best = candidate;
  }
  return best;
}

class RowBuilder {
  constructor(controls, { labelledValues = [], listSections = [] }) {
    this.controls = controls;
    this.sectionOf = new Map(listSections.flatMap((section) => section.controls.map((name) => [name, section])));
    this.labelledValues = new Map(labelledValues.map((row) => [row.value, row]));
    this.headed = new Set();
    this.used = new Set();
    this.rows = [];
  }

  freeLabels(beside) {
    return this.controls.filter((c) => c.kind === 'label' && c.role !== 'result' && !this.used.has(c.name)
      && sameLine(c, beside));
  }

  // The control with its name on the left and its unit on the right: the
  // labels the description gives it, or else those beside it.
  labelledRow(control) {
    const given = this.labelledValues.get(control.name);
    const byName = (name) => this.controls.find((c) => c.name === name) || null;
    const name = given ? byName(given.caption) : nearest(this.freeLabels(control), (l) => control.left - right(l));
    const unit = given ? byName(given.unit) : nearest(this.freeLabels(control), (l) => l.left - right(control));
    const row = [name, control, unit];
    for (const c of row) if (c) this.used.add(c.name);
    return row;
  }

  // A section's heading stands before the first of its controls in the list.
  headingFor(control) {
    const section = this.sectionOf.get(control.name);
    if (!section || !section.heading || this.headed.has(section)) return;
    this.headed.add(section);
    const named = (name) => this.controls.find((c) => c.name === name);
    if (named(section.heading)) this.rows.push(this.take(named(section.heading)));
    // A text that introduces the section (not a value) follows its heading.
    for (const control of section.controls.map(named)) {
      if (control && control.kind === 'label' && control.role === '' && !this.used.has(control.name)) {
        this.rows.push(this.take(control));
      }
    }
  }

  take(control) {
    this.used.add(control.name);
    return [control];
  }

  resultsAfterNearestButtons() {
    const buttons = this.rows.filter((row) => row.length === 1 && row[0].kind === 'button');
    const results = this.controls.filter((c) => c.role === 'result');
    const centre = (c) => [c.left + c.width / 2, c.top + c.height / 2];
    for (const result of results) {
      const [x, y] = centre(result);
      let closest = buttons[0];
      for (const row of buttons) {
        const [bx, by] = centre(row[0]);
        const [cx, cy] = centre(closest[0]);
        if (Math.hypot(bx - x, by - y) < Math.hypot(cx - x, cy - y)) closest = row;
      }
      const afterIndex = this.rows.indexOf(closest) + 1;
      let at = afterIndex;
      while (at < this.rows.length && this.rows[at].resultOf === closest) at += 1;
      const row = this.labelledRow(result);
      row.resultOf = closest;
      this.rows.splice(at, 0, row);
    }
  }

  restInReadingOrder() {
    const rest = this.controls.filter((c) => !this.used.has(c.name))
      .sort((a, b) => a.top - b.top || a.left - b.left);
    for (const control of rest) {
      const line = this.rows.at(-1);
      if (line && line.reading && groupable(control) && line.every((c) => groupable(c) && sameLine(c, control))
        && line.length < 3) {
        line.push(control);
      } else {
        const row = [control];
        row.reading = true;
        this.rows.push(row);
      }
      this.used.add(control.name);
    }
    for (const row of this.rows) if (row.reading) row.sort((a, b) => a.left - b.left);
  }
}

// Rows of [name, control, unit] (null where missing) or of one to three
// controls, for the controls that lie directly on the window. `first` names
// controls put together ahead of everything (the plot block of the waveform window);
// a window whose tab order is not its reading order (the main window) is
// listed by its tab order, another in reading order.
export function listRows(description, { first = [], byTabOrder = true } = {}) {
  const controls = description.controls.filter((c) => !c.container && !c.hidden);
  const builder = new RowBuilder(controls, description);
  if (first.length > 0) {
    const group = first.flatMap((name) => builder.take(controls.find((c) => c.name === name)));
    group.group = true;
    builder.rows.push(group);
  }
  if (byTabOrder) {
    for (const name of description.tabOrder) {
      const control = controls.find((c) => c.name === name);
      if (!control || builder.used.has(name)) continue;
      builder.headingFor(control);
      builder.rows.push(control.kind === 'field' ? builder.labelledRow(control) : builder.take(control));
    }
    builder.resultsAfterNearestButtons();
  }
  builder.restInReadingOrder();
  return builder.rows;
}
