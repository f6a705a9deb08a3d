"""What the browser tests share: Selenium and Chromium found (or the test
skipped, exit code 77), the site served from 127.0.0.1, the browser started,
and the helpers that wait, check, press keys and read the canvas."""
import functools
import http.server
import os
import re
import shutil
import struct
import sys
import threading
import time
import zlib

SKIP = 77

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import Select
except ImportError:
    print("SKIP: python3-selenium is not installed (tools/ensure_deps.sh installs it)")
    sys.exit(SKIP)

CHROMIUM = shutil.which("chromium")
CHROMEDRIVER = shutil.which("chromedriver")
if CHROMIUM is None or CHROMEDRIVER is None:
    print("SKIP: %s is not installed (tools/ensure_deps.sh installs it)"
          % ("chromium" if CHROMIUM is None else "chromium-driver"))
    sys.exit(SKIP)

TIMEOUT = 30


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def wait_for(driver, script, what, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = driver.execute_script(script)
        if value:
            return value
        time.sleep(0.05)
    raise Failure("timed out waiting for " + what)


def canvas_pixels(driver):
    """The canvas's RGB bytes, 800 by 600."""
    data = driver.execute_script("""
        const c = document.getElementById('frame');
        const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let s = '';
        for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
        return btoa(s);""")
    import base64
    return base64.b64decode(data)


def pixel(pixels, x, y):
    i = (y * 800 + x) * 3
    return tuple(pixels[i:i + 3])


def count_colour(pixels, colour):
    wanted = bytes(colour)
    return sum(1 for i in range(0, len(pixels), 3) if pixels[i:i + 3] == wanted)


def write_png(path, width, height, dark_rows_from):
    """A grey picture: light above row dark_rows_from, dark below."""
    rows = b"".join(b"\0" + (b"\xf0" if y < dark_rows_from else b"\x20") * width for y in range(height))
    chunk = lambda kind, data: (struct.pack(">I", len(data)) + kind + data +
                                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def write_bmp24(path, width, height, dark_rows_from):
    """A 24-bit BMP as a paint program saves it: pale sky above row
    dark_rows_from, brown earth below, rows stored bottom-up."""
    stride = (width * 3 + 3) // 4 * 4
    sky, earth = bytes((0xEB, 0xCE, 0x87)), bytes((0x1E, 0x3A, 0x5A))  # blue, green, red
    rows = b"".join(((sky if y < dark_rows_from else earth) * width).ljust(stride, b"\0")
                    for y in reversed(range(height)))
    header = struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + len(rows), 0, 0, 54, 40, width, height, 1, 24, 0,
                         len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + rows)


def press(driver, key, hold=0.05):
    ActionChains(driver).key_down(key).pause(hold).key_up(key).perform()


def console_errors(driver):
    return [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(site):
    handler = functools.partial(QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start_browser(downloads):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1024,768",
                     "--disable-dev-shm-usage", "--no-first-run", "--no-default-browser-check",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--disable-extensions", "--user-data-dir=" + os.path.join(os.path.dirname(downloads), "profile")]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                              "download.prompt_for_download": False})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
    return driver
