// The OPC UA link library's helper process: reads commands on stdin and
// reports values and states on stdout, one tab-separated line each (the
// protocol is described in ../README.md). Everything else node-opcua or this
// script prints goes to stderr, so stdout carries protocol lines only.
import { createInterface } from "node:readline";
import { homedir } from "node:os";
import { join } from "node:path";

const protocolOut = process.stdout.write.bind(process.stdout);
for (const name of ["log", "info", "warn", "error", "debug", "trace"]) {
  console[name] = (...args) => process.stderr.write(args.map(String).join(" ") + "\n");
}
process.stdout.write = (chunk, ...rest) => process.stderr.write(chunk, ...rest);

const opcua = await import("node-opcua");
const { OPCUAClient, OPCUACertificateManager, ClientSubscription, ClientMonitoredItem, AttributeIds,
  TimestampsToReturn, DataType, VariantArrayType, StatusCodes, MessageSecurityMode, SecurityPolicy } = opcua;

const kRetryMs = 3000;
const kReconnectMs = 1000;
const kNotConnectedAfterMs = 2000;
const kSilenceLimitMs = 4000; // the least silence that counts as a frozen server
const kBadNotConnected = StatusCodes.BadNotConnected.value;
const kBadNoCommunication = StatusCodes.BadNoCommunication.value;
const kBadNodeIdUnknown = StatusCodes.BadNodeIdUnknown.value;

// ---- Lines ----------------------------------------------------------------------

function escapeField(text) {
  return String(text).replace(/\\/g, "\\\\").replace(/\t/g, "\\t").replace(/\n/g, "\\n").replace(/\r/g, "\\r");
}
function unescapeField(text) {
  return text.replace(/\\(.)/g, (_, c) => (c === "t" ? "\t" : c === "n" ? "\n" : c === "r" ? "\r" : c));
}
function send(...fields) {
  protocolOut(fields.map(escapeField).join("\t") + "\n");
}

// ---- Values -----------------------------------------------------------------------

function int64Value(parts, signed) {
  const bits = (BigInt(parts[0] >>> 0) << 32n) | BigInt(parts[1] >>> 0);
  return signed ? BigInt.asIntN(64, bits) : BigInt.asUintN(64, bits);
}

// A variant as the pair (type, text) of the protocol.
function encodeVariant(variant) {
  if (!variant || variant.value === null || variant.value === undefined) return ["empty", ""];
  if (variant.arrayType !== undefined && variant.arrayType !== 0) return ["empty", ""];
  const v = variant.value;
  switch (variant.dataType) {
    case DataType.Boolean: return ["bool", v ? "1" : "0"];
    case DataType.SByte: case DataType.Byte: case DataType.Int16: case DataType.UInt16: case DataType.Int32:
      return ["i32", String(v)];
    case DataType.UInt32: return ["i64", String(v)];
    case DataType.Int64: return ["i64", String(int64Value(v, true))];
    case DataType.UInt64: {
      const n = int64Value(v, false);
      return n <= 0x7fffffffffffffffn ? ["i64", String(n)] : ["f64", String(Number(n))];
    }
    case DataType.Float: case DataType.Double: return ["f64", String(v)];
    case DataType.String: return ["text", v];
    case DataType.LocalizedText: return ["text", v.text ?? ""];
    case DataType.DateTime: return ["text", v.toISOString()];
    default: return ["text", String(v)];
  }
}

function wrongType(text, dataType) {
  return new Error(`"${text}" is not a ${DataType[dataType]}`);
}

function toInteger(text, dataType, low, high) {
  const n = text === "" ? NaN : Number(text);
  if (!Number.isFinite(n)) throw wrongType(text, dataType);
  const rounded = Math.round(n);
  if (rounded < low || rounded > high) throw new Error(`${text} is out of the range of ${DataType[dataType]}`);
  return rounded;
}

function toInt64Parts(text, dataType, signed) {
  let n;
  try {
    n = BigInt(text.trim().replace(/\.0*$/, ""));
  } catch {
    const f = Number(text);
    if (!Number.isFinite(f)) throw wrongType(text, dataType);
    n = BigInt(Math.round(f));
  }
  const bits = signed ? BigInt.asIntN(64, n) : BigInt.asUintN(64, n);
  if (bits !== n) throw new Error(`${text} is out of the range of ${DataType[dataType]}`);
  const raw = BigInt.asUintN(64, n);
  return [Number(raw >> 32n), Number(raw & 0xffffffffn)];
}

// The protocol's (type, text) as a variant of the node's data type.
function decodeForNode(type, text, dataType) {
  const value = (v) => ({ dataType, arrayType: VariantArrayType.Scalar, value: v });
  if (type === "empty") throw new Error("an empty value cannot be written");
  switch (dataType) {
    case DataType.Boolean: {
      const t = text.trim().toLowerCase();
      if (t === "true") return value(true);
      if (t === "false") return value(false);
      const n = Number(t);
      if (t === "" || !Number.isFinite(n)) throw wrongType(text, dataType);
      return value(n !== 0);
    }
    case DataType.SByte: return value(toInteger(text, dataType, -128, 127));
    case DataType.Byte: return value(toInteger(text, dataType, 0, 255));
    case DataType.Int16: return value(toInteger(text, dataType, -32768, 32767));
    case DataType.UInt16: return value(toInteger(text, dataType, 0, 65535));
    case DataType.Int32: return value(toInteger(text, dataType, -2147483648, 2147483647));
    case DataType.UInt32: return value(toInteger(text, dataType, 0, 4294967295));
    case DataType.Int64: return value(toInt64Parts(text, dataType, true));
    case DataType.UInt64: return value(toInt64Parts(text, dataType, false));
    case DataType.Float: case DataType.Double: {
      const n = text.trim() === "" ? NaN : Number(text);
      if (Number.isNaN(n) && text.trim().toLowerCase() !== "nan") throw wrongType(text, dataType);
      return value(n);
    }
    case DataType.String: return value(text);
    case DataType.LocalizedText: return value({ text });
    default: throw new Error(`writing a ${DataType[dataType] ?? dataType} is not supported`);
  }
}

// ---- Servers, subscriptions, items ------------------------------------------------

function pkiRoot() {
  const cache = process.env.XDG_CACHE_HOME || join(homedir(), ".cache");
  return join(cache, "tintoral", "opcua-pki");
}

let certificateManager = null;
function clientCertificateManager() {
  if (!certificateManager) {
    certificateManager = new OPCUACertificateManager({
      rootFolder: join(pkiRoot(), "client"),
      automaticallyAcceptUnknownCertificate: true,
    });
  }
  return certificateManager;
}

const servers = new Map(); // endpoint URL -> Server
const items = new Map();   // id -> Item

class Item {
  constructor(id, endpoint, group, rate, nodeId) {
    Object.assign(this, { id, endpoint, group, rate, nodeId });
    this.monitored = null;
    this.active = false;
    this.dataType = null;
    this.last = null;          // last DataValue received
    this.retryTimer = null;
    this.removed = false;
    this.writes = Promise.resolve();
    this.lastError = null;     // the last failure to monitor, reported once
  }
  setActive(active) {
    if (this.active === active) return;
    this.active = active;
    send("active", this.id, active ? 1 : 0);
  }
  sendValue(dataValue) {
    const [type, text] = encodeVariant(dataValue.value);
    const time = dataValue.sourceTimestamp ?? dataValue.serverTimestamp ?? new Date();
    send("value", this.id, dataValue.statusCode.value >>> 0, time.getTime(), type, text);
  }
}

class Server {
  constructor(endpoint) {
    this.endpoint = endpoint;
    this.session = null;
    this.subscriptions = new Map(); // group -> Promise<ClientSubscription>
    this.closing = false;
    this.reportedDown = false;
    this.connected = false;
    this.lastHeard = Date.now();
    this.silenceLimitMs = kSilenceLimitMs;
    this.client = OPCUAClient.create({
      applicationName: "TintoralLink",
      endpointMustExist: false,
      securityMode: MessageSecurityMode.None,
      securityPolicy: SecurityPolicy.None,
      keepSessionAlive: true,
      requestedSessionTimeout: 10000,
      clientCertificateManager: clientCertificateManager(),
      connectionStrategy: { initialDelay: 250, maxDelay: 2000, maxRetry: -1, randomisationFactor: 0 },
    });
    this.client.on("backoff", () => this.down(kBadNotConnected));
    this.client.on("connection_lost", () => {
      console.error(`connection to ${endpoint} lost`);
      this.connected = false;
      this.down(kBadNoCommunication);
    });
    this.client.on("connection_reestablished", () => {
      console.error(`connection to ${endpoint} reestablished`);
      this.connected = true;
      this.heard();
    });
    // A server that stops answering without closing the connection (frozen)
    // is noticed by its subscriptions' silence, long before the session's
    // keep-alive gives up.
    this.watchdog = setInterval(() => {
      if (this.connected && this.subscriptions.size > 0 && Date.now() - this.lastHeard > this.silenceLimitMs) {
        if (!this.reportedDown) console.error(`${endpoint} does not answer`);
        this.down(kBadNoCommunication);
      }
    }, 500);
    this.ready = this.start();
    // A server that does not answer at once is reported as not connected.
    setTimeout(() => {
      if (!this.session) this.down(kBadNotConnected);
    }, kNotConnectedAfterMs);
  }
  items() {
    return [...items.values()].filter((item) => item.endpoint === this.endpoint);
  }
  // The server is out of reach: every item goes inactive with a bad status,
  // once per outage.
  down(statusCode) {
    if (this.reportedDown || this.closing) return;
    this.reportedDown = true;
    for (const item of this.items()) {
      item.setActive(false);
      send("status", item.id, statusCode);
    }
  }
  // A sign of life: data, a keep-alive, a reconnection.
  heard() {
    this.lastHeard = Date.now();
    if (this.reportedDown && this.connected) this.up();
  }
  // Back after an outage: the last values come again with their own status,
  // which replaces the outage's bad one until new values arrive.
  up() {
    this.reportedDown = false;
    for (const item of this.items()) {
      if (!item.monitored || !item.monitoredGood) continue;
      item.setActive(true);
      if (item.last) item.sendValue(item.last);
    }
  }
  // Connects and opens the session, trying again until it works: once up,
  // the client itself reconnects after an outage.
  async start() {
    while (!this.closing) {
      try {
        await this.client.connect(this.endpoint);
        this.session = await this.client.createSession();
        this.reportedDown = false;
        this.connected = true;
        this.lastHeard = Date.now();
        return this.session;
      } catch (error) {
        console.error(`connecting to ${this.endpoint}: ${error.message}`);
        this.down(kBadNotConnected);
        await this.client.disconnect().catch(() => {});
        await new Promise((resolve) => setTimeout(resolve, kReconnectMs));
      }
    }
    throw new Error("closed");
  }
  subscription(group, rate) {
    if (!this.subscriptions.has(group)) {
      const created = this.ready.then((session) => {
        this.lastHeard = Date.now();
        // A keep-alive about every second (every two intervals when slower).
        const keepAliveCount = rate >= 500 ? 2 : Math.ceil(1000 / Math.max(rate, 50));
        this.silenceLimitMs = Math.max(this.silenceLimitMs, 2.5 * keepAliveCount * Math.max(rate, 50));
        const subscription = ClientSubscription.create(session, {
          requestedPublishingInterval: rate,
          requestedLifetimeCount: 100,
          requestedMaxKeepAliveCount: keepAliveCount,
          maxNotificationsPerPublish: 0,
          publishingEnabled: true,
          priority: 1,
        });
        subscription.on("keepalive", () => this.heard());
        subscription.on("received_notifications", () => this.heard());
        return subscription;
      });
      created.catch(() => this.subscriptions.delete(group));
      this.subscriptions.set(group, created);
    }
    return this.subscriptions.get(group);
  }
  async close() {
    this.closing = true;
    clearInterval(this.watchdog);
    try {
      if (this.session) await this.session.close();
    } catch { /* the server may be gone */ }
    await this.client.disconnect().catch(() => {});
  }
}

function serverFor(endpoint) {
  if (!servers.has(endpoint)) servers.set(endpoint, new Server(endpoint));
  return servers.get(endpoint);
}

async function monitor(item) {
  const server = serverFor(item.endpoint);
  const subscription = await server.subscription(item.group, item.rate);
  if (item.removed) return;
  const monitored = ClientMonitoredItem.create(subscription,
    { nodeId: item.nodeId, attributeId: AttributeIds.Value },
    { samplingInterval: item.rate, discardOldest: true, queueSize: 1 },
    TimestampsToReturn.Both);
  item.monitored = monitored;
  monitored.on("initialized", () => {
    item.monitoredGood = true;
    item.lastError = null;
    if (!server.reportedDown) item.setActive(true);
  });
  monitored.on("changed", (dataValue) => {
    if (item.removed) return;
    item.last = dataValue;
    item.sendValue(dataValue);
  });
  monitored.on("err", (message) => {
    item.monitoredGood = false;
    item.setActive(false);
    // Retries repeat the same failure: it is reported once. During an
    // outage the server's absence has been reported already.
    if (message !== item.lastError) console.error(`monitoring ${item.nodeId} on ${item.endpoint}: ${message}`);
    const code = monitored.statusCode?.isBad?.() ? monitored.statusCode.value >>> 0 : kBadNodeIdUnknown;
    if (!server.reportedDown && message !== item.lastError) send("status", item.id, code);
    item.lastError = message;
    retryLater(item);
  });
}

// A node that does not exist (yet) is tried again every few seconds.
function retryLater(item) {
  if (item.removed || item.retryTimer) return;
  const old = item.monitored;
  item.monitored = null;
  if (old) Promise.resolve().then(() => old.terminate()).catch(() => {});
  item.retryTimer = setTimeout(() => {
    item.retryTimer = null;
    if (!item.removed) start(item);
  }, kRetryMs);
}

function start(item) {
  monitor(item).catch((error) => {
    console.error(`monitoring ${item.nodeId} on ${item.endpoint}: ${error.message}`);
    retryLater(item);
  });
}

// ---- Commands ---------------------------------------------------------------------

function add(id, endpoint, group, rate, nodeId) {
  const item = new Item(id, endpoint, group, Math.max(0, Number(rate) || 0), nodeId);
  items.set(id, item);
  start(item);
}

async function remove(id) {
  const item = items.get(id);
  if (!item) return;
  item.removed = true;
  items.delete(id);
  clearTimeout(item.retryTimer);
  if (item.monitored) await item.monitored.terminate().catch(() => {});
  const server = servers.get(item.endpoint);
  if (server && server.items().length === 0) {
    servers.delete(item.endpoint);
    await server.close();
  }
}

// Writes of one item go out in order.
function write(id, type, text) {
  const item = items.get(id);
  if (item) item.writes = item.writes.then(() => writeNow(item, type, text));
}

async function writeNow(item, type, text) {
  const server = servers.get(item.endpoint);
  try {
    if (!server || !server.session || !item.active) throw new Error("the item is not connected");
    if (item.dataType === null) item.dataType = await server.session.getBuiltInDataType(opcua.resolveNodeId(item.nodeId));
    const statusCode = await server.session.write({
      nodeId: item.nodeId,
      attributeId: AttributeIds.Value,
      value: { value: decodeForNode(type, text, item.dataType) },
    });
    if (!statusCode.isGood()) throw new Error(statusCode.toString());
  } catch (error) {
    console.error(`writing "${text}" to ${item.nodeId}: ${error.message}`);
    // The instrument shows what it sent; the server's value puts it right.
    if (item.last && !item.removed) item.sendValue(item.last);
  }
}

async function shutDown() {
  for (const item of items.values()) {
    item.removed = true;
    clearTimeout(item.retryTimer);
  }
  items.clear();
  await Promise.race([
    Promise.all([...servers.values()].map((server) => server.close())),
    new Promise((resolve) => setTimeout(resolve, 1500)),
  ]);
  process.exit(0);
}

const lines = createInterface({ input: process.stdin });
lines.on("line", (line) => {
  const fields = line.split("\t").map(unescapeField);
  switch (fields[0]) {
    case "add": add(...fields.slice(1, 6)); break;
    case "remove": remove(fields[1]); break;
    case "write": write(fields[1], fields[2], fields[3] ?? ""); break;
    default: if (line.trim() !== "") console.error(`unknown command: ${line}`);
  }
});
lines.on("close", shutDown);
process.on("unhandledRejection", (error) => console.error(`unhandled: ${error?.message ?? error}`));
send("ready");
