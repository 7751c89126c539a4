// One server connection: a node-opcua client and its session, kept up while
// items use the server. Its state (connecting, connected, lost, refused)
// goes to the library as `server` lines; an outage makes the server's items
// inactive with a bad status. node-opcua reconnects by itself after a lost
// connection; a frozen server (connection open, no answers) is noticed by
// a watchdog that asks for the server's time while nothing else was heard.
import { AttributeIds, ClientSubscription, MessageSecurityMode, OPCUAClient, SecurityPolicy, StatusCodes,
  UserTokenType } from "node-opcua-client";
import {
  certificateFolderProblem, certificateManager, forgetRefusals, ownCertificateFile, ownCertificateReady,
  untrustedCertificateAdvice,
} from "./pki.mjs";
import { report } from "./log.mjs";
import { send } from "./protocol.mjs";
import { SettingsError, settingsFor } from "./settings.mjs";

const kReconnectMs = 1000;            // after a failed first connection
const kRetryRefusedMs = 5000;         // after a refusal: the operator may have fixed it
const kNotConnectedAfterMs = 2000;
const kWatchdogEveryMs = 500;
const kProbeAfterMs = 1000;           // silence after which the watchdog reads the server's clock
const kSilenceLimitMs = 3000;         // no answer for this long: the server counts as lost (with the
                                      // watchdog's period, a panel shows it within 4 s)
const kRequestTimeoutMs = 5000;
const kFastestPublishingMs = 1;       // the server revises it to its fastest rate
const kServerCurrentTime = "ns=0;i=2258";

const code = (name) => StatusCodes[name].value >>> 0;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function refused(text, statusName) {
  return { state: "refused", text, statusCode: code(statusName) };
}

function userIdentity({ userName, password }) {
  return userName ? { type: UserTokenType.UserName, userName, password } : { type: UserTokenType.Anonymous };
}

function describe({ securityMode, securityPolicy, userName }) {
  const security = securityMode === "None" ? "no security" : `${securityMode} ${securityPolicy}`;
  return `${security}, ${userName ? `user ${userName}` : "anonymous"}`;
}

export class Connection {
  // `items()` lists the items that use this server.
  constructor(endpoint, items) {
    Object.assign(this, { endpoint, items });
    this.client = null;
    this.session = null;
    this.settings = null;
    this.subscriptions = new Map(); // group -> Promise<ClientSubscription>
    this.closing = false;
    this.connected = false;
    this.everConnected = false;
    this.reportedDown = false;
    this.lastHeard = Date.now();
    this.probing = false;
    this.state = null;
    this.setState("connecting", "");
    this.watchdog = setInterval(() => this.watch(), kWatchdogEveryMs);
    this.ready = this.start();
    this.ready.catch(() => {});
    setTimeout(() => {
      if (!this.session) this.down(code("BadNotConnected"));
    }, kNotConnectedAfterMs);
  }

  setState(state, text) {
    if (state === this.state && text === this.stateText) return;
    if (state !== this.state) this.since = Date.now();
    this.state = state;
    this.stateText = text;
    send("server", this.endpoint, state, this.since, text);
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

  // A sign of life: data, a keep-alive, an answer, a reconnection.
  heard() {
    this.lastHeard = Date.now();
    if (this.reportedDown && this.connected && this.session) this.up();
  }

  // Back after an outage: the last values come again with their own status,
  // which replaces the outage's bad one until new values arrive.
  up() {
    this.reportedDown = false;
    this.setState("connected", describe(this.settings));
    for (const item of this.items()) {
      if (!item.monitoredGood) continue;
      item.setActive(true);
      if (item.last) item.sendValue(item.last);
    }
  }

  watch() {
    if (!this.connected || !this.session) return;
    const silent = Date.now() - this.lastHeard;
    if (silent > kSilenceLimitMs && !this.reportedDown) {
      report(`${this.endpoint} does not answer`, this.endpoint);
      this.setState("lost", "the server does not answer");
      this.down(code("BadNoCommunication"));
    }
    if (silent >= kProbeAfterMs && !this.probing) {
      this.probing = true;
      this.session.read({ nodeId: kServerCurrentTime, attributeId: AttributeIds.Value })
        .then(() => this.heard(), () => {})
        .finally(() => { this.probing = false; });
    }
  }

  makeClient(settings) {
    const client = OPCUAClient.create({
      applicationName: "TintoralLink",
      endpointMustExist: false,
      securityMode: MessageSecurityMode[settings.securityMode],
      securityPolicy: SecurityPolicy[settings.securityPolicy],
      keepSessionAlive: true,
      requestedSessionTimeout: 10000,
      defaultTransactionTimeout: kRequestTimeoutMs,
      clientCertificateManager: certificateManager(),
      connectionStrategy: { initialDelay: 250, maxDelay: 2000, maxRetry: -1, randomisationFactor: 0 },
    });
    client.on("backoff", () => {
      if (!this.everConnected) this.setState("connecting", "no answer, trying again");
      else if (this.state !== "lost") this.setState("lost", "connection lost");
      this.down(code(this.everConnected ? "BadNoCommunication" : "BadNotConnected"));
    });
    client.on("connection_lost", () => {
      report(`connection to ${this.endpoint} lost`, this.endpoint);
      this.connected = false;
      this.setState("lost", "connection lost");
      this.down(code("BadNoCommunication"));
    });
    client.on("connection_reestablished", () => {
      report(`connection to ${this.endpoint} reestablished`, this.endpoint);
      this.connected = true;
      this.heard();
    });
    return client;
  }

  // Why a connection attempt failed, as a state, a text and a status code.
  failure(error) {
    const message = error?.message ?? String(error);
    const { securityMode, securityPolicy, userName } = this.settings ?? {};
    if (error instanceof SettingsError) return refused(message, "BadConfigurationError");
    const folderProblem = certificateFolderProblem(error);
    if (folderProblem) {
      forgetRefusals(); // the next attempt makes the store again, once the folder is fixed
      return refused(folderProblem, "BadConfigurationError");
    }
    if (/BadCertificateUntrusted|certificate verification failed/i.test(message)) {
      const advice = untrustedCertificateAdvice();
      forgetRefusals();
      return refused(advice, "BadCertificateUntrusted");
    }
    if (/End ?point must exist|find an? Endpoint|find endpoint/i.test(message))
      return refused(`security mode ${securityMode} (policy ${securityPolicy}) is not offered by the server`,
        "BadSecurityModeRejected");
    if (/find ANONYMOUS user token/i.test(message))
      return refused("the server wants a user name and password", "BadIdentityTokenInvalid");
    if (/find USERNAME user token/i.test(message))
      return refused("the server does not take a user name and password", "BadIdentityTokenInvalid");
    if (/BadUserAccessDenied|BadIdentityToken/i.test(message))
      return refused(`user name or password refused for user ${userName}`, "BadUserAccessDenied");
    if (/BadSecurityChecksFailed|BadCertificate/i.test(message))
      return refused(`the server refused this client's certificate ${ownCertificateFile()} (${message})`,
        "BadSecurityChecksFailed");
    return { state: this.everConnected ? "lost" : "connecting", text: message, statusCode: code("BadNotConnected") };
  }

  // Connects and opens the session, trying again until it works: once up,
  // the client itself reconnects after an outage.
  async start() {
    while (!this.closing) {
      try {
        this.settings = null;
        this.settings = settingsFor(this.endpoint);
        this.client = this.makeClient(this.settings);
        await ownCertificateReady(this.client);
        await this.client.connect(this.endpoint);
        const session = await this.client.createSession(userIdentity(this.settings));
        if (this.closing) {
          await session.close().catch(() => {});
          break;
        }
        this.session = session;
        this.connected = this.everConnected = true;
        this.reportedDown = false;
        this.lastHeard = Date.now();
        this.setState("connected", describe(this.settings));
        return session;
      } catch (error) {
        if (this.closing) break;
        const failure = this.failure(error);
        report(`connecting to ${this.endpoint}: ${failure.text}`, this.endpoint);
        this.setState(failure.state, failure.text);
        this.down(failure.statusCode);
        await this.client?.disconnect().catch(() => {});
        this.client = null;
        await sleep(failure.state === "refused" ? kRetryRefusedMs : kReconnectMs);
      }
    }
    throw new Error("closed");
  }

  // The subscription of a group, created with its first item. Update rate 0
  // asks for the server's fastest publishing interval.
  subscription(group, rate) {
    if (!this.subscriptions.has(group)) {
      const created = this.ready.then((session) => {
        this.lastHeard = Date.now();
        const keepAliveCount = Math.max(1, Math.ceil(1000 / Math.max(rate, 50)));
        const subscription = ClientSubscription.create(session, {
          requestedPublishingInterval: rate > 0 ? rate : kFastestPublishingMs,
          requestedLifetimeCount: 100,
          requestedMaxKeepAliveCount: keepAliveCount,
          maxNotificationsPerPublish: 0,
          publishingEnabled: true,
          priority: 1,
        });
        subscription.on("started", () =>
          report(`group "${group}" on ${this.endpoint}: publishing every ${subscription.publishingInterval} ms`));
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
    await this.client?.disconnect().catch(() => {});
  }
}
