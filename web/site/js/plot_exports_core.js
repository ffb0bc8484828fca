// The core's side of the plot's exports, in its worker: what the plot on
// screen is, as SVG or CSV, and the catalogue's sentences of the menu.

/** @param {any} core  @param {any} program  @param {import('./core_messages').ExportRequest} request */
export function exportFromCore(core, program, request) {
  switch (request.what) {
    case 'catalogue': return core.catalogue();
    case 'say': return core.say(request.name, request.fillings);
    case 'svg': return core.plotSvg(program, request.layout);
    case 'csvOutline': return core.csvOutline(program, request.decimalSeparator);
    case 'csvRows': return core.csvRows(program, request.decimalSeparator, request.first, request.count, request.revision);
    default: return null;
  }
}
