// An OPC UA server for the link library's tests: `node opcua-test-server.mjs
// PORT PKI_FOLDER [secure]`, on 127.0.0.1 only. Without "secure" it offers
// security mode None to anonymous users; with it, Sign and SignAndEncrypt
// (Basic256Sha256) to the user "operator" with the password "s3cret" only,
// and trusts every client certificate. Variables in namespace 1: Double,
// Float, Int32, UInt16, Int64, Boolean, String, and ReadOnly (an Int32 no
// client may write). It prints "listening" when it accepts clients and
// "written NAME VALUE" for every value a client writes, and takes commands
// on stdin:
//   set NAME VALUE          a new value, status good
//   status NAME HEXCODE     the current value with another status code
//   ramp NAME COUNT RATE    COUNT values 1..COUNT at RATE a second, then
//                           prints "ramped COUNT"
//   count COUNT RATE        Int32 variables Count0 .. Count<COUNT - 1>, all
//                           counting up RATE times a second; prints
//                           "counting COUNT"
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
const { OPCUAServer, OPCUACertificateManager, DataType, Variant, VariantArrayType, StatusCodes, getStatusCodeFromCode,
  MessageSecurityMode, SecurityPolicy, AccessLevelFlag } = opcua;

const [port, pki] = [Number(process.argv[2] || 4840), process.argv[3] || "/tmp/tintoral-opcua-test-pki"];
const secure = process.argv[4] === "secure";

const security = secure
  ? {
    securityModes: [MessageSecurityMode.Sign, MessageSecurityMode.SignAndEncrypt],
    securityPolicies: [SecurityPolicy.Basic256Sha256],
    allowAnonymous: false,
    userManager: { isValidUser: (userName, password) => userName === "operator" && password === "s3cret" },
  }
  : { securityModes: [MessageSecurityMode.None], securityPolicies: [SecurityPolicy.None] };
const server = new OPCUAServer({
  port,
  host: "127.0.0.1",
  hostname: "127.0.0.1",
  serverCertificateManager: new OPCUACertificateManager({
    rootFolder: join(pki, secure ? "secure-server" : "server"),
    automaticallyAcceptUnknownCertificate: true,
  }),
  userCertificateManager: new OPCUACertificateManager({ rootFolder: join(pki, "user") }),
  serverInfo: { applicationName: secure ? "Tintoral secure test server" : "Tintoral test server" },
  ...security,
});
await server.initialize();

const namespace = server.engine.addressSpace.getOwnNamespace();
const kinds = {
  Double: [DataType.Double, 0], Float: [DataType.Float, 0], Int32: [DataType.Int32, 0],
  UInt16: [DataType.UInt16, 0], Int64: [DataType.Int64, [0, 0]], Boolean: [DataType.Boolean, false],
  String: [DataType.String, ""], ReadOnly: [DataType.Int32, 0],
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
    ...(name === "ReadOnly" ? { accessLevel: AccessLevelFlag.CurrentRead, userAccessLevel: AccessLevelFlag.CurrentRead } : {}),
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

function count(total, rate) {
  const counters = [];
  for (let i = 0; i < total; ++i) {
    counters.push(namespace.addVariable({
      organizedBy: server.engine.addressSpace.rootFolder.objects,
      browseName: `Count${i}`,
      nodeId: `s=Count${i}`,
      dataType: "Int32",
      minimumSamplingInterval: 0,
    }));
  }
  let value = 0;
  setInterval(() => {
    ++value;
    for (const counter of counters) counter.setValueFromSource(new Variant({ dataType: DataType.Int32, value }));
  }, 1000 / rate);
  report(`counting ${total}\n`);
}

createInterface({ input: process.stdin }).on("line", (line) => {
  const [command, name, ...rest] = line.trim().split(/\s+/);
  if (command === "count") return count(Number(name), Number(rest[0]));
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
