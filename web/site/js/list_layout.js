// A window laid out as a list on a narrow screen, exactly as its description
// gives it: section after section, each opened by its heading; a value in one
// row with the label that names it and the label of its unit; the controls of
// a side-by-side section (the plot and its voltage scale) together in one row.

// Rows are { caption, value, unit } (unit null for a count), { alone: name }
// or { together: [names] }; a section keeps the Shape that frames it, if any.
export function listSections(description) {
  const { sections, labelledValues } = description.list;
  const labelled = new Map(labelledValues.map((row) => [row.value, row]));
  const rowOf = (name) => {
    const given = labelled.get(name);
    return given ? { caption: given.caption, value: name, unit: given.unit || null } : { alone: name };
  };
  return sections.map((section) => ({
    frame: section.frame || null,
    rows: [
      ...(section.heading ? [{ alone: section.heading }] : []),
      ...(section.sideBySide ? [{ together: section.controls }] : section.controls.map(rowOf)),
    ],
  }));
}
