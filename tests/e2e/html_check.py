#!/usr/bin/env python3
"""Checks report.html or compare.html as headless Chromium shows it: no error, no request beyond
the page, pictures and charts inline, no wider than the window, the figures report.json's.
Usage: html_check.py [--text TEXT]... DIR/report.html | DIR/compare.html REPORT_DIR...
Each TEXT, a hostile string, must show as text. Skips, saying so, without chromium."""
import json
import math
import os
import re
import select
import signal
import shutil
import subprocess
import sys
import tempfile
import time

from report_check import expect

TIMEOUT = 60  # seconds for the whole browser session; a hung browser fails the check


class Browser:
    """Chromium driven over its DevTools pipe: NUL-ended JSON messages, commands on its fd 3,
    replies and events on its fd 4."""

    def __init__(self, profile):
        to_browser, self.commands = os.pipe()
        self.replies, from_browser = os.pipe()
        # Out of the way of 3 and 4, which the child's ends take.
        ends = [os.dup2(fd, 100 + i) for i, fd in enumerate((to_browser, from_browser))]

        def own_ends():
            os.setsid()  # a process group of its own, which close() ends whole
            os.dup2(ends[0], 3)
            os.dup2(ends[1], 4)

        arguments = ["chromium", "--headless", "--remote-debugging-pipe", "--disable-gpu",
                     "--user-data-dir=" + profile, "--no-first-run", "--disable-extensions",
                     "--disable-background-networking", "--disable-dev-shm-usage", "about:blank"]
        if os.geteuid() == 0:
            arguments.insert(1, "--no-sandbox")
        self.process = subprocess.Popen(arguments, pass_fds=(3, 4), preexec_fn=own_ends,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for fd in ends + [to_browser, from_browser]:
            os.close(fd)
        self.deadline = time.monotonic() + TIMEOUT
        self.buffer, self.events, self.next_id = b"", [], 0

    def message(self):
        while b"\0" not in self.buffer:
            left = self.deadline - time.monotonic()
            expect(left > 0 and select.select([self.replies], [], [], left)[0],
                   "chromium did not answer within %d s" % TIMEOUT)
            chunk = os.read(self.replies, 1 << 20)
            expect(chunk, "chromium ended")
            self.buffer += chunk
        text, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(text)

    def call(self, method, session=None, **params):
        self.next_id += 1
        command = {"id": self.next_id, "method": method, "params": params}
        if session:
            command["sessionId"] = session
        os.write(self.commands, json.dumps(command).encode() + b"\0")
        while True:
            message = self.message()
            if message.get("id") == self.next_id:
                expect("error" not in message, "%s: %s" % (method, message.get("error")))
                return message["result"]
            self.events.append(message)

    def wait_for(self, method):
        while not any(event.get("method") == method for event in self.events):
            self.events.append(self.message())

    def close(self):
        """Quits the browser and ends what is left of it, so that none writes into the profile
        as it is removed."""
        try:
            os.write(self.commands, json.dumps({"id": 0, "method": "Browser.close"}).encode() +
                     b"\0")
            self.process.wait(timeout=10)
        except (OSError, subprocess.TimeoutExpired):
            pass
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            try:
                os.killpg(self.process.pid, 0)
            except ProcessLookupError:
                return
            time.sleep(0.05)


# Run in the page once it has loaded: what a reader sees, as plain data.
PAGE_STATE = """(async () => {
  await Promise.all([...document.images].map(i => i.decode().catch(() => null)));
  const box = t => t.parentElement.classList.contains("scroll") ? t.parentElement : t;
  const heading = t => { for (let e = box(t).previousElementSibling; e; e = e.previousElementSibling)
    if (/^H[1-4]$/.test(e.tagName)) return e.textContent; return ""; };
  const colour = r => getComputedStyle(r.querySelector("td.verdict")).backgroundColor;
  return JSON.stringify({
    images: [...document.images].map(i => ({src: i.getAttribute("src").slice(0, 22),
                                              width: i.naturalWidth})),
    svgs: document.querySelectorAll("svg polyline").length,
    loaded: [...document.querySelectorAll("[src], link, script, iframe, object, embed")]
              .map(e => e.getAttribute("src") || e.tagName),
    verdicts: [...document.querySelectorAll("tr[data-rule]")].map(r => ({
      rule: r.dataset.rule, subject: r.dataset.subject, pass: r.dataset.pass === "true",
      expected: r.dataset.expected,
      shown: r.cells[1].textContent, colour: colour(r)})),
    fixed: [...document.querySelectorAll("ul.fixed code")].map(c => c.textContent),
    failing: [...document.querySelectorAll("ul.failing code")].map(c => c.textContent),
    provenance: Object.fromEntries([...document.querySelectorAll("table.provenance tr")]
                                     .map(r => [r.cells[0].textContent, r.cells[1].textContent])),
    regressed: [...document.querySelectorAll("#baseline > table tr.regressed")]
                 .map(r => [r.dataset.figure, r.dataset.subject]),
    tables: [...document.querySelectorAll("table")].map(t => ({heading: heading(t),
      rows: [...t.rows].map(r => [...r.cells].map(c => c.textContent))})),
    text: document.body.innerText,
    overflow: document.documentElement.scrollWidth - document.documentElement.clientWidth});
})()"""


def load(page):
    """The state of `page` in Chromium, after failing on any error, script or request."""
    if not shutil.which("chromium"):
        print("SKIP: chromium is not installed (tools/install-deps.sh installs it); %s not "
              "checked in a browser" % page)
        sys.exit(0)
    url = "file://" + os.path.abspath(page)
    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(profile)
        try:
            target = browser.call("Target.createTarget", url="about:blank")["targetId"]
            session = browser.call("Target.attachToTarget", targetId=target,
                                   flatten=True)["sessionId"]
            for domain in ("Page", "Runtime", "Log", "Network"):
                browser.call(domain + ".enable", session)
            browser.events.clear()
            browser.call("Page.navigate", session, url=url)
            browser.wait_for("Page.loadEventFired")
            state = browser.call("Runtime.evaluate", session, expression=PAGE_STATE,
                                 awaitPromise=True, returnByValue=True)
        finally:
            browser.close()
    expect("exceptionDetails" not in state, "the check's script failed: %s" % state)
    for event in browser.events:
        method, params = event.get("method"), event.get("params", {})
        expect(method != "Runtime.exceptionThrown", "%s: an exception: %s" % (page, params))
        expect(method != "Runtime.consoleAPICalled" or params["type"] not in ("error", "warning"),
               "%s: a console message: %s" % (page, params))
        expect(method != "Log.entryAdded" or params["entry"]["level"] != "error",
               "%s: an error: %s" % (page, params))
        if method == "Network.requestWillBeSent":
            request = params["request"]["url"]
            expect(request == url or request.startswith("data:"),
                   "%s requested %s" % (page, request))
    return json.loads(state["result"]["value"])


def table(state, heading, first_cell):
    """The rows of the page's table under `heading` whose header starts with `first_cell`."""
    found = [t["rows"] for t in state["tables"] if t["heading"] == heading and t["rows"] and
             t["rows"][0][0] == first_cell]
    expect(found, "no table \"%s\" under \"%s\"" % (first_cell, heading))
    return {row[0]: row[1:] for row in found[0][1:]}


def shown(cell, value, decimals):
    """Whether the text `cell` shows `value` (None where not measured) to `decimals` decimals."""
    if value is None or (isinstance(value, float) and math.isnan(value)):
        return cell == "–"
    if cell == "∞":
        return value == math.inf or value > 1e300
    return abs(float(cell) - value) <= 0.51 * 10 ** -decimals


def numbers(cell):
    return re.findall(r"[-+]?[0-9]+\.[0-9]+|[∞–]", cell)


def check_report(state, folder):
    report = json.load(open(os.path.join(folder, "report.json")))
    expect(len(state["images"]) == 3 + bool(report["quality"]["panels"]),
           "pictures: %s" % state["images"])
    expect(state["svgs"] == 3 * len(report["angle_sweeps"]), "curves: %d" % state["svgs"])
    expect([(v["rule"], v["subject"], v["pass"], v["expected"]) for v in state["verdicts"]] ==
           [(v["rule"], v["subject"], v["pass"], v["expected"]) for v in report["verdicts"]] and
           all(v["shown"] == v["subject"] for v in state["verdicts"]),
           "the verdicts differ from report.json's")
    # Pass, fail, a failure expected and a fixed verdict each have a colour of their own.
    result = lambda v: (v["pass"], v["expected"])
    colours = {result(v): {r["colour"] for r in state["verdicts"] if result(r) == result(v)}
               for v in state["verdicts"]}
    expect(all(len(c) == 1 for c in colours.values()) and len(set.union(*colours.values())) ==
           len(colours) and "rgba(0, 0, 0, 0)" not in set.union(*colours.values()),
           "verdicts are not coloured by their results: %s" % colours)
    rows = table(state, "Panels", "Panel")
    for panel in report["panels"]:
        s, cells = panel["statistics"], rows[panel["label"]]
        expect(shown(cells[1], s["mean_error"], 3) and shown(cells[2], s["rms_error"], 3) and
               shown(numbers(cells[7])[0], s["effective_anisotropy"], 2),
               "%s: the page shows %s" % (panel["label"], cells))
    if report["quality"]["panels"]:
        rows = table(state, "Image quality against the ideal filter", "Panel")
        for panel in report["quality"]["panels"]:
            expect(all(shown(rows[panel["label"]][i], panel[key], d) for i, (key, d) in
                       enumerate((("psnr", 1), ("detail", 2), ("flicker", 2)))),
                   "%s: the page shows %s" % (panel["label"], rows[panel["label"]]))
    rows = table(state, "What AF costs", "Configuration")
    for cost in report["cost"]:
        cells = rows[cost["label"]]
        expect(shown(cells[0], cost["median_ms"], 3) and
               shown(numbers(cells[3])[-1], cost["relative_high"], 2), "cost of " + cost["label"])
    made = {"schema_version": str(report["schema_version"])}
    made.update({key: str(value) for key, value in report["provenance"].items()})
    expect(state["provenance"] == made, "provenance shown: %s" % state["provenance"])
    for listed, passed, expected in (("fixed", True, "fail"), ("failing", False, "pass")):
        ids = [v["id"] for v in report["verdicts"] if v["pass"] == passed and
               v["expected"] == expected]
        expect(state[listed] == ids, "%s shown: %s, in report.json: %s" %
               (listed, state[listed], ids))
    regressed = sorted([c["figure"], c.get("panel", c.get("verdict"))]
                       for c in report.get("baseline", {}).get("changes", [])
                       if c["movement"] == "regressed")
    expect(sorted(state["regressed"]) == regressed,
           "regressions shown: %s, in report.json: %s" % (state["regressed"], regressed))


def folder_named(name, folders):
    """The one of `folders` that the comparison's column `name` (a folder or its report.json, as
    --compare was given it) names."""
    name = re.sub(r"(/report\.json)?/*$", "", name)
    found = [f for f in folders if os.path.normpath(f) == os.path.normpath(name) or
             os.path.normpath(f).endswith(os.sep + os.path.normpath(name))]
    expect(len(found) == 1, "the column %r names none or several of %s" % (name, folders))
    return found[0]


def check_comparison(state, folders):
    expect(not state["images"] and state["svgs"] > 0, "compare.svg is not inline")
    head = next((t["rows"][0][1:] for t in state["tables"]
                 if t["heading"] == "Panels" and t["rows"] and t["rows"][0][0] == "Panel"), [])
    expect(sorted(folder_named(name, folders) for name in head) == sorted(folders),
           "the columns %s are not the folders %s" % (head, folders))
    reports = [json.load(open(os.path.join(folder_named(name, folders), "report.json")))
               for name in head]
    rows = table(state, "Panels", "Panel")
    for label, cells in rows.items():
        for report, cell in zip(reports, cells):
            s = next(p["statistics"] for p in report["panels"] if p["label"] == label)
            expect(all(shown(n, v, d) for n, v, d in zip(numbers(cell), (
                s["mean_error"], s["rms_error"], s["effective_anisotropy"]), (3, 3, 2))),
                "%s: the page shows %s" % (label, cell))
    expect(len(rows) == len(reports[0]["panels"]) and len(cells) == len(reports),
           "the panels are not side by side: %s" % rows)


def main(arguments):
    texts = []
    while arguments[:1] == ["--text"]:
        texts.append(arguments[1])
        arguments = arguments[2:]
    page, folders = arguments[0], arguments[1:]
    state = load(page)
    expect(all(i["src"].startswith("data:image/png;base64,") and i["width"] > 0
               for i in state["images"]), "pictures not inline or not decoded: %s" %
           state["images"])
    expect(all(source.startswith("data:") for source in state["loaded"]),
           "elements that load: %s" % state["loaded"])
    for text in texts:
        expect(text in state["text"], "%s does not show %r as text" % (page, text))
    # A wide table scrolls in its own box.
    expect(state["overflow"] <= 1, "%s is %d pixels wider than the window" %
           (page, state["overflow"]))
    if folders:
        check_comparison(state, folders)
    else:
        check_report(state, os.path.dirname(page) or ".")
    print("ok: %s in chromium: no error, no request, %d pictures decoded, charts inline, the "
          "figures as in report.json" % (page, len(state["images"])))


main(sys.argv[1:])
