// The audio trace: the selected trace as sound, computed by the core from the
// cursor to the plot's right edge and played here with Web Audio, while the
// cursor follows what is heard. Where nothing can be heard (no Web Audio, or
// an audio clock that does not start) the program's message says so, once,
// and the cursor sweeps the same way in silence.

/** @typedef {import('./core_messages').AudioTrace} AudioTrace */

// Samples a silent sweep asks for: only their count and timing are used.
const SILENT_RATE = 8000;
// How long an audio clock may stand still after the sound has started, in ms,
// before it is taken for a device that plays nothing.
const CLOCK_START_WAIT = 1000;

/**
 * What the player asks of the page.
 * @typedef {object} SoundSteps
 * @property {(sampleRate: number) => void} ask  the core's sound at this rate, handed to play()
 * @property {(column: number) => void} follow  the cursor to this device column, without a word
 * @property {() => Promise<void>} unavailable  tells that nothing can be heard; resolves once read
 */

/**
 * One playing of the trace, from the key that started it to its stop.
 * @typedef {object} Playing
 * @property {AudioContext | null} context  null: a silent sweep
 * @property {AudioTrace} [trace]
 * @property {AudioBufferSourceNode} [source]
 * @property {number} [column]  where the cursor was last sent
 */

/** @param {AudioBufferSourceNode | undefined} source */
function silence(source) {
  try {
    source?.stop();
  } catch {
    // a source that never started
  }
}

export class AudioTracePlayer {
  /** @param {SoundSteps} steps */
  constructor(steps) {
    this.steps = steps;
    /** @type {Playing | null} */
    this.playing = null;
    /** @type {AudioContext | null | undefined} made at the first key, in its gesture; null: none */
    this.context = undefined;
    this.told = false;
  }

  // Space or Enter: plays, or stops what plays.
  toggle() {
    if (this.stop()) return;
    const context = this.audioContext();
    this.playing = { context };
    context?.resume().catch(() => {});
    this.steps.ask(context ? context.sampleRate : SILENT_RATE);
  }

  // Whether something was playing.
  stop() {
    const playing = this.playing;
    if (!playing) return false;
    this.playing = null;
    silence(playing.source);
    return true;
  }

  /** @returns {AudioContext | null} */
  audioContext() {
    if (this.context === undefined) {
      try {
        this.context = new AudioContext();
      } catch {
        this.context = null;
      }
    }
    return this.context;
  }

  // The core's sound for the playing asked for (none: the readout failed).
  /** @param {AudioTrace | null} trace */
  play(trace) {
    const playing = this.playing;
    if (!playing || playing.trace) return;  // stopped, or not asked for
    if (!trace || trace.pcm.length === 0) {
      this.playing = null;
      return;
    }
    playing.trace = trace;
    if (playing.context) this.playAudible(playing);
    else this.playSilent(playing);
  }

  /** @param {Playing} playing */
  playAudible(playing) {
    const { context, trace } = playing;
    try {
      const buffer = context.createBuffer(1, trace.pcm.length, trace.sampleRate);
      buffer.copyToChannel(trace.pcm, 0);
      playing.source = new AudioBufferSourceNode(context, { buffer });
      playing.source.connect(context.destination);
      playing.source.start();
    } catch {
      this.heardNothing(playing);
      return;
    }
    const startedAt = context.currentTime;
    const waitUntil = performance.now() + CLOCK_START_WAIT;
    this.follow(playing, () => {
      const seconds = context.currentTime - startedAt;
      if (seconds > 0 || performance.now() < waitUntil) return seconds;
      this.heardNothing(playing);
      return null;
    });
  }

  // No device took the sound: from now on every playing is silent.
  /** @param {Playing} playing */
  heardNothing(playing) {
    silence(playing.source);
    playing.source = undefined;
    this.context?.close().catch(() => {});
    this.context = null;
    this.playSilent(playing);
  }

  // The message first, then the sweep: the cursor moves while it can be seen.
  /** @param {Playing} playing */
  async playSilent(playing) {
    if (!this.told) {
      this.told = true;
      await this.steps.unavailable();
    }
    const startedAt = performance.now();
    this.follow(playing, () => (performance.now() - startedAt) / 1000);
  }

  // Each frame the cursor at the column being heard, until the last one has
  // been, or the clock gives over (null).
  /** @param {Playing} playing  @param {() => number | null} clock  seconds played */
  follow(playing, clock) {
    const { trace } = playing;
    const duration = trace.pcm.length / trace.sampleRate;
    const lastColumn = trace.firstColumn + Math.max(0, Math.round(duration / trace.secondsPerColumn) - 1);
    const frame = () => {
      if (this.playing !== playing) return;
      const seconds = clock();
      if (seconds === null) return;
      const column = Math.min(lastColumn, trace.firstColumn + Math.floor(Math.max(0, seconds) / trace.secondsPerColumn));
      if (column !== playing.column) {
        playing.column = column;
        this.steps.follow(column);
      }
      if (seconds >= duration) this.stop();
      else requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
  }
}
