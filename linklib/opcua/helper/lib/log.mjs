// The helper's diagnostic output on stderr. A line (compared without a
// leading clock time) that was printed in the last minute is held back and
// counted, so that a fault recurring every few seconds, or a block of lines
// printed at every retry, cannot fill a log: each minute with held-back
// lines ends in one line that counts them. A line quiet for a minute is
// printed again when it comes back. A line about a subject (a server
// connection) is never held back when the last line printed about that
// subject was another: the last line about a connection is its state.
const kWindowMs = 60000;
const kMostRemembered = 1000;
const kLeadingTime = /^\d\d:\d\d:\d\d(\.\d+)?Z?\s*/;

export class RateLimitedLog {
  constructor(write, now = Date.now) {
    this.write = write;
    this.now = now;
    this.repeats = new Map(); // line printed or held back in this window -> times held back
    this.windowEnds = now() + kWindowMs;
    this.lastAbout = new Map(); // subject -> the last line printed about it
  }
  line(text, subject) {
    if (this.now() >= this.windowEnds) this.flush();
    const key = text.replace(kLeadingTime, "");
    const repeats = this.repeats.get(key);
    const changesState = subject !== undefined && this.lastAbout.get(subject) !== key;
    if (repeats !== undefined && !changesState) {
      this.repeats.set(key, repeats + 1);
      return;
    }
    if (repeats === undefined && this.repeats.size >= kMostRemembered) this.flush();
    this.repeats.set(key, repeats ?? 0);
    if (subject !== undefined) this.lastAbout.set(subject, key);
    this.write(text + "\n");
  }
  // Ends the window: counts what was held back in it; lines that repeated
  // stay held back in the next one.
  flush() {
    let held = 0;
    let lines = 0;
    let example = null;
    let exampleRepeats = 0;
    for (const [key, repeats] of this.repeats) {
      if (repeats === 0) {
        this.repeats.delete(key);
        continue;
      }
      held += repeats;
      ++lines;
      if (repeats > exampleRepeats) [example, exampleRepeats] = [key, repeats];
      this.repeats.set(key, 0);
    }
    if (held > 0) {
      const what = lines === 1 ? `the line "${example}"` : `${lines} lines, e.g. "${example}"`;
      this.write(`(held back ${held} repeats of ${what})\n`);
    }
    this.windowEnds = this.now() + kWindowMs;
  }
}

let helperLog = null;

// A line of the helper's own, about `subject` when given (see above).
export function report(text, subject) {
  if (helperLog) helperLog.line(text, subject);
  else process.stderr.write(text + "\n");
}

// Whether the libraries' own output is wanted: TINTORAL_OPCUA_VERBOSE=1.
export function verboseWanted(env = process.env) {
  return /^(1|true|yes)$/i.test(env.TINTORAL_OPCUA_VERBOSE ?? "");
}

// Starts the helper's log on stderr (report). What the libraries print on
// the console or stdout (node-opcua's certificate dumps and numbered
// warnings) is dropped, or with TINTORAL_OPCUA_VERBOSE=1 sent through the
// same log, line by line. Returns the original stdout writer for the
// protocol.
export function divertOutputToLog() {
  const protocolOut = process.stdout.write.bind(process.stdout);
  const log = new RateLimitedLog((text) => process.stderr.write(text));
  helperLog = log;
  const verbose = verboseWanted();
  const lines = (text) => {
    if (!verbose) return;
    for (const line of String(text).replace(/\n$/, "").split("\n")) log.line(line);
  };
  for (const name of ["log", "info", "warn", "error", "debug", "trace"]) {
    console[name] = (...args) => lines(args.map(String).join(" "));
  }
  process.stdout.write = (chunk, encoding, callback) => {
    lines(chunk);
    if (typeof encoding === "function") encoding();
    else if (typeof callback === "function") callback();
    return true;
  };
  setInterval(() => log.flush(), kWindowMs).unref();
  process.on("exit", () => log.flush());
  return protocolOut;
}
