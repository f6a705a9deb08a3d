"""The browser's storage full (its quota set to one byte): a drill's results
say "history not saved: " with the reason and the line waits in the page's
stash; the next visit shows the form at once and keeps the line waiting;
once the storage has room, the next visit stores it and empties the stash."""
import json
import time

from browser_challenge import ONE_SHOT
from browser_files import clear_storage, form, stored_history
from browser_support import By, Keys, check, press, wait_for

STASH = "qmsim-unsaved-history"
# The program's lines on standard error while the storage is full.
EXPECTED_ERRORS = ["qmsim: history not saved", "qmsim: the history and the controls are kept only while the page is open"]
# A visit with the storage full shows the form as quickly as any.
FORM_SECONDS = 10


def same_session(a, b):
    return all(a[key] == b[key] for key in ["time", "drill", "digest", "seed", "shots", "score", "abandoned"])


def stash(driver):
    return driver.execute_script("return localStorage.getItem(arguments[0]) || ''", STASH)


def set_quota(driver, url, size):
    quota = {"origin": url.rstrip("/")}
    if size is not None:
        quota["quotaSize"] = size
    driver.execute_cdp_cmd("Storage.overrideQuotaForOrigin", quota)


def results_not_saved(driver, url):
    driver.get(url + "?mode=windowed&challenge=" + ONE_SHOT)
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the challenge's first frame")
    time.sleep(4)
    press(driver, "f")
    wait_for(driver, "return !document.getElementById('results').hidden", "the results with the storage full")
    line = driver.find_element(By.ID, "results-line").text
    check("; history not saved: " in line and len(line.split("history not saved: ")[1]) > 2,
          "the results say %r" % line)
    kept = stash(driver)
    check(kept.count("\n") == 1 and '"drill":"One shot"' in kept, "the stash holds %r" % kept)
    print("ok: with the storage full the results say %s and the line waits in the stash" % line)
    press(driver, Keys.ESCAPE)
    press(driver, Keys.ESCAPE)
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end with the storage full")
    return kept


def next_visit(driver, url, kept, stored):
    start = time.monotonic()
    form(driver, url)
    took = time.monotonic() - start
    check(took < FORM_SECONDS, "the form took %.1f s" % took)
    if stored:
        wait_for(driver, "return !localStorage.getItem('%s')" % STASH, "the stash emptied")
        stored = stored_history(driver)
        check(stored.count("\n") == 1 and same_session(json.loads(stored), json.loads(kept)),
              "the stored history is %r, not %r" % (stored, kept))
    else:
        check(stash(driver) == kept, "the stash holds %r, not %r" % (stash(driver), kept))
    return took


def full_storage(driver, url):
    clear_storage(driver, url)
    set_quota(driver, url, 1)
    try:
        kept = results_not_saved(driver, url)
        took = next_visit(driver, url, kept, stored=False)
        print("ok: the next visit with the storage still full shows the form in %.1f s, the line still waiting" % took)
    finally:
        set_quota(driver, url, None)
    took = next_visit(driver, url, kept, stored=True)
    print("ok: with room again the next visit (%.1f s) stores the waiting line and empties the stash" % took)
    clear_storage(driver, url)
    # What the program said on standard error is in the console; nothing else.
    unexpected = [entry["message"] for entry in driver.get_log("browser")
                  if entry["level"] == "SEVERE" and not any(said in entry["message"] for said in EXPECTED_ERRORS)]
    check(not unexpected, "errors in the browser console with the storage full: %s" % unexpected)
