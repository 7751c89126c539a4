// The floor of the OPC UA helper's CPU: a bare node-opcua client that
// subscribes the test server's counters as the helper does (one
// subscription publishing every RATE ms, each item sampled every RATE ms
// with the helper's queue) and does nothing with the values but count them.
// `node opcua-floor-client.mjs PORT PKI ENDPOINT COUNT RATE` (PORT and PKI
// are ignored: it is started as the tests start a server). Prints
// "subscribed" once every item is monitored; on "cpu" on stdin prints
// "cpu MICROSECONDS VALUES", its CPU time (user and system) and the values
// received so far; ends when stdin closes.
import { createRequire } from "node:module";
import { createInterface } from "node:readline";

const report = process.stdout.write.bind(process.stdout);
for (const name of ["log", "info", "warn", "error", "debug"]) {
  console[name] = (...args) => process.stderr.write(args.map(String).join(" ") + "\n");
}

const require = createRequire(new URL("../linklib/opcua/helper/package.json", import.meta.url));
const { OPCUAClient, ClientSubscription, ClientMonitoredItem, AttributeIds, TimestampsToReturn, MessageSecurityMode,
  SecurityPolicy } = await import(require.resolve("node-opcua"));

const [endpoint, total, rate] = [process.argv[4], Number(process.argv[5]), Number(process.argv[6])];
const client = OPCUAClient.create({ securityMode: MessageSecurityMode.None, securityPolicy: SecurityPolicy.None,
  endpointMustExist: false });
await client.connect(endpoint);
const session = await client.createSession();
const subscription = ClientSubscription.create(session, {
  requestedPublishingInterval: rate, requestedLifetimeCount: 100, requestedMaxKeepAliveCount: 10,
  maxNotificationsPerPublish: 0, publishingEnabled: true, priority: 1,
});
let values = 0;
let monitored = 0;
for (let i = 0; i < total; ++i) {
  const item = ClientMonitoredItem.create(subscription, { nodeId: `ns=1;s=Count${i}`, attributeId: AttributeIds.Value },
    { samplingInterval: rate, discardOldest: true, queueSize: 4096 }, TimestampsToReturn.Both);
  item.on("initialized", () => { if (++monitored === total) report("subscribed\n"); });
  item.on("changed", () => { ++values; });
}
createInterface({ input: process.stdin }).on("line", (line) => {
  if (line.trim() !== "cpu") return;
  const used = process.cpuUsage();
  report(`cpu ${used.user + used.system} ${values}\n`);
}).on("close", async () => {
  await session.close().catch(() => {});
  await client.disconnect().catch(() => {});
  process.exit(0);
});
