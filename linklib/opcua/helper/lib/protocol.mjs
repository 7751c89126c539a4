// The line protocol with the link library: tab-separated fields with
// backslash escapes, one message a line (see ../../README.md).
let output = (text) => process.stdout.write(text);

export function setProtocolOutput(write) {
  output = write;
}

export function escapeField(text) {
  return String(text).replace(/\\/g, "\\\\").replace(/\t/g, "\\t").replace(/\n/g, "\\n").replace(/\r/g, "\\r");
}

export function unescapeField(text) {
  return text.replace(/\\(.)/g, (_, c) => (c === "t" ? "\t" : c === "n" ? "\n" : c === "r" ? "\r" : c));
}

export function send(...fields) {
  output(fields.map(escapeField).join("\t") + "\n");
}
