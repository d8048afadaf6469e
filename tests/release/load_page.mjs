// Loads a page in headless Chromium over the DevTools protocol and waits for
// its canvas to show what a checker command accepts: every second the
// canvas's own pixels are saved as PNG and the command is run on the file.
// Fails on a page error or console error, or when 30 s pass.
//
// Usage: node --experimental-websocket load_page.mjs URL SHOT.png COMMAND...
import { spawn, spawnSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

const [url, shot, ...checker] = process.argv.slice(2);
const profile = mkdtempSync(join(tmpdir(), "snowvel-chromium-"));
const flags = ["--headless=new", "--disable-gpu", "--remote-debugging-port=0",
               `--user-data-dir=${profile}`, "--window-size=1024,768", "about:blank"];
if (process.getuid() === 0) flags.unshift("--no-sandbox");
const browser = spawn("chromium", flags, { stdio: ["ignore", "ignore", "pipe"] });
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
// Chromium may still be writing its profile as it goes: wait for it to end
// before the folder is removed, and let a leftover never change the verdict.
async function finish(code, message) {
  console.log(message);
  if (browser.exitCode === null && browser.signalCode === null) {
    const ended = new Promise((done) => browser.once("exit", done));
    browser.kill();
    await Promise.race([ended, sleep(10000)]);
  }
  try {
    rmSync(profile, { recursive: true, force: true, maxRetries: 5, retryDelay: 200 });
  } catch (error) {
    console.log(`note: ${profile} left behind: ${error.message}`);
  }
  process.exit(code);
}

const endpoint = await new Promise((found, failed) => {
  let text = "";
  browser.stderr.on("data", (chunk) => {
    text += chunk;
    const match = text.match(/DevTools listening on (ws:\/\/[^\s]+)/);
    if (match) found(match[1]);
  });
  setTimeout(() => failed(new Error("Chromium did not start")), 30000);
}).catch((error) => finish(1, `FAIL: ${error.message}`));
const port = new URL(endpoint).port;
const pages = await (await fetch(`http://127.0.0.1:${port}/json/list`)).json();
const page = new WebSocket(pages.find((target) => target.type === "page").webSocketDebuggerUrl);
await new Promise((open) => page.addEventListener("open", open));

let nextId = 1;
const waiting = new Map();
const errors = [];
page.addEventListener("message", (event) => {
  const message = JSON.parse(event.data);
  if (message.id && waiting.has(message.id)) waiting.get(message.id)(message);
  if (message.method === "Runtime.exceptionThrown")
    errors.push(message.params.exceptionDetails.exception?.description ?? "exception");
  if (message.method === "Runtime.consoleAPICalled" && message.params.type === "error")
    errors.push(message.params.args.map((arg) => arg.value ?? arg.description).join(" "));
  if (message.method === "Log.entryAdded" && message.params.entry.level === "error")
    errors.push(`${message.params.entry.text} ${message.params.entry.url ?? ""}`);
});
const send = (method, params = {}) =>
  new Promise((answered) => {
    const id = nextId++;
    waiting.set(id, answered);
    page.send(JSON.stringify({ id, method, params }));
  });

for (const domain of ["Page", "Runtime", "Log"]) await send(`${domain}.enable`);
await send("Emulation.setFocusEmulationEnabled", { enabled: true });
await send("Page.navigate", { url });
const canvasPixels =
  "(() => { const c = document.querySelector('canvas');" +
  " return c && c.width > 0 ? c.toDataURL('image/png') : ''; })()";
let last = "no canvas";
for (let second = 0; second < 30; ++second) {
  await sleep(1000);
  if (errors.length) await finish(1, `FAIL: the page reported: ${errors.join("; ")}`);
  const answer = await send("Runtime.evaluate", { expression: canvasPixels, returnByValue: true });
  const dataUrl = answer.result?.result?.value ?? "";
  if (!dataUrl.startsWith("data:image/png;base64,")) continue;
  writeFileSync(shot, Buffer.from(dataUrl.slice(22), "base64"));
  const run = spawnSync(checker[0], [...checker.slice(1), shot], { encoding: "utf8" });
  last = (run.stdout + run.stderr).trim();
  if (run.status === 0) await finish(0, `ok: ${url} after ${second + 1} s: ${last}`);
}
await finish(1, `FAIL: ${url}: ${last}`);
