// Fuzzes the reading of the OPC UA helper's credentials file (Node.js has
// no libFuzzer): every input is handed to settingsFromText, which must
// return four texts or throw SettingsError; any other outcome is a finding,
// saved beside the corpus as finding-N.json and reported.
//
//   node fuzz/CredentialsFuzzer.mjs CORPUS             replays the corpus
//   node fuzz/CredentialsFuzzer.mjs CORPUS -runs=N     also N mutated inputs
//
// Inputs are the corpus files and mutations of them: bytes changed,
// inserted or removed, JSON fragments of a dictionary spliced in, and parts
// of two inputs joined. The random seed is fixed (-seed=S to change it).
import { readdirSync, readFileSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { SettingsError, settingsFromText } from "../linklib/opcua/helper/lib/settings.mjs";

const kEndpoints = ["opc.tcp://a:1", "*", "toString", "__proto__", "constructor", ""];
const kFragments = ['"*"', '"opc.tcp://a:1"', '"securityMode"', '"securityPolicy"', '"userName"', '"password"',
  '"Sign"', '"SignAndEncrypt"', '"None"', '"Basic256Sha256"', '"Aes256_Sha256_RsaPss"', '"toString"',
  '"__proto__"', '"constructor"', "null", "true", "1e999", "-0", "[]", "{}", '{"toString":1}', ":", ",", "{",
  "}", "[", "]", '"\\u0000"', '"\\ud800"'];

function option(name, fallback) {
  const given = process.argv.find((argument) => argument.startsWith(`-${name}=`));
  return given ? Number(given.slice(name.length + 2)) : fallback;
}

let state = option("seed", 1) >>> 0 || 1;
function random(below) {  // xorshift32
  state ^= state << 13;
  state >>>= 0;
  state ^= state >>> 17;
  state ^= state << 5;
  state >>>= 0;
  return state % below;
}

function mutate(text, other) {
  const at = random(text.length + 1);
  switch (random(5)) {
    case 0: return text.slice(0, at) + String.fromCharCode(random(128)) + text.slice(at + 1);
    case 1: return text.slice(0, at) + String.fromCharCode(random(0x3000)) + text.slice(at);
    case 2: return text.slice(0, at) + text.slice(at + 1 + random(8));
    case 3: return text.slice(0, at) + kFragments[random(kFragments.length)] + text.slice(at);
    default: return text.slice(0, at) + other.slice(random(other.length + 1));
  }
}

function check(text, folder, findings) {
  for (const endpoint of kEndpoints) {
    try {
      const settings = settingsFromText(text, "credentials.json", endpoint);
      const fields = ["securityMode", "securityPolicy", "userName", "password"];
      if (Object.keys(settings).length !== 4 || !fields.every((field) => typeof settings[field] === "string"))
        throw new Error(`not four texts: ${JSON.stringify(settings)}`);
    } catch (error) {
      if (error instanceof SettingsError) continue;
      const file = join(folder, `finding-${findings.length}.json`);
      writeFileSync(file, text);
      findings.push(`${file} (endpoint ${JSON.stringify(endpoint)}): ${error.stack}`);
      return;
    }
  }
}

const folder = process.argv[2];
if (!folder) {
  console.error("usage: node fuzz/CredentialsFuzzer.mjs CORPUS [-runs=N] [-seed=S]");
  process.exit(2);
}
const corpus = readdirSync(folder).filter((name) => !name.startsWith("finding-"))
  .map((name) => readFileSync(join(folder, name), "utf8"));
if (corpus.length === 0) {
  console.error(`no inputs in ${folder}`);
  process.exit(1);
}
const findings = [];
for (const text of corpus) check(text, folder, findings);
const runs = option("runs", 0);
let input = corpus[0];
for (let run = 0; run < runs && findings.length === 0; ++run) {
  if (run % 64 === 0) input = corpus[random(corpus.length)];
  input = mutate(input, corpus[random(corpus.length)]);
  if (input.length > 4096) input = input.slice(0, 4096);
  check(input, folder, findings);
}
console.log(`${corpus.length} corpus inputs replayed, ${runs} mutated inputs run, ${findings.length} findings`);
for (const finding of findings) console.error(finding);
process.exit(findings.length === 0 ? 0 : 1);
