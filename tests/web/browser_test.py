#!/usr/bin/python3
"""Plays the web build in headless Chromium and checks what the canvas shows.

    browser_test.py WEB_FOLDER NATIVE_PIMQUEST [--measure]

The expected pictures come from the desktop game itself, played headless from
a script with the same keys held (NATIVE_PIMQUEST --headless --script ...
--shot ...). The browser runs in real time, so each check waits until the
canvas equals the expected picture, within a timeout. Any console error,
uncaught exception or failed request fails the test.

With --measure it prints the page's figures instead (docs/PERFORMANCE.md):
the time from navigation to the title's first picture, the tab's main-thread
CPU while the battle menu waits for a choice, and the intervals between
frames shown on the world map.

Cases:
  map     hold S through the title: the world map at the start cell; then
          Escape on the map ends the game with the page's message.
  battle  walk right until the first battle (the same random draw as on the
          desktop); then the page's Quit button ends the game from inside the
          battle's own waiting loop.
"""
import base64
import functools
import http.server
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

import websocket  # Debian: python3-websocket

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--autoplay-policy=no-user-gesture-required", "--remote-debugging-port=0",
]
KEYS = {"S": ("KeyS", "s", 83), "Right": ("ArrowRight", "ArrowRight", 39),
        "Esc": ("Escape", "Escape", 27)}
# The desktop script of each case: (virtual ms, controls) lines, and the
# moment of its screenshot. Times only need to fall where the screen stands
# still: the title is over by 12 s with S held; the first battle waits for
# its menu by 40 s.
MAP_SCRIPT = "0 S\n"
BATTLE_SCRIPT = "0 S\n12000 Right\n"


class Failure(Exception):
    pass


def read_bmp_rgba(path):
    """A 24-bit bottom-up bitmap as RGBA bytes, row by row from the top."""
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    pitch = (width * 3 + 3) & ~3
    out = bytearray(width * height * 4)
    for y in range(height):
        row = offset + (height - 1 - y) * pitch
        for x in range(width):
            b, g, r = data[row + 3 * x:row + 3 * x + 3]
            out[4 * (y * width + x):4 * (y * width + x) + 4] = bytes((r, g, b, 255))
    return bytes(out)


def expected_picture(game, work, name, script, at_ms):
    script_path = os.path.join(work, name + ".txt")
    shot = os.path.join(work, name + ".bmp")
    with open(script_path, "w") as f:
        f.write(script)
    subprocess.run([game, "--headless", "--script", script_path, "--shot", f"{at_ms}:{shot}",
                    "--until", str(at_ms + 100)], check=True,
                   cwd=os.path.dirname(os.path.abspath(game)), stdout=subprocess.DEVNULL)
    return read_bmp_rgba(shot)


class Page:
    """One tab, driven through the DevTools protocol."""

    def __init__(self, ws_url):
        self.ws = websocket.create_connection(ws_url, timeout=60, suppress_origin=True)
        self.next_id = 0
        self.errors = []
        for domain in ("Runtime", "Log", "Page", "Network"):
            self.call(domain + ".enable")

    def _note(self, message):
        method, params = message.get("method"), message.get("params", {})
        if method == "Runtime.exceptionThrown":
            self.errors.append("exception: " + json.dumps(params["exceptionDetails"])[:400])
        elif method == "Runtime.consoleAPICalled" and params.get("type") == "error":
            self.errors.append("console.error: " + json.dumps(params.get("args"))[:400])
        elif method == "Log.entryAdded" and params["entry"].get("level") == "error":
            self.errors.append("log: %s (%s)" % (params["entry"].get("text", "")[:300],
                                                params["entry"].get("url", "")))
        elif method == "Network.loadingFailed":
            self.errors.append("request failed: " + json.dumps(params)[:400])

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise Failure(f"{method}: {message['error']}")
                return message.get("result", {})
            self._note(message)

    def eval(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise Failure("page script failed: " + json.dumps(result["exceptionDetails"])[:400])
        return result["result"].get("value")

    def key(self, name, down):
        code, key, vk = KEYS[name]
        self.call("Input.dispatchKeyEvent", type="keyDown" if down else "keyUp", code=code,
                  key=key, windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk)

    def wait_for(self, expression, what, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.eval(expression):
                return
            time.sleep(0.1)
        raise Failure(f"timed out after {timeout} s waiting for {what}")

    def wait_for_picture(self, rgba, what, timeout=60):
        self.eval("window.pqWanted = Uint8Array.from(atob('%s'), c => c.charCodeAt(0)); 0"
                  % base64.b64encode(rgba).decode())
        differing = ("(() => { const c = document.getElementById('screen');"
                     " const d = c.getContext('2d').getImageData(0, 0, 640, 480).data;"
                     " let n = 0; for (let i = 0; i < d.length; ++i) if (d[i] !== pqWanted[i]) ++n;"
                     " window.pqDiffering = n; return n === 0; })()")
        try:
            self.wait_for(differing, what, timeout)
        except Failure:
            raise Failure(f"{what}: the canvas still differs in "
                          f"{self.eval('window.pqDiffering')} bytes")

    def wait_for_end(self, what):
        self.wait_for("document.getElementById('ended').textContent"
                      ".startsWith('The game has ended.')", what, 20)


def serve(folder):
    handler = functools.partial(Quiet, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def open_browser(profile):
    browser = subprocess.Popen(["chromium", *CHROMIUM_FLAGS, f"--user-data-dir={profile}",
                                "about:blank"], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    port_file = os.path.join(profile, "DevToolsActivePort")
    deadline = time.monotonic() + 30
    while not os.path.exists(port_file) or not open(port_file).read().strip():
        if time.monotonic() > deadline or browser.poll() is not None:
            browser.kill()
            raise Failure("chromium did not start")
        time.sleep(0.1)
    port = open(port_file).read().split()[0]
    for _ in range(50):
        targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list"))
        pages = [t for t in targets if t.get("type") == "page"]
        if pages:
            return browser, pages[0]["webSocketDebuggerUrl"]
        time.sleep(0.1)
    browser.kill()
    raise Failure("chromium shows no page")


def run_case(name, url, profile, body):
    browser, ws_url = open_browser(profile)
    try:
        page = Page(ws_url)
        page.call("Page.navigate", url=url)
        body(page)
        if page.errors:
            raise Failure("the page reported errors:\n  " + "\n  ".join(page.errors))
    finally:
        browser.kill()
        browser.wait()
    print(f"web: {name}: passed")


def task_seconds(page):
    metrics = page.call("Performance.getMetrics")["metrics"]
    return next(m["value"] for m in metrics if m["name"] == "TaskDuration")


def measure(page, world, battle):
    page.call("Performance.enable")
    page.wait_for("window.Module && Module.pqShowTimes && Module.pqShowTimes.length > 1",
                  "the title's first picture", 60)
    first = page.eval("Module.pqShowTimes[1]")
    print(f"web: page load to the title's first picture: {first:.0f} ms")
    page.key("S", True)
    page.wait_for_picture(world, "the world map")
    page.key("S", False)
    time.sleep(1)
    page.eval("Module.pqFrameTimes.length = 0; 0")
    time.sleep(10)
    times = page.eval("Module.pqFrameTimes.slice()")
    gaps = sorted(b - a for a, b in zip(times, times[1:]))
    print(f"web: frames on the map: {len(times)} in 10 s, interval median "
          f"{gaps[len(gaps) // 2]:.2f} ms, 99th percentile {gaps[len(gaps) * 99 // 100]:.2f} ms")
    page.key("Right", True)
    page.wait_for_picture(battle, "the first battle")
    page.key("Right", False)
    time.sleep(2)
    before, at = task_seconds(page), time.monotonic()
    time.sleep(10)
    busy = (task_seconds(page) - before) / (time.monotonic() - at)
    print(f"web: main-thread CPU while the battle menu waits: {100 * busy:.1f} % of a core")


def main():
    measuring = "--measure" in sys.argv
    args = [a for a in sys.argv[1:] if a != "--measure"]
    if len(args) != 2:
        sys.exit(__doc__)
    folder, game = args[0], os.path.abspath(args[1])
    work = tempfile.mkdtemp(prefix="pq-web-test-")
    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    failed = 0
    try:
        world = expected_picture(game, work, "map", MAP_SCRIPT, 12000)
        battle = expected_picture(game, work, "battle", BATTLE_SCRIPT, 40000)

        def skip_title(page, what):
            page.wait_for("window.Module && Module.calledRun === true", "the game to load", 60)
            page.key("S", True)
            page.wait_for_picture(world, what)
            page.key("S", False)

        def map_case(page):
            skip_title(page, "the world map at the start cell")
            page.key("Esc", True)
            page.wait_for_end("Escape on the map to end the game")

        def battle_case(page):
            skip_title(page, "the world map before the walk")
            page.key("Right", True)
            page.wait_for_picture(battle, "the first battle")
            page.eval("document.getElementById('quit').click(); 0")
            page.wait_for_end("the Quit button to end the game inside the battle")

        cases = (("map", map_case), ("battle", battle_case))
        if measuring:
            cases = (("measure", lambda page: measure(page, world, battle)),)
        for name, body in cases:
            try:
                run_case(name, url, os.path.join(work, "profile-" + name), body)
            except Failure as e:
                failed += 1
                print(f"web: {name}: FAILED: {e}")
    finally:
        server.shutdown()
        shutil.rmtree(work, ignore_errors=True)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
