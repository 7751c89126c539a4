// The client's certificate store: its own certificate and key, the trust
// folder of server certificates, and the folder where node-opcua puts the
// certificates it refused. Under TINTORAL_OPCUA_PKI, else
// $XDG_CACHE_HOME/tintoral/opcua-pki/client (~/.cache when unset).
import { createHash } from "node:crypto";
import { readdirSync } from "node:fs";
import { homedir } from "node:os";
import { join } from "node:path";
import { OPCUACertificateManager } from "node-opcua-certificate-manager";

function pkiFolder() {
  if (process.env.TINTORAL_OPCUA_PKI) return process.env.TINTORAL_OPCUA_PKI;
  const cache = process.env.XDG_CACHE_HOME || join(homedir(), ".cache");
  return join(cache, "tintoral", "opcua-pki", "client");
}

let manager = null;
let lastRefused = null; // the last server certificate that was not trusted
let ownCertificate = null;

// One manager for all connections. A server certificate is trusted only
// when it is in the trust folder; node-opcua stores an unknown one in the
// folder of refused certificates, where the message below finds it.
export function certificateManager() {
  if (!manager) {
    manager = new OPCUACertificateManager({ rootFolder: pkiFolder(), automaticallyAcceptUnknownCertificate: false });
    const check = manager.checkCertificate.bind(manager);
    manager.checkCertificate = async (certificate) => {
      const status = await check(certificate);
      if (status?.isGood?.() === false) lastRefused = certificate;
      return status;
    };
  }
  return manager;
}

// The manager keeps what it once refused in memory: after an operator moved
// a certificate into the trust folder, the next attempt needs a new one.
export function forgetRefusals() {
  manager = null;
  ownCertificate = null;
}

// What an operator does about the last server certificate that was refused.
export function untrustedCertificateAdvice() {
  const trusted = join(pkiFolder(), "trusted", "certs");
  const rejected = join(pkiFolder(), "rejected");
  if (!lastRefused) return `the server's certificate is not trusted: put it in ${trusted}`;
  const thumbprint = createHash("sha1").update(lastRefused).digest("hex");
  let file = null;
  try {
    file = readdirSync(rejected).find((name) => name.includes(`[${thumbprint}]`));
  } catch { /* no folder yet */ }
  return file
    ? `the server's certificate is not trusted: to trust it, move ${join(rejected, file)} into ${trusted}`
    : `the server's certificate (SHA-1 ${thumbprint}) is not trusted: put it in ${trusted}`;
}

// Why the client's certificate store cannot be made, when `error` is a file
// error on the way to it (a folder not writable, a file in its place);
// null for any other error.
export function certificateFolderProblem(error) {
  const folder = pkiFolder();
  const path = error?.path;
  if (typeof error?.code !== "string" || typeof path !== "string") return null;
  if (path !== folder && !path.startsWith(`${folder}/`) && !folder.startsWith(`${path}/`)) return null;
  const setting = process.env.TINTORAL_OPCUA_PKI ? "TINTORAL_OPCUA_PKI" : "XDG_CACHE_HOME or TINTORAL_OPCUA_PKI";
  const where = path === folder ? error.code : `${error.code} on ${path}`;
  return `cannot write the client's certificate folder ${folder} (${where}): ` +
    `make it writable or set ${setting} to a writable folder`;
}

// Creates the client's key and certificate once, before the first
// connection: clients that made them at the same time would each find the
// other's half-written files.
export async function ownCertificateReady(client) {
  ownCertificate ??= client.initializeCM();
  try {
    await ownCertificate;
  } catch (error) {
    ownCertificate = null;
    throw error;
  }
}

export function ownCertificateFile() {
  return join(pkiFolder(), "own", "certs", "client_certificate.pem");
}
