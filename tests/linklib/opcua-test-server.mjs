// An OPC UA server for the link library's tests: `node opcua-test-server.mjs
// PORT PKI_FOLDER`. Variables in namespace 1: Double, Float, Int32, UInt16,
// Int64, Boolean, String. It prints "listening" when it accepts clients and
// "written NAME VALUE" for every value a client writes, and takes commands
// on stdin:
//   set NAME VALUE          a new value, status good
//   status NAME HEXCODE     the current value with another status code
//   ramp NAME COUNT RATE    COUNT values 1..COUNT at RATE a second, then
//                           prints "ramped COUNT"
// Everything else it prints goes to stderr.
import { createRequire } from "node:module";
import { createInterface } from "node:readline";
import { join } from "node:path";

const report = process.stdout.write.bind(process.stdout);
for (const name of ["log", "info", "warn", "error", "debug"]) {
  console[name] = (...args) => process.stderr.write(args.map(String).join(" ") + "\n");
}
process.stdout.write = (chunk, ...rest) => process.stderr.write(chunk, ...rest);

const require = createRequire(new URL("../../linklib/opcua/helper/package.json", import.meta.url));
const opcua = await import(require.resolve("node-opcua"));
const { OPCUAServer, OPCUACertificateManager, DataType, Variant, VariantArrayType, StatusCodes, getStatusCodeFromCode } =
  opcua;

const [port, pki] = [Number(process.argv[2] || 4840), process.argv[3] || "/tmp/tintoral-opcua-test-pki"];

const server = new OPCUAServer({
  port,
  hostname: "127.0.0.1",
  serverCertificateManager: new OPCUACertificateManager({ rootFolder: join(pki, "server") }),
  userCertificateManager: new OPCUACertificateManager({ rootFolder: join(pki, "user") }),
  serverInfo: { applicationName: "Tintoral test server" },
});
await server.initialize();

const namespace = server.engine.addressSpace.getOwnNamespace();
const kinds = {
  Double: [DataType.Double, 0], Float: [DataType.Float, 0], Int32: [DataType.Int32, 0],
  UInt16: [DataType.UInt16, 0], Int64: [DataType.Int64, [0, 0]], Boolean: [DataType.Boolean, false],
  String: [DataType.String, ""],
};
const variables = {};
let settingFromServer = false;
for (const [name, [dataType, initial]] of Object.entries(kinds)) {
  const variable = namespace.addVariable({
    organizedBy: server.engine.addressSpace.rootFolder.objects,
    browseName: name,
    nodeId: `s=${name}`,
    dataType: DataType[dataType],
    minimumSamplingInterval: 0,
  });
  variable.setValueFromSource(new Variant({ dataType, arrayType: VariantArrayType.Scalar, value: initial }));
  variable.on("value_changed", (dataValue) => {
    if (!settingFromServer) report(`written ${name} ${String(dataValue.value.value)}\n`);
  });
  variables[name] = { variable, dataType };
}

function parseValue(dataType, text) {
  switch (dataType) {
    case DataType.Boolean: return text === "true" || text === "1";
    case DataType.String: return text;
    case DataType.Int64: return [0, Number(text)];
    default: return Number(text);
  }
}

function set(name, value, statusCode = StatusCodes.Good) {
  const { variable, dataType } = variables[name];
  settingFromServer = true;
  try {
    variable.setValueFromSource(new Variant({ dataType, arrayType: VariantArrayType.Scalar, value }), statusCode);
  } finally {
    settingFromServer = false;
  }
}

function ramp(name, count, rate) {
  const start = process.hrtime.bigint();
  let sent = 0;
  const timer = setInterval(() => {
    const due = Math.min(count, Math.floor(Number(process.hrtime.bigint() - start) / 1e9 * rate));
    while (sent < due) set(name, ++sent);
    if (sent >= count) {
      clearInterval(timer);
      report(`ramped ${count}\n`);
    }
  }, 1);
}

createInterface({ input: process.stdin }).on("line", (line) => {
  const [command, name, ...rest] = line.trim().split(/\s+/);
  if (!variables[name]) return;
  const { variable, dataType } = variables[name];
  if (command === "set") set(name, parseValue(dataType, rest.join(" ")));
  else if (command === "status") set(name, variable.readValue().value.value, getStatusCodeFromCode(parseInt(rest[0], 16) >>> 0));
  else if (command === "ramp") ramp(name, Number(rest[0]), Number(rest[1]));
}).on("close", async () => {
  await server.shutdown(0);
  process.exit(0);
});

await server.start();
report("listening\n");
