// A static file server for the site folder: node web/serve.mjs [DIR] [PORT]
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import zlib from 'node:zlib';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm', '.ttf': 'font/ttf', '.txt': 'text/plain; charset=utf-8',
  '.svg': 'image/svg+xml', '.png': 'image/png', '.ico': 'image/x-icon',
  '.webmanifest': 'application/manifest+json', '.md': 'text/markdown; charset=utf-8',
};

// Each file compressed once, while its bytes stay the same.
const compressed = new Map();
function gzipped(file, data) {
  const known = compressed.get(file);
  if (known && known.source.equals(data)) return known.bytes;
  const bytes = zlib.gzipSync(data);
  compressed.set(file, { source: data, bytes });
  return bytes;
}

// extra: more files by address, e.g. { '/bare.html': 'bench/bare.html' }.
export function serve(dir, port = 0, host = '127.0.0.1', extra = {}) {
  const root = path.resolve(dir);
  const server = http.createServer((req, res) => {
    let name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    if (name.endsWith('/')) name += 'index.html';
    const file = extra[name] ? path.resolve(extra[name]) : path.join(root, path.normalize(name));
    if (!extra[name] && !file.startsWith(root + path.sep)) {
      res.writeHead(403).end();
      return;
    }
    fs.readFile(file, (err, data) => {
      if (err) {
        res.writeHead(404, { 'content-type': 'text/plain' }).end('not found');
        return;
      }
      const headers = { 'content-type': types[path.extname(file)] || 'application/octet-stream',
                        'cache-control': 'no-cache', vary: 'accept-encoding' };
      // Compressed, as a web host serves text, WebAssembly and fonts.
      if (!/\.(png|ico)$/.test(file) && /\bgzip\b/.test(req.headers['accept-encoding'] || '')) {
        data = gzipped(file, data);
        headers['content-encoding'] = 'gzip';
      }
      res.writeHead(200, headers);
      res.end(data);
    });
  });
  return new Promise((resolve) => server.listen(port, host, () => resolve(server)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const dir = process.argv[2] || 'build-web/site';
  const port = Number(process.argv[3] || 8080);
  serve(dir, port, process.env.HOST || '127.0.0.1').then(() =>
    console.log(`serving ${dir} on http://localhost:${port}/ (Ctrl+C ends)`));
}
