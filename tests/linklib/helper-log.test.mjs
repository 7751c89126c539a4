// The helper's rate-limited log (node --test).
import assert from "node:assert/strict";
import { test } from "node:test";
import { RateLimitedLog } from "../../linklib/opcua/helper/lib/log.mjs";

function logAt(clock) {
  const written = [];
  const log = new RateLimitedLog((text) => written.push(text), () => clock.now);
  return { log, written };
}

test("a recurring line is printed once a window, then counted", () => {
  const clock = { now: 0 };
  const { log, written } = logAt(clock);
  for (let retry = 0; retry < 30; ++retry, clock.now += 2000) {
    log.line(`20:57:${String(retry).padStart(2, "0")}.123Z connecting: maximum chunk size exceeded`);
    log.line("certificate block line");
  }
  log.line("a new line");
  assert.deepEqual(written, [
    "20:57:00.123Z connecting: maximum chunk size exceeded\n",
    "certificate block line\n",
    '(held back 58 repeats of 2 lines, e.g. "connecting: maximum chunk size exceeded")\n',
    "a new line\n",
  ]);
});

test("a line quiet for a whole window is printed again", () => {
  const clock = { now: 0 };
  const { log, written } = logAt(clock);
  log.line("connection lost");
  log.line("connection lost");
  clock.now = 61000;
  log.line("other");
  clock.now = 122000;
  log.line("connection lost");
  assert.deepEqual(written, [
    "connection lost\n",
    '(held back 1 repeats of the line "connection lost")\n',
    "other\n",
    "connection lost\n",
  ]);
});
