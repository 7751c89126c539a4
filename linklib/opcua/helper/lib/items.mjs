// The monitored items and their writes, each on the connection to its
// server; a server's connection lives while items use it.
import { AttributeIds, ClientMonitoredItem, StatusCodes, TimestampsToReturn, resolveNodeId } from "node-opcua-client";
import { Connection } from "./connection.mjs";
import { report } from "./log.mjs";
import { send } from "./protocol.mjs";
import { decodeForNode, encodeVariant } from "./values.mjs";

const kRetryMs = 3000;
const kWriteTimeoutMs = 5000;
// Values a server keeps per item between two publishes (the oldest goes
// when it is full): every change sampled in one publishing interval reaches
// the item, up to as many as the data link's own queue per item holds.
const kServerQueueSize = 4096;

const connections = new Map(); // endpoint URL -> Connection
const items = new Map();       // id -> Item

// A write that did not happen, with the text the item's status shows.
class WriteFailure extends Error {}

class Item {
  constructor(id, endpoint, group, rate, nodeId) {
    Object.assign(this, { id, endpoint, group, rate, nodeId });
    this.monitored = null;
    this.monitoredGood = false;
    this.active = false;
    this.dataType = null;
    this.last = null;          // last DataValue received
    this.retryTimer = null;
    this.removed = false;
    this.writes = Promise.resolve();
    this.lastError = null;     // the last failure to monitor, reported once
    this.problem = "";
  }
  setActive(active) {
    if (this.active === active) return;
    this.active = active;
    send("active", this.id, active ? 1 : 0);
  }
  setProblem(text) {
    if (this.problem === text) return;
    this.problem = text;
    send("problem", this.id, text);
  }
  sendValue(dataValue) {
    const [type, text] = encodeVariant(dataValue.value);
    const time = dataValue.sourceTimestamp ?? dataValue.serverTimestamp ?? new Date();
    send("value", this.id, dataValue.statusCode.value >>> 0, time.getTime(), type, text);
  }
}

function itemsOf(endpoint) {
  return [...items.values()].filter((item) => item.endpoint === endpoint);
}

function connectionTo(endpoint) {
  if (!connections.has(endpoint)) connections.set(endpoint, new Connection(endpoint, () => itemsOf(endpoint)));
  return connections.get(endpoint);
}

async function monitor(item) {
  const connection = connectionTo(item.endpoint);
  const subscription = await connection.subscription(item.group, item.rate);
  if (item.removed) return;
  const monitored = ClientMonitoredItem.create(subscription,
    { nodeId: item.nodeId, attributeId: AttributeIds.Value },
    { samplingInterval: item.rate, discardOldest: true, queueSize: kServerQueueSize },
    TimestampsToReturn.Both);
  item.monitored = monitored;
  monitored.on("initialized", () => {
    item.monitoredGood = true;
    item.lastError = null;
    if (item.problem.startsWith("monitoring")) item.setProblem("");
    if (!connection.reportedDown) item.setActive(true);
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
    if (message !== item.lastError) report(`monitoring ${item.nodeId} on ${item.endpoint}: ${message}`);
    const bad = monitored.statusCode?.isBad?.() ? monitored.statusCode : StatusCodes.BadNodeIdUnknown;
    if (!connection.reportedDown && message !== item.lastError) {
      item.setProblem(`monitoring refused: ${bad.name}`);
      send("status", item.id, bad.value >>> 0);
    }
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
    if (item.removed) return;
    report(`monitoring ${item.nodeId} on ${item.endpoint}: ${error.message}`);
    retryLater(item);
  });
}

function withTimeout(promise, what) {
  let timer;
  const timeout = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new WriteFailure(`write failed: no answer to the ${what}`)), kWriteTimeoutMs);
  });
  return Promise.race([promise, timeout]).finally(() => clearTimeout(timer));
}

function decode(type, text, dataType) {
  try {
    return decodeForNode(type, text, dataType);
  } catch (error) {
    throw new WriteFailure(`write refused: ${error.message}`);
  }
}

async function writeNow(item, type, text) {
  const connection = connections.get(item.endpoint);
  try {
    if (!connection?.session || !item.active || connection.reportedDown)
      throw new WriteFailure("write failed: not connected");
    const session = connection.session;
    if (item.dataType === null)
      item.dataType = await withTimeout(session.getBuiltInDataType(resolveNodeId(item.nodeId)), "data type read");
    const value = decode(type, text, item.dataType);
    const statusCode = await withTimeout(
      session.write({ nodeId: item.nodeId, attributeId: AttributeIds.Value, value: { value } }), "write");
    if (!statusCode.isGood()) throw new WriteFailure(`write refused: ${statusCode.name}`);
    if (!item.removed) item.setProblem("");
  } catch (error) {
    const reason = error instanceof WriteFailure ? error.message : `write failed: ${error.message}`;
    report(`writing "${text}" to ${item.nodeId} on ${item.endpoint}: ${reason}`);
    if (item.removed) return;
    // The instrument shows what it sent; the server's value puts it right.
    item.setProblem(reason);
    if (item.last) item.sendValue(item.last);
  }
}

// ---- Commands -----------------------------------------------------------------------

export function add(id, endpoint, group, rate, nodeId) {
  const item = new Item(id, endpoint, group, Math.max(0, Number(rate) || 0), nodeId);
  items.set(id, item);
  start(item);
}

export async function remove(id) {
  const item = items.get(id);
  if (!item) return;
  item.removed = true;
  items.delete(id);
  clearTimeout(item.retryTimer);
  if (item.monitored) await item.monitored.terminate().catch(() => {});
  const connection = connections.get(item.endpoint);
  if (connection && itemsOf(item.endpoint).length === 0) {
    connections.delete(item.endpoint);
    await connection.close();
  }
}

// Writes of one item go out in order, each after the one before it.
export function write(id, type, text) {
  const item = items.get(id);
  if (item) item.writes = item.writes.then(() => writeNow(item, type, text));
}

// Closes every session, waiting at most `graceMs` for servers that do not answer.
export async function closeAll(graceMs) {
  for (const item of items.values()) {
    item.removed = true;
    clearTimeout(item.retryTimer);
  }
  items.clear();
  await Promise.race([
    Promise.all([...connections.values()].map((connection) => connection.close())),
    new Promise((resolve) => setTimeout(resolve, graceMs)),
  ]);
}
