// The sampling of one plot spread over the sampling workers, from the core's
// worker: each worker holds IN_FLIGHT chunks and is handed the next one as
// soon as it answers one, so that it never waits for this worker, which only
// hands out and merges and stays free between answers. Answers of an
// abandoned plot are passed over.

/** @typedef {import('./core_messages').SamplingJob} SamplingJob */
/** @typedef {import('./core_messages').ChunkOutcome} ChunkOutcome */
/** @typedef {import('./core_messages').ChunkRequest} ChunkRequest */
/** @typedef {import('./core_messages').ChunkReply} ChunkReply */

/**
 * What the run asks of the core's plot, and tells it.
 * @typedef {object} PlotSteps
 * @property {() => number} chunkCount
 * @property {(index: number) => boolean} needs  whether a chunk still counts
 * @property {(index: number, outcome: ChunkOutcome) => void} add
 * @property {() => boolean} sampled  every chunk that counts has been added
 * @property {() => void} progress  after each chunk added
 * @property {() => void} finish  once sampled
 * @property {() => void} fail  a worker could not sample its chunk
 */

// Two: one to sample while the answer to the other travels. A stop leaves at
// most one chunk more to each worker, a few milliseconds.
const IN_FLIGHT = 2;
let lastJob = 0;

export class PlotRun {
  /** @param {MessagePort[]} samplers  @param {SamplingJob} sampling  @param {PlotSteps} steps */
  constructor(samplers, sampling, steps) {
    this.job = ++lastJob;
    this.sampling = sampling;
    this.steps = steps;
    this.chunks = steps.chunkCount();
    this.next = 0;
    this.samplers = samplers;
    this.over = false;
  }

  // A chunk to each worker, or the end at once when nothing is to be sampled.
  start() {
    if (this.steps.sampled()) {
      this.end();
      return;
    }
    for (const port of this.samplers) {
      port.onmessage = ({ data }) => this.take(port, data);
      for (let i = 0; i < IN_FLIGHT; i += 1) this.handOut(port);
    }
  }

  /** @param {MessagePort} port */
  handOut(port) {
    if (this.next >= this.chunks || !this.steps.needs(this.next)) return;
    /** @type {ChunkRequest} */
    const request = { kind: 'chunk', job: this.job, sampling: this.sampling, index: this.next };
    this.next += 1;
    port.postMessage(request);
  }

  /** @param {MessagePort} port  @param {ChunkReply} reply */
  take(port, reply) {
    if (this.over || reply.job !== this.job) return;
    if (reply.kind === 'failed') {
      this.abandon();
      this.steps.fail();
      return;
    }
    this.steps.add(reply.index, reply.outcome);
    this.steps.progress();
    if (this.steps.sampled()) this.end();
    else this.handOut(port);
  }

  end() {
    this.over = true;
    this.steps.finish();
  }

  abandon() {
    this.over = true;
  }
}
