// The helper's rules that need no server (node --test): the rate-limited
// log and the reading of the credentials file.
import assert from "node:assert/strict";
import { chmodSync, mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import { RateLimitedLog, verboseWanted } from "../../linklib/opcua/helper/lib/log.mjs";
import { settingsFor } from "../../linklib/opcua/helper/lib/settings.mjs";

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

test("a line about a connection that changes its state is never held back", () => {
  const clock = { now: 0 };
  const { log, written } = logAt(clock);
  for (let outage = 0; outage < 3; ++outage, clock.now += 5000) {
    log.line("connection to S lost", "S");
    log.line("connection to S lost", "S");
    log.line("connection to S reestablished", "S");
  }
  log.line("connection to S lost", "S");
  assert.deepEqual(written, [
    "connection to S lost\n",
    "connection to S reestablished\n",
    "connection to S lost\n",
    "connection to S reestablished\n",
    "connection to S lost\n",
    "connection to S reestablished\n",
    "connection to S lost\n",
  ]);
  assert.equal(written.at(-1), "connection to S lost\n", "the last line is the connection's state");
});

test("the libraries' own output is wanted only with TINTORAL_OPCUA_VERBOSE", () => {
  assert.equal(verboseWanted({}), false);
  assert.equal(verboseWanted({ TINTORAL_OPCUA_VERBOSE: "0" }), false);
  assert.equal(verboseWanted({ TINTORAL_OPCUA_VERBOSE: "1" }), true);
  assert.equal(verboseWanted({ TINTORAL_OPCUA_VERBOSE: "yes" }), true);
});

test("each server gets its entry of the credentials file, or its defaults", () => {
  const folder = mkdtempSync(join(tmpdir(), "tintoral-credentials-"));
  const file = join(folder, "credentials.json");
  const environment = { TINTORAL_OPCUA_CREDENTIALS: file };
  const read = (json, endpoint) => {
    writeFileSync(file, json);
    chmodSync(file, 0o600);
    try {
      return settingsFor(endpoint, environment);
    } catch (error) {
      return error.message;
    }
  };
  try {
    const cases = [
      ['{"opc.tcp://a:1": {"securityMode": "Sign", "userName": "op", "password": "pw"}}', "opc.tcp://a:1",
        { securityMode: "Sign", securityPolicy: "Basic256Sha256", userName: "op", password: "pw" }],
      ['{"opc.tcp://a:1": {}, "*": {"securityMode": "SignAndEncrypt"}}', "opc.tcp://b:2",
        { securityMode: "SignAndEncrypt", securityPolicy: "Basic256Sha256", userName: "", password: "" }],
      ['{"opc.tcp://a:1": {}}', "opc.tcp://b:2",
        { securityMode: "None", securityPolicy: "None", userName: "", password: "" }],
      ['{"*": {"securityMode": "Encrypt"}}', "opc.tcp://a:1",
        'unknown security mode "Encrypt" (one of None, Sign, SignAndEncrypt)'],
      ['{"*": {"securityMode": "None", "securityPolicy": "Basic256Sha256"}}', "opc.tcp://a:1",
        "security mode None does not go with policy Basic256Sha256"],
      ["[]", "opc.tcp://a:1", `the credentials file ${file} is not a JSON object of servers`],
      ['{"*": 5}', "opc.tcp://a:1", "the credentials file's entry for opc.tcp://a:1 is not a JSON object"],
      ['{"*": {"userName": {"toString": 1}}}', "opc.tcp://a:1", "the user name is not a JSON string"],
      ['{"*": {"securityMode": {"toString": 1}}}', "opc.tcp://a:1",
        'unknown security mode {"toString":1} (one of None, Sign, SignAndEncrypt)'],
      ['{"*": {"userName": 1234, "password": null}}', "toString",
        { securityMode: "None", securityPolicy: "None", userName: "1234", password: "" }],
    ];
    for (const [json, endpoint, expected] of cases) assert.deepEqual(read(json, endpoint), expected, json);
    assert.deepEqual(settingsFor("opc.tcp://a:1", {}),
      { securityMode: "None", securityPolicy: "None", userName: "", password: "" }, "without a file");
  } finally {
    rmSync(folder, { recursive: true });
  }
});
