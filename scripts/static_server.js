#!/usr/bin/env node
// Serves a folder of static files over HTTP, as any static host would, with
// the types that browsers insist on: application/wasm for streaming
// compilation, application/manifest+json for the web app manifest. Used by
// scripts/web and by the page's tests.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.json': 'application/json', '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm', '.png': 'image/png', '.svg': 'image/svg+xml', '.jpg': 'image/jpeg',
  '.ico': 'image/x-icon', '.ttf': 'font/ttf', '.otf': 'font/otf', '.woff': 'font/woff', '.woff2': 'font/woff2',
  '.txt': 'text/plain; charset=utf-8',
};

const MOST_HEADER_BYTES = 16 * 1024 * 1024;

// The file a request path names inside root, or null when it leaves root.
function fileOf(root, urlPath) {
  const relative = decodeURIComponent(urlPath.split('?')[0]).replace(/\/$/, '/index.html');
  const file = path.join(root, path.normalize(relative));
  return file === root || file.startsWith(root + path.sep) ? file : null;
}

function answer(root, request, response) {
  const file = fileOf(root, request.url);
  fs.readFile(file ?? '', (error, body) => {
    if (error) {
      response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' }).end('Not found\n');
      return;
    }
    // no-cache: the browser asks again each time, so a new build is seen at once.
    response.writeHead(200, {
      'Content-Type': TYPES[path.extname(file).toLowerCase()] ?? 'application/octet-stream',
      'Cache-Control': 'no-cache',
    });
    response.end(request.method === 'HEAD' ? undefined : body);
  });
}

// Starts serving root on host:port; resolves to the listening server.
function serve(root, port, host = '127.0.0.1') {
  // A link carries the circuit in the address's query, of any length: Node's
  // 16 KB for the request line and headers would refuse a long one (431).
  const server = http.createServer({ maxHeaderSize: MOST_HEADER_BYTES },
    (request, response) => answer(path.resolve(root), request, response));
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, host, () => resolve(server));
  });
}

if (require.main === module) {
  const [root = 'build/web'] = process.argv.slice(2);
  const port = Number(process.env.PORT ?? 8080);
  serve(root, port).then(() => console.log(`Ostrevo: http://127.0.0.1:${port}/`));
}

module.exports = { serve };
