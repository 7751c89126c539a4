// The helper's diagnostic output on stderr. A line that repeats the one
// before it (ignoring a leading clock time) is held back and counted; the
// count is printed when another line comes, or once a minute while the
// repetition goes on, so a fault that recurs every few seconds cannot fill
// a log.
const kSummaryEveryMs = 60000;
const kLeadingTime = /^\d\d:\d\d:\d\d(\.\d+)?Z?\s*/;

export class RateLimitedLog {
  constructor(write, now = Date.now) {
    this.write = write;
    this.now = now;
    this.last = null; // the last line printed, without its time
    this.repeats = 0; // held back since the last line or summary
    this.summaryAt = 0;
  }
  line(text) {
    const key = text.replace(kLeadingTime, "");
    if (key === this.last) {
      ++this.repeats;
      if (this.now() >= this.summaryAt) this.flush();
      return;
    }
    this.flush();
    this.last = key;
    this.summaryAt = this.now() + kSummaryEveryMs;
    this.write(text + "\n");
  }
  flush() {
    if (this.repeats > 0) this.write(`(the line "${this.last}" came ${this.repeats} more times)\n`);
    this.repeats = 0;
    this.summaryAt = this.now() + kSummaryEveryMs;
  }
}

// Sends console output and stdout writes through one rate-limited log on
// stderr, line by line; returns the original stdout writer for the protocol.
export function divertOutputToLog() {
  const protocolOut = process.stdout.write.bind(process.stdout);
  const log = new RateLimitedLog((text) => process.stderr.write(text));
  const lines = (text) => {
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
  process.on("exit", () => log.flush());
  return protocolOut;
}
