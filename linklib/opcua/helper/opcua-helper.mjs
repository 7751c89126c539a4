// The OPC UA link library's helper process: reads commands on stdin and
// reports values and states on stdout, one tab-separated line each (the
// protocol is described in ../README.md). Its own diagnostic lines go to
// stderr, rate-limited; what node-opcua prints is dropped unless
// TINTORAL_OPCUA_VERBOSE=1 asks for it (lib/log.mjs), so stdout carries
// protocol lines only. Only the client side of node-opcua is loaded.
import module from "node:module";
import { homedir } from "node:os";
import { join } from "node:path";
import { createInterface } from "node:readline";
import { divertOutputToLog, report } from "./lib/log.mjs";
import { send, setProtocolOutput, unescapeField } from "./lib/protocol.mjs";

setProtocolOutput(divertOutputToLog());
// Node.js 22.1 and later keep the compiled node-opcua code between starts.
module.enableCompileCache?.(join(process.env.XDG_CACHE_HOME || join(homedir(), ".cache"), "tintoral", "node-compile-cache"));
const { add, remove, write, closeAll } = await import("./lib/items.mjs");

async function shutDown() {
  await closeAll(1500);
  process.exit(0);
}

const lines = createInterface({ input: process.stdin });
lines.on("line", (line) => {
  const fields = line.split("\t").map(unescapeField);
  switch (fields[0]) {
    case "add": add(...fields.slice(1, 6)); break;
    case "remove": remove(fields[1]); break;
    case "write": write(fields[1], fields[2], fields[3] ?? ""); break;
    default: if (line.trim() !== "") report(`unknown command: ${line}`);
  }
});
lines.on("close", shutDown);
process.on("unhandledRejection", (error) => report(`unhandled: ${error?.message ?? error}`));
send("ready");
