// The core as the page's main thread reaches it: the core's worker, and the
// sampling workers it hands a plot's chunks to through ports of their own.
// Requests go with a snapshot of the page; their effects come back in order.

/** @typedef {import('./core_messages').Effect} Effect */
/** @typedef {import('./core_messages').CoreRequest} CoreRequest */
/** @typedef {import('./core_messages').CoreReply} CoreReply */
/** @typedef {import('./core_messages').CoreStart} CoreStart */
/** @typedef {import('./core_messages').SamplerStart} SamplerStart */

/** @typedef {CoreRequest extends infer R ? R extends { id: number } ? Omit<R, 'id'> : never : never} Request */
/** @typedef {import('./core_messages').ExportRequest extends infer R ? R extends { id: number } ? Omit<R, 'id'> : never : never} ExportAsk */

/**
 * What a request does with what comes back before it ends.
 * @typedef {object} Listener
 * @property {(effects: Effect[]) => void} effects
 * @property {(done: number) => void} [progress]
 * @property {() => void} ended
 * @property {(result: any) => void} [answer]
 */

const MOST_WORKERS = 8;

// As many sampling workers as the device has cores, at least one and at most
// eight; the page's address may ask for another count (workers=N), for the
// benchmark and the tests.
function samplingWorkerCount() {
  const asked = Number(new URLSearchParams(location.search).get('workers'));
  const count = Number.isInteger(asked) && asked > 0 ? asked : navigator.hardwareConcurrency || 1;
  return Math.min(Math.max(count, 1), MOST_WORKERS);
}

// Starts a sampling worker on the far end of the channel (the chunks sent
// meanwhile wait in it).
/** @param {MessagePort} port */
function startSampler(port) {
  const sampler = new Worker(new URL('./sampling_worker.js', import.meta.url), { type: 'module' });
  /** @type {SamplerStart} */
  const start = { kind: 'start', port };
  sampler.postMessage(start, [port]);
}

export class CoreClient {
  // Resolves once the core has loaded in its worker; rejects when it cannot.
  // The sampling workers start after it, not to slow the page's start.
  static start(decimalSeparator) {
    const worker = new Worker(new URL('./core_worker.js', import.meta.url), { type: 'module' });
    const channels = Array.from({ length: samplingWorkerCount() }, () => new MessageChannel());
    const samplers = channels.map(({ port1 }) => port1);
    /** @type {CoreStart} */
    const start = { kind: 'start', decimalSeparator, samplers };
    worker.postMessage(start, samplers);
    return new Promise((resolve, reject) => {
      worker.onerror = (event) => reject(new Error(`the core's worker: ${event.message}`));
      worker.onmessage = ({ data }) => {
        if (data.kind !== 'ready') {
          reject(new Error(data.reason));
          return;
        }
        resolve(new CoreClient(worker));
        for (const { port2 } of channels) startSampler(port2);
      };
    });
  }

  constructor(worker) {
    this.worker = worker;
    this.lastId = 0;
    /** @type {Map<number, Listener>} */
    this.listeners = new Map();
    worker.onmessage = ({ data }) => this.take(data);
    worker.onerror = (event) => this.failAll(event);
  }

  // The request's effects as they come; resolves once it has ended.
  /** @param {Request} request  @param {(effects: Effect[]) => void} effects  @param {(done: number) => void} [progress] */
  request(request, effects, progress) {
    const id = ++this.lastId;
    this.worker.postMessage({ ...request, id });
    return new Promise((resolve) => {
      this.listeners.set(id, { effects, progress, ended: () => resolve(undefined) });
    });
  }

  // An answer of the core that changes nothing on the page (an export); null when it failed.
  /** @param {ExportAsk} request  @returns {Promise<any>} */
  ask(request) {
    const id = ++this.lastId;
    this.worker.postMessage({ ...request, id });
    return new Promise((resolve) => {
      this.listeners.set(id, { effects: () => {}, answer: resolve, ended: () => resolve(null) });
    });
  }

  // The running command ends where it is, as a fault there would end it, without a message.
  stop() {
    /** @type {CoreRequest} */
    const stop = { kind: 'stop' };
    this.worker.postMessage(stop);
  }

  /** @param {CoreReply} reply */
  take(reply) {
    if (!('id' in reply)) return;
    const listener = this.listeners.get(reply.id);
    if (!listener) return;
    if (reply.kind === 'exported') {
      this.listeners.delete(reply.id);
      listener.answer?.(reply.result);
      return;
    }
    if (reply.kind === 'progress') listener.progress?.(reply.done);
    else listener.effects(reply.effects);
    if (reply.kind === 'done') {
      this.listeners.delete(reply.id);
      listener.ended();
    }
  }

  // A worker that broke ends every request as failed: the page goes on.
  failAll(event) {
    console.error(event);
    for (const [id, listener] of this.listeners) {
      this.listeners.delete(id);
      listener.effects([{ kind: 'commandFailed' }]);
      listener.ended();
    }
  }
}
