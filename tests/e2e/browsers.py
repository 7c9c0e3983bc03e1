#!/usr/bin/python3
"""table.html as organisers see it: the real exe (through e2e_driver under
Wine) writes it for a few realistic lists, and headless Chromium and Firefox,
each with a Japanese and an English interface, open every file from disk.
Each must decode it as Shift_JIS and show the title and every cell as written.

Usage: browsers.py BUILD_DIR (which holds e2e_driver.exe and rinban2.exe),
or browsers.py --guide GUIDE.html OUT_DIR: the guide at a phone's and a
desktop's width, never wider than the screen, a picture of each in OUT_DIR;
or browsers.py --picture PAGE.html WIDTH OUT.png [SELECTOR]: the whole page
at that width, or the element SELECTOR picks.
Chromium is driven over its DevTools pipe, Firefox over Marionette; nothing
but the standard library. Exits non-zero on any failure; the browsers and
their profiles go even then.
"""
import base64
import fcntl
import json
import os
import pathlib
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

BYE = "[試合無し]"
BLANK = "\u3000"
WAIT = 30  # seconds for any one step

CASES = {
    # Title, entry numbers, points column, names.
    "romaji": ("第12回 市民将棋大会", 0, 0, [
        "Yamada Taro", "Sato Hanako", "Suzuki Ichiro", "Takahashi Ken", "Tanaka Yui",
        "Watanabe Sho", "Ito Mai", "Nakamura Ryo", "Kobayashi Aya", "Kato Jun"]),
    "katakana": ("春季リーグ", 1, 0, [
        "ヤマダ", "サトウ", "スズキ", "タカハシ", "タナカ", "ワタナベ", "イトウ", "ナカムラ",
        "コバヤシ", "カトウ", "ヨシダ", "ヤマモト", "ササキ", "マツモト", "イノウエ", "キムラ"]),
    "halfwidth": ("test", 0, 0, [
        "ﾔﾏﾀﾞ", "ｻﾄｳ", "ｽｽﾞｷ", "ｿｳﾀ", "ﾀﾅｶ", "ﾜﾀﾅﾍﾞ", "ｲﾄｳ", "ﾅｶﾑﾗ", "ｺﾊﾞﾔｼ", "ｶﾄｳ"]),
    "ascii": ("test", 0, 0, ["Ann", "Bob", "Cy", "Dee"]),
    "mixed": ("卓球部 部内戦", 2, 1, [
        "山田 太郎", "Smith", "ｽｽﾞｷ", "佐藤花子", "タカハシ", "髙橋 ①", "Lee Min"]),
}
UIS = {"ja": "ja_JP.UTF-8", "en": "en_US.UTF-8"}

# What the page shows: the charset it was decoded with, the title, and the
# text of every cell, row by row.
PAGE_SCRIPT = """return (() => {
  const t = document.querySelector("table");
  return JSON.stringify({
    charset: document.characterSet, title: document.title,
    caption: t ? t.caption.textContent : null,
    cells: t ? [...t.rows].map(r => [...r.cells].map(c => c.textContent)) : [],
    language: navigator.language,
    locale: Intl.DateTimeFormat().resolvedOptions().locale});
})();"""


def is_lead(b):
    return 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC


def short_name(name):
    """The column heads keep the first three bytes, a split character whole."""
    raw = name.encode("cp932")
    take = 3
    if 2 < len(raw):
        i = 0
        while i < 2:
            i += 2 if is_lead(raw[i]) else 1
        if i == 2 and is_lead(raw[2]):
            take += 1
    return raw[:take].decode("cp932")


def expected_cells(number, points, names):
    slots = names + [BYE] if len(names) % 2 else list(names)
    tag = (lambda n: "") if number == 0 else (lambda n: "[%0*d]" % (number, n))
    head = [BLANK] + (["Pts."] if points else [])
    rows = [head + [tag(n) + short_name(s) for n, s in enumerate(slots, 1)]]
    for r, s in enumerate(slots, 1):
        rows.append([tag(r) + s] + ([BLANK] if points else [])
                    + ["---" if c == r else BLANK for c in range(1, len(slots) + 1)])
    return rows


def write_tables(build, work):
    """The real exe writes table.html in one folder per case."""
    folders = []
    for case, (title, number, points, names) in CASES.items():
        folder = os.path.join(work, case)
        os.mkdir(folder)
        shutil.copy(os.path.join(build, "rinban2.exe"), folder)
        with open(os.path.join(folder, "list.txt"), "wb") as f:
            f.write("".join(n + "\r\n" for n in names).encode("cp932"))
        ini = "[HTMLOption]\r\nTitle=%s\r\nNumber=%d\r\nPointInt=%d\r\n" % (title, number, points)
        with open(os.path.join(folder, "rinban2.INI"), "wb") as f:
            f.write(ini.encode("cp932"))
        folders.append(folder)
    wine_paths = ["Z:" + f.replace("/", "\\") for f in folders]
    subprocess.run(["wine", os.path.join(build, "e2e_driver.exe"), "--tables"] + wine_paths,
                   check=True, timeout=120, stdin=subprocess.DEVNULL)
    return {case: pathlib.Path(work, case, "table.html").as_uri() for case in CASES}


class Browser:
    """One browser process in its own session and a fresh profile, both
    removed by close()."""

    def __init__(self, args, env, profile, **popen):
        self.profile = profile
        self.proc = subprocess.Popen(args, env=env, start_new_session=True,
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, **popen)

    def close(self):
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGTERM)
                self.proc.wait(5)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                pass
        try:
            os.killpg(self.proc.pid, signal.SIGKILL)  # helpers left in its session
        except ProcessLookupError:
            pass
        self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def ui_env(ui):
    env = dict(os.environ, LANG=UIS[ui], LC_ALL=UIS[ui], LANGUAGE=ui)
    env.pop("DISPLAY", None)
    return env


class Chromium(Browser):
    """DevTools over --remote-debugging-pipe: NUL-terminated JSON, commands on
    fd 3, answers and events on fd 4."""

    def __init__(self, ui, tmp):
        profile = tempfile.mkdtemp(prefix="chromium-", dir=tmp)
        to_child, self._out = os.pipe()
        self._in, from_child = os.pipe()

        def fds():  # through fds above 4, so neither end is already 3 or 4
            high = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_child, from_child)]
            os.dup2(high[0], 3)
            os.dup2(high[1], 4)

        super().__init__(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + profile, "--remote-debugging-pipe", "--lang=" + ui,
             "about:blank"],
            ui_env(ui), profile, preexec_fn=fds, close_fds=False)
        os.close(to_child)
        os.close(from_child)
        self._buffer = b""
        self._id = 0

    def send(self, method, params=None, session=None):
        self._id += 1
        message = {"id": self._id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._out, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + WAIT
        while time.monotonic() < deadline:
            while b"\0" in self._buffer:
                raw, self._buffer = self._buffer.split(b"\0", 1)
                answer = json.loads(raw)
                if answer.get("id") == self._id:
                    if "error" in answer:
                        raise RuntimeError("%s: %s" % (method, answer["error"]))
                    return answer["result"]
            if not select.select([self._in], [], [], max(0, deadline - time.monotonic()))[0]:
                break
            chunk = os.read(self._in, 65536)
            if not chunk:
                raise RuntimeError("chromium closed its pipe")
            self._buffer += chunk
        raise RuntimeError("chromium did not answer " + method)

    def page(self, url, width=None, only=None):
        """What PAGE_SCRIPT reads of url, or with a width the tab shown on a
        screen that wide (a phone's below 480 px): its width and a picture,
        of the whole page or of the element the selector only picks."""
        target = self.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        if width:
            self.send("Emulation.setDeviceMetricsOverride",
                      {"width": width, "height": 800, "deviceScaleFactor": 1, "mobile": width < 480}, session)
        self.send("Page.navigate", {"url": url}, session)
        deadline = time.monotonic() + WAIT
        while True:
            # The new tab is complete once on about:blank, before the file.
            loaded = "document.readyState == 'complete' && location.href == %s" % json.dumps(url)
            state = self.send("Runtime.evaluate", {"expression": loaded, "returnByValue": True}, session)
            if state["result"].get("value") is True:
                break
            if time.monotonic() > deadline:
                raise RuntimeError("chromium did not load " + url)
            time.sleep(0.05)
        if width:
            size = self.send("Runtime.evaluate", {"expression": "[document.documentElement.scrollWidth, "
                                                  "document.documentElement.scrollHeight]",
                                                  "returnByValue": True}, session)["result"]["value"]
            self.send("Emulation.setDeviceMetricsOverride", {"width": width, "height": size[1],
                      "deviceScaleFactor": 1, "mobile": width < 480}, session)
            shot = {"format": "png"}
            if only:
                box = self.send("Runtime.evaluate", {"expression": "(r => [r.x, r.y, r.width, r.height])"
                                                     "(document.querySelector(%s).getBoundingClientRect())"
                                                     % json.dumps(only), "returnByValue": True},
                                session)["result"]["value"]
                shot["clip"] = dict(zip(("x", "y", "width", "height"), box), scale=1)
            picture = self.send("Page.captureScreenshot", shot, session)["data"]
            self.send("Target.closeTarget", {"targetId": target})
            return size[0], base64.b64decode(picture)
        shown = self.send("Runtime.evaluate", {"expression": "(() => {%s})()" % PAGE_SCRIPT,
                                               "returnByValue": True}, session)
        self.send("Target.closeTarget", {"targetId": target})
        return json.loads(shown["result"]["value"])

    def close(self):
        os.close(self._out)
        os.close(self._in)
        super().close()


# No update, telemetry, first-run page or other network use; every address
# but local files goes to a closed port.
FIREFOX_PREFS = {
    "marionette.port": 0, "remote.prefs.recommended": True,
    "browser.shell.checkDefaultBrowser": False, "browser.startup.page": 0,
    "browser.startup.homepage_override.mstone": "ignore", "startup.homepage_welcome_url": "",
    "browser.aboutwelcome.enabled": False, "app.update.disabledForTesting": True,
    "app.normandy.enabled": False, "datareporting.policy.dataSubmissionEnabled": False,
    "datareporting.healthreport.uploadEnabled": False, "toolkit.telemetry.reportingpolicy.firstRun": False,
    "extensions.update.enabled": False, "extensions.getAddons.cache.enabled": False,
    "browser.safebrowsing.malware.enabled": False, "browser.safebrowsing.phishing.enabled": False,
    "network.captive-portal-service.enabled": False, "network.connectivity-service.enabled": False,
    "network.dns.disablePrefetch": True, "network.prefetch-next": False,
    "services.settings.server": "http://127.0.0.1:9/",
    "network.proxy.type": 1, "network.proxy.http": "127.0.0.1", "network.proxy.http_port": 9,
    "network.proxy.ssl": "127.0.0.1", "network.proxy.ssl_port": 9,
}


class Firefox(Browser):
    """Marionette: length-prefixed JSON over TCP, the port written to the
    profile once it listens."""

    def __init__(self, ui, tmp):
        profile = tempfile.mkdtemp(prefix="firefox-", dir=tmp)
        prefs = dict(FIREFOX_PREFS, **{"intl.locale.requested": "ja" if ui == "ja" else "en-US"})
        with open(os.path.join(profile, "user.js"), "w") as f:
            for key, value in prefs.items():
                f.write("user_pref(%s, %s);\n" % (json.dumps(key), json.dumps(value)))
        env = ui_env(ui)
        env["MOZ_HEADLESS"] = "1"
        super().__init__(["firefox-esr", "--headless", "--marionette", "--remote-allow-system-access",
                          "--no-remote",
                          "--profile", profile, "about:blank"], env, profile)
        self._sock = None
        try:
            port_file = os.path.join(profile, "MarionetteActivePort")
            deadline = time.monotonic() + WAIT
            while not os.path.exists(port_file) or not open(port_file).read().strip():
                if time.monotonic() > deadline or self.proc.poll() is not None:
                    raise RuntimeError("firefox did not start marionette")
                time.sleep(0.1)
            self._sock = socket.create_connection(("127.0.0.1", int(open(port_file).read())), WAIT)
            self._buffer = b""
            self._id = 0
            self._read()  # the greeting
            self.send("WebDriver:NewSession", {"capabilities": {"alwaysMatch": {}}})
        except BaseException:
            self.close()
            raise

    def _read(self):
        while b":" not in self._buffer:
            self._more()
        size, rest = self._buffer.split(b":", 1)
        while len(rest) < int(size):
            self._more()
            size, rest = self._buffer.split(b":", 1)
        self._buffer = rest[int(size):]
        return json.loads(rest[:int(size)])

    def _more(self):
        chunk = self._sock.recv(65536)
        if not chunk:
            raise RuntimeError("firefox closed marionette")
        self._buffer += chunk

    def send(self, command, params=None):
        self._id += 1
        body = json.dumps([0, self._id, command, params or {}]).encode()
        self._sock.sendall(b"%d:%s" % (len(body), body))
        while True:
            kind, mid, error, result = self._read()
            if kind == 1 and mid == self._id:
                if error:
                    raise RuntimeError("%s: %s" % (command, error))
                return result

    def app_locale(self):
        self.send("Marionette:SetContext", {"value": "chrome"})
        locale = self.send("WebDriver:ExecuteScript", {
            "script": "return Services.locale.appLocaleAsBCP47;", "args": []})["value"]
        self.send("Marionette:SetContext", {"value": "content"})
        return locale

    def page(self, url):
        self.send("WebDriver:Navigate", {"url": url})
        return json.loads(self.send("WebDriver:ExecuteScript",
                                    {"script": PAGE_SCRIPT, "args": []})["value"])

    def close(self):
        try:
            if self._sock:
                self._sock.close()
        finally:
            super().close()


def check(view, url, shown, case):
    title, number, points, names = CASES[case]
    faults = []
    if shown["charset"] != "Shift_JIS":
        faults.append("decoded as %s" % shown["charset"])
    if shown["title"] != title or shown["caption"] != title:
        faults.append("title %r, caption %r" % (shown["title"], shown["caption"]))
    want = expected_cells(number, points, names)
    if shown["cells"] != want:
        bad = next(((r, c) for r, row in enumerate(want) for c, cell in enumerate(row)
                    if r >= len(shown["cells"]) or c >= len(shown["cells"][r])
                    or shown["cells"][r][c] != cell), None)
        if bad is None:
            faults.append("extra cells")
        else:
            r, c = bad
            got = shown["cells"][r][c] if r < len(shown["cells"]) and c < len(shown["cells"][r]) else None
            faults.append("row %d cell %d shows %r, not %r" % (r, c, got, want[r][c]))
    return ["%s %s: %s" % (view, case, f) for f in faults]


def shown(page, width, folder, only=None):
    """page on a screen that wide: its width and a picture, by a Chromium of
    its own whose profile goes into folder and goes again."""
    tmp = tempfile.mkdtemp(prefix="chromium-", dir=folder)
    browser = Chromium("ja", tmp)
    try:
        return browser.page(pathlib.Path(page).resolve().as_uri(), int(width), only)
    finally:
        browser.close()
        shutil.rmtree(tmp, ignore_errors=True)


def guide(page, out):
    """The guide on a phone's screen and a desktop's: never wider than the
    screen, and a picture of each in out for a person to look at."""
    faults = 0
    for width in (360, 390, 1280):
        scroll, png = shown(page, width, out)
        pathlib.Path(out, "guide-%d.png" % width).write_bytes(png)
        if scroll > width:
            print("at %d px the guide is %d px wide" % (width, scroll))
            faults += 1
    return 1 if faults else 0


def picture(page, width, png, only=None):
    """The whole of page at that width, or the element the selector only
    picks, as a PNG file."""
    pathlib.Path(png).write_bytes(shown(page, width, os.path.dirname(os.path.abspath(png)), only)[1])
    return 0


def main():
    if sys.argv[1] == "--guide":
        return guide(sys.argv[2], sys.argv[3])
    if sys.argv[1] == "--picture":
        return picture(*sys.argv[2:6])
    build = os.path.abspath(sys.argv[1])
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("browsers: stopped"))
    tmp = tempfile.mkdtemp(prefix="browsers-", dir=build)  # what a kill leaves stays in the build
    faults, views = [], 0
    try:
        urls = write_tables(build, tmp)
        for kind in (Chromium, Firefox):
            for ui in UIS:
                view = "%s/%s" % (kind.__name__, ui)
                browser = kind(ui, tmp)
                try:
                    if kind is Firefox and browser.app_locale().split("-")[0] != ui:
                        faults.append("%s: interface in %s" % (view, browser.app_locale()))
                    for case, url in urls.items():
                        shown = browser.page(url)
                        views += 1
                        if shown["language"].split("-")[0] != ui or shown["locale"].split("-")[0] != ui:
                            faults.append("%s: language %s, locale %s" % (view, shown["language"], shown["locale"]))
                        faults += check(view, url, shown, case)
                finally:
                    browser.close()
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    for fault in faults:
        print(fault)
    print("%d page views, %d faults" % (views, len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
