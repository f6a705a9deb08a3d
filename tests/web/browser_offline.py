"""The page kept for visits without the network: after one visit a service
worker holds every file build.json lists; a new build on the server replaces
the kept one whole at the next visit; with the server gone and the page's
network cut off (Network.emulateNetworkConditions), a reload opens the form
and a shot is played."""
import json
import os
import shutil
import time

from browser_support import By, canvas_pixels, check, press, serve, wait_for


def kept_builds(driver):
    """The names of the builds the service worker keeps, once it is ready."""
    driver.execute_script("window.keptBuilds = null; navigator.serviceWorker.ready"
                          ".then(() => caches.keys()).then((k) => { keptBuilds = k; });")
    return wait_for(driver, "return keptBuilds !== null && keptBuilds.length > 0 && keptBuilds", "a kept build")


def site_copy(site, scratch):
    """The files build.json lists, in a folder of their own the test may change."""
    folder = os.path.join(scratch, "offline-site")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(site, "build.json")) as f:
        build = json.load(f)
    for name in build["files"] + ["build.json"]:
        shutil.copy(os.path.join(site, name), folder)
    return folder, build


def new_build(folder, build):
    """A new build on the server: the page's style changed, listed under a new version."""
    with open(os.path.join(folder, "page.css"), "a") as f:
        f.write("/* build two */\n")
    build = dict(build, version="two")
    with open(os.path.join(folder, "build.json"), "w") as f:
        json.dump(build, f)


def page_css(driver):
    driver.execute_script("window.css = null; fetch('page.css').then((r) => r.text()).then((t) => { css = t; });")
    return wait_for(driver, "return css", "the page's style")


def offline(driver, site, scratch):
    folder, build = site_copy(site, scratch)
    server = serve(folder)
    url = "http://127.0.0.1:%d/" % server.server_address[1]
    driver.get(url)
    wait_for(driver, "return !document.getElementById('dialog').hidden", "the form on the first visit")
    first = kept_builds(driver)
    check(first == ["qmsim-build-" + build["version"]], "after the first visit the kept builds are %s" % first)
    new_build(folder, build)
    driver.get(url)
    wait_for(driver, "return !document.getElementById('dialog').hidden", "the form after a new build")
    check(kept_builds(driver) == ["qmsim-build-two"], "the new build does not replace the old: %s"
          % driver.execute_script("return keptBuilds"))
    check("build two" in page_css(driver), "the page after a new build is not the new build's")
    print("ok: a new build replaces the kept one whole at the next visit")
    server.shutdown()
    server.server_close()
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions", {"offline": True, "latency": 0,
                                                                "downloadThroughput": -1, "uploadThroughput": -1})
    try:
        driver.refresh()
        wait_for(driver, "return !document.getElementById('dialog').hidden", "the form with no network")
        driver.find_element(By.ID, "control-1006").click()
        wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the frame with no network")
        time.sleep(4)  # the map loads, the units land
        before = canvas_pixels(driver)
        press(driver, "f")
        time.sleep(1.2)
        if os.environ.get("QM_WEB_SHOTS"):
            driver.save_screenshot(os.path.join(os.environ["QM_WEB_SHOTS"], "web-offline.png"))
        check(canvas_pixels(driver) != before, "F does nothing to the frame with no network")
        print("ok: with no network the page opens from the kept build and a shot is fired")
    finally:
        driver.execute_cdp_cmd("Network.emulateNetworkConditions", {"offline": False, "latency": 0,
                                                                    "downloadThroughput": -1, "uploadThroughput": -1})
