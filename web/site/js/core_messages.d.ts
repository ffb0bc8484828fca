// What the page's threads say to each other. The main thread keeps the DOM;
// the core runs in a worker of its own (core_worker.js) and samples a plot
// through sampling workers (sampling_worker.js), each with an instance of its
// own. Everything below crosses postMessage, so it is plain data.

/** Width and height, in the unit the field that holds it names. */
export interface Size {
  width: number;
  height: number;
}

/**
 * What the core reads from the page, taken when a request leaves the main
 * thread: the core never asks the page while it works.
 */
export interface Snapshot {
  /** Each window's fields and results, their texts by control name. */
  texts: Record<string, Record<string, string>>;
  /** Each window's option buttons, whether checked, by control name. */
  checked: Record<string, Record<string, boolean>>;
  /** Each window's picture areas, their inner sizes as shown, in CSS pixels. */
  areas: Record<string, Record<string, Size>>;
  /** The plot's canvas as shown, in device pixels; 0 × 0 when not shown. */
  canvas: Size;
}

/** One thing the core changed on the page, in the order it changed it. */
export type Effect =
  | { kind: 'text'; window: string; control: string; text: string }
  | { kind: 'colour'; window: string; control: string; colour: string }
  /** A label's upper-left corner in CSS pixels from its area's inner corner. */
  | { kind: 'place'; window: string; control: string; left: number; top: number }
  | { kind: 'check'; window: string; control: string }
  | { kind: 'toolTip'; window: string; control: string; text: string }
  /** The readout cursor of a picture at a device column of its canvas. */
  | { kind: 'cursor'; window: string; control: string; column: number }
  /** A sentence for a screen reader, said after what it is saying. */
  | { kind: 'announce'; text: string }
  /** A control's accessible description. */
  | { kind: 'describe'; window: string; control: string; text: string }
  /** The audio trace asked for, or null when the readout failed. */
  | { kind: 'sound'; sound: AudioTrace | null }
  | { kind: 'createWindow'; window: string }
  | { kind: 'showWindow'; window: string }
  | { kind: 'unloadWindow'; window: string }
  /** The whole raster of a picture area: red, green, blue, alpha, row after row. */
  | { kind: 'picture'; window: string; control: string; width: number; height: number; rgba: ArrayBuffer }
  /** The command ended in its stop's message (or was stopped): a link's commands end there. */
  | { kind: 'stopped' }
  /** A link's fields are filled: the main window's buttons of its commands, to click in turn. */
  | { kind: 'linkCommands'; controls: string[] }
  /** The query of what the main window shows (without "?"). */
  | { kind: 'address'; query: string }
  /** A message box, shown once its command has ended. */
  | { kind: 'message'; text: string }
  | { kind: 'endProgram' }
  /** The command stopped by something the core has no message for. */
  | { kind: 'commandFailed' };

/** What a key does to the plot's readout (the core's ReadoutKey). */
export type ReadoutKeyName =
  | 'ColumnLeft' | 'ColumnRight' | 'TenthLeft' | 'TenthRight' | 'FirstColumn' | 'LastColumn'
  | 'UpperTrace' | 'LowerTrace' | 'PreviousSwitch' | 'NextSwitch';

/**
 * The selected trace as sound, from the cursor to the plot's right edge: mono
 * samples in [-1, 1], secondsPerColumn of them for each device column from
 * firstColumn on.
 */
export interface AudioTrace {
  sampleRate: number;
  firstColumn: number;
  secondsPerColumn: number;
  pcm: Float32Array<ArrayBuffer>;
}

/** Once, first: how the core writes numbers, and a port to each sampling worker. */
export interface CoreStart {
  kind: 'start';
  decimalSeparator: string;
  samplers: MessagePort[];
}

/** What the plot's readout is asked, by the pointer, the keys and the audio trace. */
export type ReadoutRequest =
  /** The pointer over the plot, in device pixels of its canvas. */
  | { kind: 'pointer'; x: number; y: number }
  /** A key while the plot has the focus: the readout moves and says where it is. */
  | { kind: 'key'; key: ReadoutKeyName }
  /** The audio trace's cursor at this device column: the readout, unsaid. */
  | { kind: 'follow'; column: number }
  /** The audio trace at this sample rate, as a 'sound' effect. */
  | { kind: 'sound'; sampleRate: number };

/** Main thread to core worker. The page sends one command at a time. */
export type CoreRequest =
  /** A click on a button of a window: its command. */
  | { kind: 'click'; id: number; window: string; control: string; snapshot: Snapshot }
  /** The close box of a window's frame. */
  | { kind: 'closeWindow'; id: number; window: string; snapshot: Snapshot }
  /** The plot's readout. */
  | (ReadoutRequest & { id: number; snapshot: Snapshot })
  /** The plot drawn again for the canvas's size and its labels placed for their areas' sizes. */
  | { kind: 'fit'; id: number; snapshot: Snapshot }
  /** A link, the page's query: its fields filled and its commands named. */
  | { kind: 'openLink'; id: number; query: string; snapshot: Snapshot }
  /** The query of what the main window shows. */
  | { kind: 'address'; id: number; plotShown: boolean; snapshot: Snapshot }
  /** The running command ends here, as a fault at this point would, without a message. */
  | { kind: 'stop' }
  | ExportRequest;

/** What the plot's exports ask of the core; the answer comes as 'exported'. */
export type ExportRequest =
  /** Every sentence of the catalogue by its name, placeholders unfilled. */
  | { kind: 'export'; id: number; what: 'catalogue' }
  /** One sentence of the catalogue with its placeholders filled. */
  | { kind: 'export'; id: number; what: 'say'; name: string; fillings: Record<string, string> }
  /** The SVG drawing of the plot block as the page measured it (CSS pixels). */
  | { kind: 'export'; id: number; what: 'svg'; layout: Record<string, unknown> }
  /** The CSV's header, its rows' count and its file's name; null without traces. */
  | { kind: 'export'; id: number; what: 'csvOutline'; decimalSeparator: string }
  /** Rows first..first + count - 1 of the CSV of the plot `revision` of its outline; null once the plot has changed. */
  | { kind: 'export'; id: number; what: 'csvRows'; decimalSeparator: string; first: number; count: number; revision: number };

/** Core worker to main thread. */
export type CoreReply =
  | { kind: 'ready' }
  | { kind: 'cannotLoad'; reason: string }
  /** Effects of a step of request `id`, which goes on. */
  | { kind: 'effects'; id: number; effects: Effect[] }
  /** How much of command `id` is done, 0 to 1. */
  | { kind: 'progress'; id: number; done: number }
  /** Request `id` has ended (whole, stopped or failed) with these last effects. */
  | { kind: 'done'; id: number; effects: Effect[] }
  /** The answer to an export request. */
  | { kind: 'exported'; id: number; result: unknown };

/** The sampling of one plot, as the core describes it: plain numbers. */
export type SamplingJob = Record<string, number | Record<string, number>>;

/** Core worker to a sampling worker: sample chunk `index` of plot `job`. */
export interface ChunkRequest {
  kind: 'chunk';
  job: number;
  sampling: SamplingJob;
  index: number;
}

/** A sample that could not be computed, and why. */
export interface SampleFault {
  k: number;
  message: string;
}

/** What a chunk found: the first fault of each trace, the first sample of each that cannot be drawn. */
export interface ChunkOutcome {
  vcFault: SampleFault | null;
  voFault: SampleFault | null;
  undrawableVc: number | null;
  undrawableVo: number | null;
}

/** A sampling worker to the core worker. */
export type ChunkReply =
  | { kind: 'outcome'; job: number; index: number; outcome: ChunkOutcome }
  | { kind: 'failed'; job: number; index: number };

/** Main thread to a sampling worker, once: its port to the core worker. */
export interface SamplerStart {
  kind: 'start';
  port: MessagePort;
}
