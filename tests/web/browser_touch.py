"""The page on a phone-sized touch screen (Chromium's touch emulation, through
the driver): the form centred with Start and Exit in reach, the frame kept
4:3 between the touch buttons, holding + and the up arrow changes the power
and the angle, the close button ends the run, and an upright phone is asked
to turn."""
import os
import time

from browser_support import By, canvas_pixels, check, wait_for


PHONE = (844, 390)
# The aim line "ang: 50.0 pow: 2.50" at (100, 550): the angle's digits and
# the power's, in frame pixels.
ANGLE_DIGITS = (140, 550, 180, 566)
POWER_DIGITS = (220, 550, 260, 566)


def region(pixels, box):
    left, top, right, bottom = box
    return b"".join(pixels[(y * 800 + left) * 3:(y * 800 + right) * 3] for y in range(top, bottom))


def phone(driver, width, height):
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 1, "mobile": True,
        "screenOrientation": {"type": "landscapePrimary" if width > height else "portraitPrimary",
                              "angle": 90 if width > height else 0}})


def touch_box(driver, element):
    return driver.execute_script("const b = arguments[0].getBoundingClientRect();"
                                 "return [b.left, b.top, b.width, b.height];", element)


def tap(driver, element, hold=0.0):
    left, top, width, height = touch_box(driver, element)
    point = {"x": left + width / 2, "y": top + height / 2}
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [point]})
    time.sleep(hold)
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


def touch_screen(driver, url, shots):
    phone(driver, *PHONE)
    driver.get(url)
    wait_for(driver, "return !document.getElementById('dialog').hidden && "
                     "getComputedStyle(document.getElementById('dialog')).getPropertyValue('--fit') !== ''",
             "the dialog fitted to the phone")
    for control in ["control-1006", "control-1010"]:
        left, top, width, height = touch_box(driver, driver.find_element(By.ID, control))
        check(top >= 0 and top + height <= PHONE[1] and left >= 0 and left + width <= PHONE[0],
              "%s is out of reach on a phone: %s" % (control, [left, top, width, height]))
    left, top, width, height = touch_box(driver, driver.find_element(By.ID, "dialog"))
    check(abs(left + width / 2 - PHONE[0] / 2) <= 2 and abs(top + height / 2 - PHONE[1] / 2) <= 2,
          "the form is not centred: %s" % [left, top, width, height])
    if shots:
        driver.save_screenshot(os.path.join(shots, "web-phone-dialog.png"))
    print("ok: on a phone the form is centred with Start and Exit in reach")
    tap(driver, driver.find_element(By.ID, "control-1006"))
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the frame on the phone")
    left, top, width, height = touch_box(driver, driver.find_element(By.ID, "frame"))
    check(abs(width / height - 4 / 3) < 0.01, "the stretched frame is %s by %s, not 4:3" % (width, height))
    panels = [touch_box(driver, driver.find_element(By.ID, side)) for side in ["touch-left", "touch-right"]]
    check(panels[0][0] + panels[0][2] <= left + 0.5 and left + width <= panels[1][0] + 0.5,
          "the frame %s overlaps the buttons %s" % ([left, top, width, height], panels))
    print("ok: the frame keeps its shape between the touch buttons")
    time.sleep(2.5)  # the units land
    before = canvas_pixels(driver)
    tap(driver, driver.find_element(By.CSS_SELECTOR, ".touch-button[data-label='+']"), hold=0.5)
    time.sleep(0.2)
    powered = canvas_pixels(driver)
    check(region(powered, POWER_DIGITS) != region(before, POWER_DIGITS), "holding + does not change the power")
    check(region(powered, ANGLE_DIGITS) == region(before, ANGLE_DIGITS), "holding + changes the angle")
    tap(driver, driver.find_element(By.CSS_SELECTOR, ".touch-button[data-label='^']"), hold=0.5)
    time.sleep(0.2)
    aimed = canvas_pixels(driver)
    check(region(aimed, ANGLE_DIGITS) != region(powered, ANGLE_DIGITS), "holding the up arrow does not change the angle")
    print("ok: holding the touch buttons + and up changes the power and the angle")
    if shots:
        driver.save_screenshot(os.path.join(shots, "web-phone.png"))
    tap(driver, driver.find_element(By.CSS_SELECTOR, ".touch-button[data-label='X']"))
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end of the run after the close button")
    print("ok: the close button ends the run")
    phone(driver, PHONE[1], PHONE[0])
    driver.get(url)
    wait_for(driver, "return getComputedStyle(document.getElementById('turn')).display !== 'none'",
             "the word to turn an upright phone")
    print("ok: an upright phone is asked to turn")
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
