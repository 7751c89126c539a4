// How to connect to a server: security mode, policy and user, from the
// credentials file that TINTORAL_OPCUA_CREDENTIALS names (see ../../README.md).
// Without that variable every server is reached with security mode None as
// an anonymous user. The file is read at every connection attempt, so a
// corrected file takes effect without a restart.
import { readFileSync, statSync } from "node:fs";

export const kCredentialsVariable = "TINTORAL_OPCUA_CREDENTIALS";
const kModes = ["None", "Sign", "SignAndEncrypt"];
const kPolicies = ["None", "Basic256Sha256", "Aes128_Sha256_RsaOaep", "Aes256_Sha256_RsaPss"];

// A problem with the credentials file: the connection is refused with it.
export class SettingsError extends Error {}

function checkPrivate(path) {
  let mode;
  try {
    mode = statSync(path).mode;
  } catch (error) {
    throw new SettingsError(`cannot read the credentials file ${path} (${error.code ?? error.message})`);
  }
  if ((mode & 0o077) !== 0) {
    const octal = (mode & 0o777).toString(8).padStart(4, "0");
    throw new SettingsError(
      `the credentials file ${path} is open to other users (mode ${octal}): make it private with chmod 600`);
  }
}

function readCredentials(path) {
  try {
    return readFileSync(path, "utf8");
  } catch (error) {
    throw new SettingsError(`cannot read the credentials file ${path} (${error.code ?? error.message})`);
  }
}

function entryFor(text, path, endpoint) {
  let all;
  try {
    all = JSON.parse(text);
  } catch (error) {
    throw new SettingsError(`cannot read the credentials file ${path}: ${error.message}`);
  }
  if (!isObject(all)) throw new SettingsError(`the credentials file ${path} is not a JSON object of servers`);
  const entry = own(all, endpoint) ?? own(all, "*") ?? {};
  if (!isObject(entry)) throw new SettingsError(`the credentials file's entry for ${endpoint} is not a JSON object`);
  return entry;
}

function isObject(value) {
  return typeof value === "object" && value !== null && !Array.isArray(value);
}

// A key of the file itself, never one inherited ("toString", "__proto__").
function own(object, key) {
  return Object.hasOwn(object, key) ? object[key] : undefined;
}

function oneOf(value, allowed, what, fallback) {
  if (value === undefined) return fallback;
  if (!allowed.includes(value))
    throw new SettingsError(`unknown ${what} ${JSON.stringify(value)} (one of ${allowed.join(", ")})`);
  return value;
}

// A user name or password: a string, or a number or true/false written
// without quotes (taken as its text); null counts as not given.
function text(value, what) {
  if (value === undefined || value === null) return "";
  if (["string", "number", "boolean"].includes(typeof value)) return String(value);
  throw new SettingsError(`the ${what} is not a JSON string`);
}

// { securityMode, securityPolicy, userName, password } for the server at
// `endpoint`: the file's entry for that URL, else its "*" entry.
export function settingsFor(endpoint, environment = process.env) {
  const path = environment[kCredentialsVariable];
  if (!path) return { securityMode: "None", securityPolicy: "None", userName: "", password: "" };
  checkPrivate(path);
  return settingsFromText(readCredentials(path), path, endpoint);
}

// The same from the file's text; `path` names the file in the messages.
export function settingsFromText(fileText, path, endpoint) {
  const entry = entryFor(fileText, path, endpoint);
  const securityMode = oneOf(own(entry, "securityMode"), kModes, "security mode", "None");
  const policyFallback = securityMode === "None" ? "None" : "Basic256Sha256";
  const securityPolicy = oneOf(own(entry, "securityPolicy"), kPolicies, "security policy", policyFallback);
  if ((securityMode === "None") !== (securityPolicy === "None"))
    throw new SettingsError(`security mode ${securityMode} does not go with policy ${securityPolicy}`);
  const userName = text(own(entry, "userName"), "user name");
  const password = text(own(entry, "password"), "password");
  return { securityMode, securityPolicy, userName, password };
}
