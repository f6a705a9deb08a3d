"""The page in headless Chromium, driven by chromedriver through Selenium.

Serves the static site from 127.0.0.1 and checks: the dialog's title, labels
and lists; hills.bmp and Windowed chosen, Start, "Loading map: N%"; the wind
dial's ring at its pixels on the canvas; 62.5 ticks a second, none while
another tab hides the page and no burst after; F fires and the picture changes; H shows the
prediction's yellow diamond; F12 downloads the frame as a PNG named by the
time; Page Up and = change the power with no controls file; Esc ends the
run and the page says so; a map file, a 24-bit BMP map and a picture
opened from disk join the map list, each map listed once, a file that
is no map is refused with its reason, and the picture's map loads; the
quick-start address (loaded first, with a cold cache) reaches its first
frame, whose time and bytes are printed, within 500 kB, with the sample
maps the program wrote equal to maps/, over the whole browser window
(Stretch Fullscreen); the 16-bit mode says "Unable to change resolution."
and ends with exit status 1; a drill left after one shot leaves its history
line in the browser's storage, read back after the page is loaded again; a
?challenge= link plays its drill and the results give its code and
outcome, and refused codes are shown in the form (browser_challenge.py);
with the storage's quota at one byte the results say the history was not
saved and why, the line waits in the page's stash, the next visit shows the
form at once, and a visit with room again stores it (browser_storage.py);
a drill left by reloading the page keeps its line, the history exported
and imported, and drill files opened (browser_files.py); on
a phone-sized touch screen (Chromium's touch emulation), the form is centred
with Start and Exit in reach, the frame keeps its shape between the touch
buttons, holding + and the up arrow raises the power and the angle, the
close button ends the run, and an upright phone is asked to turn; at two
phones' sizes, by taps alone, the form's controls and the touch buttons of
44 CSS pixels or more, the help, the menu and the results as text of 12 or
more, a drill chosen, shot and left, and a challenge's results shared, shot
again and left (browser_phone.py); a new build replacing the kept one, and
with the server gone and the network cut off, the page opened again and a
shot played (browser_offline.py); no error in the browser console.

Usage: browser_test.py SITE_DIR SCRATCH_DIR
QM_WEB_SHOTS=DIR keeps screenshots of the dialog and the running page there.
Exit code 77 (skipped) where Selenium, Chromium or chromedriver is missing.
"""
import base64
import os
import re
import shutil
import sys
import time

from browser_support import (ActionChains, By, Failure, Keys, Select, TIMEOUT, canvas_pixels, check, console_errors,
                             count_colour, pixel, press, serve, start_browser, wait_for, write_bmp24, write_png)
from browser_challenge import challenges
from browser_files import page_files
from browser_offline import offline
from browser_phone import phones
from browser_storage import full_storage
from browser_touch import touch_screen

LABELS = ["Display Mode", "Stretch Fullscreen", "800x600 32 bit Fullscreen", "800x600 16 bit Fullscreen",
          "Windowed", "Select Map", "Simulator Options", "Random Wind", "Every", "turns", "Fixed Wind", "Wind",
          "Angle", "Start", "Exit"]
# The wind dial: a light grey ring from radius 18 to 25 round (400, 70).
RING = (0xE0, 0xE0, 0xE0)
RING_POINTS = [(421, 70), (379, 70), (400, 49), (400, 91), (415, 85), (385, 85), (385, 55), (415, 55)]
PREDICTION = (0xFF, 0xFF, 0x00)
# What the page may take on its first load over a server that compresses
# nothing, in bytes.
FIRST_LOAD_BYTES = 500000


def check_dialog(driver, shots):
    wait_for(driver, "return !document.getElementById('dialog').hidden", "the dialog")
    check(driver.find_element(By.ID, "dialog-caption").text == "Quillmar Simulator Config", "the dialog's title")
    shown = driver.find_element(By.ID, "dialog").text
    for label in LABELS:
        check(label in shown, "the dialog lacks the label " + label)
    maps = Select(driver.find_element(By.ID, "control-1007"))
    names = [option.text for option in maps.options]
    check(names == ["Flat map", "cave.bmp", "hills.bmp", "islands.bmp", "tower.bmp", "Open a map\u2026"],
          "the map list is %s" % names)
    check(maps.first_selected_option.text == "Flat map", "the flat map is not chosen first")
    check(Select(driver.find_element(By.ID, "control-1020")).first_selected_option.text == "3",
          "random wind does not change every 3 turns by default")
    check(not driver.find_element(By.ID, "control-1014").is_enabled(), "the fixed wind list is not greyed")
    check(driver.find_element(By.CSS_SELECTOR, "#control-1001 input").is_selected(), "Stretch Fullscreen is not chosen")
    if shots:
        driver.find_element(By.ID, "dialog").screenshot(os.path.join(shots, "web-dialog.png"))
    print("ok: the dialog with its title, labels, lists and defaults")


def play_round(driver, shots, downloads):
    Select(driver.find_element(By.ID, "control-1007")).select_by_visible_text("hills.bmp")
    driver.find_element(By.CSS_SELECTOR, "#control-1004 input").click()
    check(driver.find_element(By.CSS_SELECTOR, "#control-1004 input").is_selected(), "Windowed is not chosen")
    check(not driver.find_element(By.CSS_SELECTOR, "#control-1001 input").is_selected(),
          "Stretch Fullscreen stays chosen beside Windowed")
    # Every text the status line shows, from here on.
    driver.execute_script("""
        window.statusSeen = [];
        new MutationObserver(() => statusSeen.push(document.getElementById('control-1008').textContent))
            .observe(document.getElementById('control-1008'), {childList: true, characterData: true, subtree: true});""")
    driver.find_element(By.ID, "control-1006").click()
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the first frame")
    seen = driver.execute_script("return statusSeen")
    check(any(re.fullmatch(r"Loading map: \d+%", text) for text in seen), "no 'Loading map: N%%' in %s" % seen)
    check(driver.execute_script("return document.getElementById('dialog').hidden"), "the dialog stays up")
    box = driver.execute_script("const b = document.getElementById('frame').getBoundingClientRect();"
                                "return [b.left, b.top, b.width, b.height];")
    check(box == [0, 0, 800, 600], "the windowed canvas is at %s, not 800 by 600 at the top-left" % box)
    print("ok: hills.bmp and Windowed chosen, Start: %d status texts, the last %r" % (len(seen), seen[-1]))

    # The units land; the view settles.
    time.sleep(2.5)
    rest = canvas_pixels(driver)
    ring = sum(1 for x, y in RING_POINTS if pixel(rest, x, y) == RING)
    check(ring >= 6, "only %d of %d wind dial ring points are E0E0E0" % (ring, len(RING_POINTS)))
    print("ok: the wind dial's ring at %d of %d points" % (ring, len(RING_POINTS)))

    # One frame a tick, 62.5 a second, whatever the display's rate; while
    # the page is hidden the round stands still, and it goes on without a
    # burst of ticks when the page shows again.
    start = driver.execute_script("return [qmPage.presented, performance.now()]")
    time.sleep(2)
    end = driver.execute_script("return [qmPage.presented, performance.now()]")
    rate = (end[0] - start[0]) * 1000 / (end[1] - start[1])
    check(55 <= rate <= 70, "%.1f ticks a second, not 62.5" % rate)
    # Another tab in front hides the page.
    page = driver.current_window_handle
    before = driver.execute_script("return qmPage.presented")
    driver.switch_to.new_window("tab")
    time.sleep(1.5)
    driver.close()
    driver.switch_to.window(page)
    shown = driver.execute_script("return qmPage.presented")
    check(shown - before <= 40, "%d ticks ran while the page was hidden for 1.5 s" % (shown - before))
    time.sleep(0.5)
    burst = driver.execute_script("return qmPage.presented") - shown
    check(10 <= burst <= 45, "%d ticks in the half second after the page showed again" % burst)
    print("ok: %.1f ticks a second; %d while hidden for 1.5 s, %d in the half second after"
          % (rate, shown - before, burst))

    canvas = driver.find_element(By.ID, "frame")
    check(count_colour(rest, PREDICTION) == 0, "yellow on the frame before H")
    # Without a controls file a laptop's keys change the power: Page Up and
    # =, each held and then undone by Page Down and - held as long.
    def aim_line():
        pixels = canvas_pixels(driver)
        return [pixel(pixels, x, y) for y in range(550, 566) for x in range(100, 400)]
    for up, down in ((Keys.PAGE_UP, Keys.PAGE_DOWN), ("=", "-")):
        before = aim_line()
        press(driver, up, hold=0.2)
        time.sleep(0.1)
        check(aim_line() != before, "%r held does not change the power" % up)
        press(driver, down, hold=0.2)
        time.sleep(0.1)
    print("ok: Page Up / Page Down and = / - change the power without a controls file")

    # Keypad minus held lowers the power towards the target's (0.82), so the
    # predicted strike is on the frame.
    press(driver, Keys.SUBTRACT, hold=2.6)
    press(driver, "h")
    time.sleep(0.5)
    predicted = canvas_pixels(driver)
    if shots:
        driver.save_screenshot(os.path.join(shots, "web-prediction.png"))
    check(count_colour(predicted, PREDICTION) >= 20, "H shows no yellow prediction diamond")
    print("ok: H shows the prediction")

    press(driver, "f")
    time.sleep(1.2)
    flight = canvas_pixels(driver)
    differing = sum(1 for i in range(0, len(flight), 3) if flight[i:i + 3] != predicted[i:i + 3])
    check(differing > 500, "F changed only %d pixels" % differing)
    print("ok: F fires: %d pixels changed" % differing)
    if shots:
        driver.save_screenshot(os.path.join(shots, "web-flight.png"))

    # The right button pans the view; no context menu comes up.
    ActionChains(driver).move_to_element_with_offset(canvas, 0, 0).context_click().perform()
    ActionChains(driver).move_to_element_with_offset(canvas, 0, 0).perform()

    press(driver, Keys.F12)
    name = None
    end = time.monotonic() + TIMEOUT
    while name is None and time.monotonic() < end:
        done = [f for f in os.listdir(downloads) if re.fullmatch(r"\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.png", f)]
        name = done[0] if done else None
        time.sleep(0.1)
    check(name is not None, "F12 downloaded no screenshot: %s" % os.listdir(downloads))
    with open(os.path.join(downloads, name), "rb") as f:
        check(f.read(8) == b"\x89PNG\r\n\x1a\n", "the screenshot %s is no PNG" % name)
    print("ok: F12 downloads %s" % name)

    press(driver, Keys.ESCAPE)
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end of the run")
    check(driver.execute_script("return qmPage.exitCode") == 0, "Esc did not end the run with exit status 0")
    check("ended" in driver.find_element(By.ID, "ended-text").text, "the page does not say the run ended")
    check(driver.find_element(By.ID, "again").is_displayed(), "no Start again")
    print("ok: Esc ends the run; the page offers to start again")


def open_maps(driver, url, scratch, shots):
    driver.get(url)
    wait_for(driver, "return !document.getElementById('dialog').hidden", "the dialog")
    picker = driver.find_element(By.ID, "open-map")
    driver.execute_script("arguments[0].hidden = false", picker)
    bmp = os.path.join(scratch, "my tower.bmp")
    shutil.copy(os.path.join(SITE, "..", "..", "maps", "tower.bmp"), bmp)
    maps = Select(driver.find_element(By.ID, "control-1007"))
    picker.send_keys(bmp)
    wait_for(driver, "return document.getElementById('control-1007').selectedOptions[0].text === 'my_tower.bmp'",
             "the opened map file in the list")
    # A paint program's 24-bit BMP is a map as the 1-bit one is.
    painted = os.path.join(scratch, "painted.bmp")
    write_bmp24(painted, 1200, 800, 533)
    picker.send_keys(painted)
    wait_for(driver, "return document.getElementById('control-1007').selectedOptions[0].text === 'painted.bmp'",
             "the opened 24-bit map in the list")
    picture = os.path.join(scratch, "valley.png")
    write_png(picture, 600, 300, 200)
    picker.send_keys(picture)
    wait_for(driver, "return document.getElementById('control-1007').selectedOptions[0].text === 'valley.bmp'",
             "the opened picture's map in the list")
    names = [option.text for option in maps.options]
    check(names == ["Flat map", "cave.bmp", "hills.bmp", "islands.bmp", "my_tower.bmp", "painted.bmp", "tower.bmp",
                    "valley.bmp", "Open a map\u2026"], "the map list is %s" % names)
    # A file that is no map is refused with its reason and lists nothing.
    bad = os.path.join(scratch, "notes.bmp")
    with open(bad, "w") as f:
        f.write("not a picture")
    picker.send_keys(bad)
    wait_for(driver, "return !document.getElementById('box').hidden", "the refusal of notes.bmp")
    text = driver.find_element(By.ID, "box-text").text
    check(text == "Cannot open notes.bmp: not a BMP file", "the refusal says %r" % text)
    driver.find_element(By.ID, "box-ok").click()
    check([option.text for option in maps.options] == names, "the refused file changed the map list")
    print("ok: a file that is no map is refused: %s" % text)
    driver.execute_script("arguments[0].hidden = true", picker)
    driver.find_element(By.CSS_SELECTOR, "#control-1004 input").click()
    press(driver, Keys.ENTER)
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the opened map's first frame")
    # The picture's lower third is terrain: once the units have landed the
    # ground fills the frame's bottom rows.
    started = time.monotonic()
    dark = 0
    while dark <= 40 and time.monotonic() - started < TIMEOUT:
        time.sleep(0.25)
        frame = canvas_pixels(driver)
        dark = sum(1 for x in range(0, 800, 10) if pixel(frame, x, 450) != pixel(frame, x, 100))
    check(dark > 40, "the opened picture's terrain is not on the frame")
    if shots:
        driver.save_screenshot(os.path.join(shots, "web-opened.png"))
    print("ok: a map file, a 24-bit BMP and a picture opened from disk join the list; the picture's map loads (ground "
          "on the frame after %.1f s)" % (time.monotonic() - started))
    press(driver, "c")
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end of the run after C")


def first_frame(driver, url):
    driver.get(url + "?map=hills.bmp&wind=fixed:5:180")
    first = wait_for(driver, "return qmPage.firstFrameMs", "the quick start's first frame")
    transferred = driver.execute_script("""
        const n = performance.getEntriesByType('navigation')[0];
        return performance.getEntriesByType('resource').reduce((sum, r) => sum + r.transferSize, n.transferSize);""")
    print("measured: navigation to first frame %.0f ms; %d bytes transferred, cold cache, uncompressed server"
          % (first, transferred))
    check(transferred <= FIRST_LOAD_BYTES, "the first load takes %d bytes, over %d" % (transferred, FIRST_LOAD_BYTES))
    # The program writes the sample maps the page no longer downloads: the
    # same bytes as the repository's.
    for name in sorted(os.listdir(os.path.join(SITE, "..", "..", "maps"))):
        written = driver.execute_script("const b = Module.FS.readFile('/maps/' + arguments[0]); let s = '';"
                                        "for (const x of b) s += String.fromCharCode(x); return btoa(s);", name)
        with open(os.path.join(SITE, "..", "..", "maps", name), "rb") as f:
            check(base64.b64decode(written) == f.read(), "the page's /maps/%s differs from maps/%s" % (name, name))
    print("ok: the first load is at most %d bytes; the program wrote the sample maps as in maps/" % FIRST_LOAD_BYTES)
    box = driver.execute_script("const b = document.getElementById('frame').getBoundingClientRect();"
                                "return [b.left, b.top, b.width, b.height, innerWidth, innerHeight];")
    check(box[:4] == [0, 0, box[4], box[5]], "the stretched canvas is at %s, not over the whole window" % box)
    print("ok: the quick start's Stretch Fullscreen covers the browser window (%d by %d)" % (box[4], box[5]))
    press(driver, Keys.ESCAPE)
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end of the quick start")


def sixteen_bits(driver, url):
    driver.get(url)
    wait_for(driver, "return !document.getElementById('dialog').hidden", "the dialog")
    driver.find_element(By.CSS_SELECTOR, "#control-1003 input").click()
    driver.find_element(By.ID, "control-1006").click()
    wait_for(driver, "return !document.getElementById('box').hidden", "the message box")
    text = driver.find_element(By.ID, "box-text").text
    check(text == "Unable to change resolution.", "the 16-bit mode's box says %r" % text)
    driver.find_element(By.ID, "box-ok").click()
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end after the box")
    check(driver.execute_script("return qmPage.exitCode") == 1, "the refused mode does not end with exit status 1")
    print("ok: the 16-bit mode shows 'Unable to change resolution.' and ends with exit status 1")


HISTORY = "/home/web_user/.local/share/qmsim/history.jsonl"


def drill_history(driver, url):
    address = url + "?drill=still&seed=7"
    driver.get(address)
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the drill's first frame")
    # The map loads, the units land and the round begins.
    time.sleep(4)
    press(driver, "f")
    time.sleep(1)
    # Esc leaves the drill for free practice, its line gone from the HUD; a
    # second Esc quits.
    press(driver, Keys.ESCAPE)
    time.sleep(0.5)
    check(driver.execute_script("return document.getElementById('ended').hidden"),
          "Esc in a running drill ended the simulator")
    pixels = canvas_pixels(driver)
    drill_line = sum(1 for x in range(30, 430) for y in range(8, 24) if pixel(pixels, x, y) == (255, 255, 255))
    check(drill_line == 0, "the drill's line is still in the HUD after Esc (%d white pixels)" % drill_line)
    print("ok: Esc in a running drill gives back free practice")
    press(driver, Keys.ESCAPE)
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end of the drill")
    # A new page: a new program whose files start empty but for the storage's.
    driver.get(address)
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the drill again")
    lines = driver.execute_script("const FS = Module.FS; const path = arguments[0];"
                                  "return FS.analyzePath(path).exists ? FS.readFile(path, {encoding: 'utf8'}) : '';",
                                  HISTORY).splitlines()
    check(len(lines) == 1, "the stored history holds %d lines, not one: %s" % (len(lines), lines))
    for part in ['"drill":"Still air"', '"seed":7,', '"shots":1,', '"abandoned":true']:
        check(part in lines[0], "the stored history line has no %s: %s" % (part, lines[0]))
    print("ok: the drill's history line is in the browser's storage after the page is loaded again")
    press(driver, Keys.ESCAPE)
    press(driver, Keys.ESCAPE)
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end of the drill again")


def main():
    global SITE
    SITE = os.path.abspath(sys.argv[1])
    scratch = os.path.abspath(sys.argv[2])
    shots = os.environ.get("QM_WEB_SHOTS")
    downloads = os.path.join(scratch, "downloads")
    os.makedirs(downloads, exist_ok=True)
    for name in ["index.html", "qmsim.js.gz", "qmsim.wasm.gz"]:
        if not os.path.isfile(os.path.join(SITE, name)):
            print("FAIL: %s/%s is not built (make web builds the site; make test does so first)" % (SITE, name))
            return 1
    server = serve(SITE)
    url = "http://127.0.0.1:%d/" % server.server_address[1]
    driver = start_browser(downloads)
    try:
        first_frame(driver, url)
        driver.get(url)
        check_dialog(driver, shots)
        play_round(driver, shots, downloads)
        open_maps(driver, url, scratch, shots)
        sixteen_bits(driver, url)
        drill_history(driver, url)
        challenges(driver, url)
        full_storage(driver, url)
        page_files(driver, url, scratch, downloads, SITE)
        touch_screen(driver, url, shots)
        phones(driver, url, shots)
        offline(driver, SITE, scratch)
        errors = console_errors(driver)
        check(not errors, "errors in the browser console: %s" % errors)
        print("ok: no error in the browser console")
    except Failure as failure:
        print("FAIL: %s" % failure)
        for entry in driver.get_log("browser"):
            print("console: %s %s" % (entry["level"], entry["message"]))
        return 1
    finally:
        driver.quit()
        server.shutdown()
    return 0


if __name__ == "__main__":
    sys.exit(main())
