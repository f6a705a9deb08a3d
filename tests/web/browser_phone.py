"""The page on phones by taps alone (Chromium's touch emulation at 844 by 390
and 667 by 375): the form's controls and every touch button shown measured
at 44 CSS pixels or more; the help, the controls screen and the drill menu
shown again as text of 12 CSS pixels or more, the controls screen moved in
and closed; a drill chosen from the menu, shot and left, the close button
then ending the run; a challenge played to its results, whose text names the
buttons, sent with Share (through a share sheet where the browser has one,
else the link copied), shot again and left; the challenge's bar between the
panels and under the frame; and without touch, in a window smaller than the
frame, the help shown again readable."""
import json
import os
import time

from browser_challenge import ONE_SHOT
from browser_support import By, Keys, check, press, wait_for
from browser_touch import phone, tap, touch_box

SIZES = [(844, 390), (667, 375)]
TARGET = 44     # the smallest touch target, CSS pixels
SMALLEST = 12   # the smallest overlay text, CSS pixels


def small_targets(driver, selector):
    return driver.execute_script("""
        return [...document.querySelectorAll(arguments[0])].filter((e) => e.offsetParent !== null)
            .map((e) => { const b = e.getBoundingClientRect();
                          return [e.id || e.dataset.screen + ':' + e.dataset.label, b.width, b.height]; })
            .filter((t) => t[1] < arguments[1] || t[2] < arguments[1]);""", selector, TARGET)


def check_buttons(driver, screen, where):
    wait_for(driver, "return document.body.dataset.screen === %s" % json.dumps(screen), "the %s buttons" % screen)
    shown = driver.execute_script("return [...document.querySelectorAll('.touch-button')]"
                                  ".filter((b) => b.offsetParent !== null).map((b) => b.dataset.screen)")
    check(shown and all(s == screen for s in shown), "%s the buttons shown are %s" % (where, shown))
    small = small_targets(driver, ".touch-button")
    check(not small, "%s buttons under %d px: %s" % (where, TARGET, small))
    return len(shown)


def button(driver, screen, label):
    return driver.find_element(By.CSS_SELECTOR, ".touch-button[data-screen='%s'][data-label='%s']" % (screen, label))


def press_button(driver, screen, label, hold=0.05):
    check_buttons(driver, screen, "before %s:" % label)
    tap(driver, button(driver, screen, label), hold)
    time.sleep(0.1)


def overlay_says(driver, text, where):
    wait_for(driver, "const o = document.getElementById('overlay');"
                     "return !o.hidden && o.textContent.includes(%s)" % json.dumps(text), where)
    size = driver.execute_script("return parseFloat(getComputedStyle(document.getElementById('overlay')).fontSize)")
    check(size >= SMALLEST, "%s is %s px high" % (where, size))
    return size


def check_form(driver, size, shots):
    wait_for(driver, "return !document.getElementById('dialog').hidden && "
                     "getComputedStyle(document.getElementById('dialog')).getPropertyValue('--fit') !== ''",
             "the form on the phone")
    controls = "#dialog-body .radio, #dialog-body select, #dialog-body button, #page-tools button, #dialog-close"
    small = small_targets(driver, controls)
    check(not small, "the form's controls under %d px on a phone: %s" % (TARGET, small))
    for control in ["control-1006", "control-1010"]:
        left, top, width, height = touch_box(driver, driver.find_element(By.ID, control))
        check(top >= 0 and top + height <= size[1] and left >= 0 and left + width <= size[0],
              "%s is out of reach at %s: %s" % (control, size, [left, top, width, height]))
    if shots:
        driver.save_screenshot(os.path.join(shots, "web-phone-form-%dx%d.png" % size))


def drill_by_taps(driver, size, shots):
    tap(driver, driver.find_element(By.ID, "control-1006"))
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the frame")
    time.sleep(2.5)  # the units land
    count = check_buttons(driver, "play", "in play:")
    press_button(driver, "play", "?")
    font = overlay_says(driver, "Help - the buttons around the frame", "the help")
    if shots:
        driver.save_screenshot(os.path.join(shots, "web-phone-help-%dx%d.png" % size))
    press_button(driver, "play", "?")
    wait_for(driver, "return document.getElementById('overlay').hidden", "the help closed")
    press_button(driver, "play", "Keys")
    overlay_says(driver, "Controls - tap Up/Down, Change adds an input, Back closes", "the controls screen")
    check_buttons(driver, "controls", "on the controls screen:")
    press_button(driver, "controls", "v")
    press_button(driver, "controls", "Back")
    check_buttons(driver, "play", "after the controls screen:")
    press_button(driver, "play", "Drills")
    overlay_says(driver, "Drills - tap Up/Down, Start starts, Back closes", "the drill menu")
    check_buttons(driver, "menu", "in the drill menu:")
    if shots:
        driver.save_screenshot(os.path.join(shots, "web-phone-menu-%dx%d.png" % size))
    press_button(driver, "menu", "v")
    press_button(driver, "menu", "Start")
    check_buttons(driver, "play", "in the drill:")
    time.sleep(3)
    press_button(driver, "play", "Fire")
    time.sleep(1)
    press_button(driver, "play", "X")  # leaves the drill, as Esc does
    time.sleep(0.5)
    check(driver.execute_script("return document.getElementById('ended').hidden"), "the close button ended the run "
          "rather than leaving the drill")
    press_button(driver, "play", "X")
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end after the second close")
    print("ok: at %dx%d by taps: %d buttons in play, the help at %.0f px, a drill chosen, shot and left"
          % (size + (count, font)))


def share(driver, where):
    tap(driver, driver.find_element(By.ID, "results-share"))
    return wait_for(driver, "return document.getElementById('results-said').textContent", "what Share did " + where)


def challenge_by_taps(driver, url, size, shots):
    driver.get(url + "?challenge=" + ONE_SHOT)
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the challenge's first frame")
    time.sleep(4)
    press_button(driver, "play", "Fire")
    wait_for(driver, "return !document.getElementById('results').hidden", "the challenge's results")
    check_buttons(driver, "results", "on the results:")
    overlay_says(driver, "Tap Again: shoot the challenge again   Tap Back: free practice", "the results' keys")
    time.sleep(0.3)  # the frame makes room for the bar
    bar = touch_box(driver, driver.find_element(By.ID, "results"))
    frame = touch_box(driver, driver.find_element(By.ID, "frame"))
    panels = [touch_box(driver, driver.find_element(By.ID, side)) for side in ["touch-left", "touch-right"]]
    check(bar[0] >= panels[0][0] + panels[0][2] - 0.5 and bar[0] + bar[2] <= panels[1][0] + 0.5,
          "the challenge's bar %s is under the panels %s" % (bar, panels))
    check(bar[1] >= frame[1] + frame[3] - 0.5 and bar[1] + bar[3] <= size[1] + 0.5,
          "the challenge's bar %s is over the frame %s" % (bar, frame))
    small = small_targets(driver, "#results button")
    check(not small, "a button of the bar is under %d px: %s" % (TARGET, small))
    if shots:
        driver.save_screenshot(os.path.join(shots, "web-phone-results-%dx%d.png" % size))
    link = driver.find_element(By.ID, "results-link").get_attribute("href")
    # A browser with a share sheet: it gets the link and a line.
    driver.execute_script("window.sharedWith = null; navigator.share = (data) => { sharedWith = data; "
                          "return Promise.resolve(); };")
    check(share(driver, "with a share sheet") == "Shared.", "Share with a share sheet does not say Shared.")
    shared = driver.execute_script("return sharedWith")
    code = driver.find_element(By.ID, "results-link").text
    check(shared["url"] == link and code in shared["text"] and "lost against 579" in shared["text"],
          "the share sheet got %s" % shared)
    # Without one: the link copied.
    driver.execute_script("delete navigator.share; navigator.share = undefined;"
                          "document.getElementById('results-said').textContent = '';")
    said = share(driver, "without a share sheet")
    check(said == "Link copied.", "Share without a share sheet says %r" % said)
    copied = driver.execute_async_script("navigator.clipboard.readText().then(arguments[0], (e) => arguments[0](''))")
    check(copied == link, "the clipboard holds %r, not the link %r" % (copied, link))
    press_button(driver, "results", "Again")
    wait_for(driver, "return document.getElementById('results').hidden", "the challenge shot again")
    time.sleep(3)
    press_button(driver, "play", "Fire")
    wait_for(driver, "return !document.getElementById('results').hidden", "the results again")
    press_button(driver, "results", "Back")
    wait_for(driver, "return document.getElementById('results').hidden && document.body.dataset.screen === 'play'",
             "free practice after Back")
    press_button(driver, "play", "X")
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end after free practice")
    print("ok: at %dx%d by taps: a challenge's results name the buttons, the bar clear of the frame and the panels, "
          "Share through a share sheet and by copying, shot again and left" % size)


def small_window(driver, url):
    """Without touch, in a window smaller than the frame: the help readable."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 640, "height": 400, "deviceScaleFactor": 1, "mobile": False})
    driver.get(url + "?map=hills.bmp")
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the frame in a small window")
    check(driver.execute_script("return document.querySelectorAll('.touch-button').length") == 0,
          "touch buttons without touch")
    press(driver, Keys.F1)
    size = overlay_says(driver, "Help - keyboard and mouse", "the help in a small window")
    press(driver, Keys.F1)
    wait_for(driver, "return document.getElementById('overlay').hidden", "the help closed in a small window")
    press(driver, Keys.ESCAPE)
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end in a small window")
    print("ok: without touch in a 640x400 window the help is shown again at %.0f px" % size)


def phones(driver, url, shots):
    driver.execute_cdp_cmd("Browser.grantPermissions",
                           {"permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    for size in SIZES:
        phone(driver, *size)
        driver.get(url)
        check_form(driver, size, shots)
        drill_by_taps(driver, size, shots)
        challenge_by_taps(driver, url, size, shots)
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
    small_window(driver, url)
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
