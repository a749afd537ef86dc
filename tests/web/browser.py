"""The browser site served on 127.0.0.1 and a headless Chromium from a fresh profile, for the page's
tests. Debian's chromium, chromium-driver and python3-selenium; nothing leaves this machine."""

import contextlib
import functools
import http.server
import os
import shutil
import socketserver
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--window-size=1280,900", "--autoplay-policy=user-gesture-required",
]


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript", ".woff2": "font/woff2"}

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def served(folder):
    """The folder on a free port of 127.0.0.1, as any static web server serves it; yields its address."""
    handler = functools.partial(_QuietHandler, directory=folder)
    socketserver.TCPServer.allow_reuse_address = True
    with socketserver.ThreadingTCPServer(("127.0.0.1", 0), handler) as server:
        thread = threading.Thread(target=server.serve_forever, daemon=True)
        thread.start()
        try:
            yield f"http://127.0.0.1:{server.server_address[1]}/"
        finally:
            server.shutdown()


@contextlib.contextmanager
def chromium(downloads=None, mobile=None):
    """A headless Chromium with a new empty profile, its console kept for the test to read; with
    `mobile` ({"width", "height", "pixelRatio"}), as a phone or tablet: its screen, touch, a phone's
    browser's name."""
    profile = tempfile.mkdtemp(prefix="mojara-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in CHROMIUM_FLAGS:
        options.add_argument(flag)
    options.add_argument(f"--user-data-dir={profile}")
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    if mobile:
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {**mobile, "touch": True},
            "userAgent": "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) "
                         "Chrome/156.0.0.0 Mobile Safari/537.36"})
    if downloads:
        options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                                  "download.prompt_for_download": False})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_page_load_timeout(30)
    driver.set_script_timeout(60)
    try:
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def console_errors(driver):
    """The console's errors and warnings since the last call."""
    return [entry["message"] for entry in driver.get_log("browser") if entry["level"] in ("SEVERE", "WARNING")]


def site_folder():
    folder = os.environ.get("MOJARA_SITE", os.path.join(os.path.dirname(__file__), "..", "..", "build-web", "site"))
    if not os.path.isfile(os.path.join(folder, "index.html")):
        raise SystemExit(f"no site in {folder}: scripts/build-web builds it")
    return os.path.abspath(folder)
