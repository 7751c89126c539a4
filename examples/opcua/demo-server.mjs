// A demo OPC UA server for the example panel: `node demo-server.mjs [PORT]`
// (default 4840), listening on 127.0.0.1 only: anonymous users may write
// the setpoint, so no other machine may reach it. Variables in namespace 1:
//   ns=1;s=Setpoint  Double, written by the panel's slider (0 … 100)
//   ns=1;s=Level     Double, follows the setpoint like a filling tank
//   ns=1;s=Message   String, the tank's state in words
// Uses the node-opcua installed for the link library's helper.
import { createRequire } from "node:module";
import { homedir } from "node:os";
import { join } from "node:path";

const require = createRequire(new URL("../../linklib/opcua/helper/package.json", import.meta.url));
const { OPCUAServer, OPCUACertificateManager, DataType, Variant, VariantArrayType } =
  await import(require.resolve("node-opcua"));

const port = Number(process.argv[2] || 4840);
const pki = join(process.env.XDG_CACHE_HOME || join(homedir(), ".cache"), "tintoral", "opcua-demo-pki");
const server = new OPCUAServer({
  port,
  host: "127.0.0.1", // listens on the loopback interface only
  hostname: "127.0.0.1",
  serverCertificateManager: new OPCUACertificateManager({ rootFolder: join(pki, "server") }),
  userCertificateManager: new OPCUACertificateManager({ rootFolder: join(pki, "user") }),
  serverInfo: { applicationName: "Tintoral demo tank" },
});
await server.initialize();

const namespace = server.engine.addressSpace.getOwnNamespace();
function variable(name, dataType, value) {
  const node = namespace.addVariable({
    organizedBy: server.engine.addressSpace.rootFolder.objects,
    browseName: name,
    nodeId: `s=${name}`,
    dataType: DataType[dataType],
    minimumSamplingInterval: 0,
  });
  node.setValueFromSource(new Variant({ dataType, arrayType: VariantArrayType.Scalar, value }));
  return node;
}
const setpoint = variable("Setpoint", DataType.Double, 40);
const level = variable("Level", DataType.Double, 0);
const message = variable("Message", DataType.String, "STARTING");

let current = 0;
setInterval(() => {
  const target = Math.min(100, Math.max(0, setpoint.readValue().value.value));
  current += (target - current) * 0.08 + (Math.random() - 0.5) * 0.2;
  level.setValueFromSource(new Variant({ dataType: DataType.Double, value: current }));
  const state = Math.abs(target - current) < 1 ? "STEADY" : target > current ? "FILLING" : "DRAINING";
  if (message.readValue().value.value !== state) {
    message.setValueFromSource(new Variant({ dataType: DataType.String, value: state }));
  }
}, 100);

await server.start();
console.log(`demo server on opc.tcp://127.0.0.1:${port}`);
process.on("SIGINT", async () => {
  await server.shutdown(0);
  process.exit(0);
});
