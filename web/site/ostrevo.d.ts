// The core's module as the site's build makes it (ostrevo.js beside
// ostrevo.wasm): what web/page_program.cpp and web/sampling_glue.cpp bind.
import type { AudioTrace, ChunkOutcome, ReadoutKeyName, SamplingJob } from './js/core_messages';

/** A std::vector<std::string> of embind's: read it, then delete it. */
export interface Messages {
  size(): number;
  get(index: number): string;
  delete(): void;
}

/** The program behind the page (PageProgram), calling the face it was made with. */
export interface Program {
  click(window: string, control: string): Messages;
  /** Whether the last command ended in its stop's message. */
  stopped(): boolean;
  /** Fills the fields a link names; the buttons of its commands, in order. */
  openLink(query: string): Messages;
  /** The query of what the main window shows. */
  shownQuery(plotShown: boolean): string;
  startsPlot(window: string, control: string): boolean;
  beginPlot(workers: number): SamplingJob | null;
  chunkCount(): number;
  addChunk(index: number, outcome: ChunkOutcome): void;
  needsChunk(index: number): boolean;
  plotSampled(): boolean;
  doneFraction(): number;
  finishPlot(): void;
  abandonPlot(): void;
  takeMessages(): Messages;
  pointerAt(deviceX: number, deviceY: number): void;
  /** A value of Core.ReadoutKey. */
  press(key: unknown): void;
  followSound(deviceColumn: number): void;
  sound(sampleRate: number): AudioTrace | null;
  closeWindow(window: string): void;
  resizePicture(deviceWidth: number, deviceHeight: number): void;
  pictureBytes(): Uint8Array;
  pictureWidth(): number;
  pictureHeight(): number;
}

/** One worker's instance of a plot's sampling. */
export interface ChunkSampler {
  sampleChunk(index: number): ChunkOutcome;
  delete(): void;
}

export interface Core {
  Program: new (face: object, decimalSeparator: string) => Program;
  /** The readout's keys, by name (embind's enum). */
  ReadoutKey: Record<ReadoutKeyName, unknown>;
  ChunkSampler: new (job: SamplingJob) => ChunkSampler;
  /** Samples a period of the real example with this many samples, for the engine to compile the sampling. */
  warmUpSampling(samples: number): void;
  /** The windows' description, as description.json holds it. */
  describe(): string;
}

export default function createOstrevo(options?: { wasmBinary?: Uint8Array }): Promise<Core>;
