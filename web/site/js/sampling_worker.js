// A sampling worker: an instance of the core of its own that samples the
// chunks of a plot the core's worker hands it, one at a time, through the
// port the page gave it. (A static site cannot send the headers that shared
// WebAssembly memory needs: each worker has its own.)

/** @typedef {import('./core_messages').SamplerStart} SamplerStart */
/** @typedef {import('./core_messages').ChunkRequest} ChunkRequest */
/** @typedef {import('./core_messages').ChunkReply} ChunkReply */

// A period sampled once at the start lets the engine compile the sampling at
// its best before the first plot: about 2 ms of a core once it has.
const WARM_UP_SAMPLES = 1 << 18;

const loading = import('../ostrevo.js').then(({ default: createOstrevo }) => createOstrevo());

// The sampling of the plot whose chunks come now.
/** @type {{job: number, sampler: import('../ostrevo').ChunkSampler | null}} */
let current = { job: 0, sampler: null };

/** @param {import('../ostrevo').Core} core  @param {ChunkRequest} request */
function samplerFor(core, request) {
  if (current.job !== request.job) {
    current.sampler?.delete();
    current = { job: request.job, sampler: new core.ChunkSampler(request.sampling) };
  }
  return current.sampler;
}

/** @param {import('../ostrevo').Core} core  @param {ChunkRequest} request  @returns {ChunkReply} */
function sample(core, request) {
  const { job, index } = request;
  try {
    return { kind: 'outcome', job, index, outcome: samplerFor(core, request).sampleChunk(index) };
  } catch (error) {
    console.error(error);
    return { kind: 'failed', job, index };
  }
}

self.onmessage = async ({ data }) => {
  /** @type {SamplerStart} */
  const { port } = data;
  // Without its core a worker answers every chunk as failed: the plot ends at once.
  const core = await loading.catch(() => null);
  // The chunks that come meanwhile wait in the port.
  if (core) core.warmUpSampling(WARM_UP_SAMPLES);
  port.onmessage = ({ data: request }) => port.postMessage(sample(core, request));
};
