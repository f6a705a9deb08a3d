"""Challenges on the page: a ?challenge= link plays that drill with its
draws, and its results give the code back with the outcome; a code the
program refuses is shown in the form with its reason and never played."""
import time

from browser_support import By, Keys, check, press, wait_for

# qmsim challenge one.drill --seed 7 --score 579 --name Ann, where one.drill
# is one round of one shot, on the flat map, 300 pixels off, in no wind: the
# default aim flies far past, so the score to beat stands.
ONE_SHOT = "qm1-YAEBLAEsAQAAAABnAQcAAAAIT25lIHNob3QDQW5uQwIAAEOZfvQ"

REFUSED = [
    # The last character changed: the check no longer matches.
    ("qm1-YAEBLAEsAQAAAABnAQcAAAAIT25lIHNob3QDQW5uQwIAAEOZfvA", "a damaged code"),
    ("qm9-YAEBLAEsAQAAAABnAQcAAAAIT25lIHNob3QDQW5uQwIAAEOZfvQ", "from a later version"),
]


def play_link(driver, url):
    driver.get(url + "?mode=windowed&challenge=" + ONE_SHOT)
    wait_for(driver, "return document.getElementById('frame').dataset.shown === '1'", "the challenge's first frame")
    check(driver.execute_script("return document.getElementById('results').hidden"), "results before the drill ends")
    # The units land and the round begins; then the one shot.
    time.sleep(4)
    press(driver, "f")
    wait_for(driver, "return !document.getElementById('results').hidden", "the challenge's results")
    code = driver.find_element(By.ID, "results-link").text
    check(code.startswith("qm1-") and code != ONE_SHOT, "the results give the code %r" % code)
    line = driver.find_element(By.ID, "results-line").text
    check(line == "(score 0: lost against 579 (Ann))", "the results say %r" % line)
    href = driver.find_element(By.ID, "results-link").get_attribute("href")
    check(href.endswith("?challenge=" + code), "the results' link is %s" % href)
    frame, bar = driver.execute_script("return ['frame', 'results'].map((id) => {"
                                       "const b = document.getElementById(id).getBoundingClientRect();"
                                       "return [b.top, b.bottom]; })")
    check(bar[0] >= frame[1] - 0.5, "the challenge's bar %s is over the frame %s" % (bar, frame))
    check(driver.execute_script("return document.getElementById('overlay').hidden"),
          "the results' text is shown again over a frame at its own size")
    print("ok: ?challenge= plays the drill; the results give %s, %s" % (code, line))
    # Copy link hands the link to the clipboard (caught on its way there).
    driver.execute_script("Object.defineProperty(navigator, 'clipboard', {configurable: true, value: {"
                          "writeText: (text) => { window.qmCopied = text; return Promise.resolve(); }}});")
    check(driver.find_element(By.ID, "results").text.startswith("Send this link: " + code),
          "the results say %r" % driver.find_element(By.ID, "results").text)
    driver.find_element(By.ID, "results-copy").click()
    wait_for(driver, "return document.getElementById('results-said').textContent === 'Link copied.'", "the link copied")
    copied = driver.execute_script("return window.qmCopied")
    check(copied == href, "Copy link copied %r" % copied)
    print("ok: Copy link copies %s" % copied)
    # So does the program's copy key, the bar saying how it went.
    driver.execute_script("window.qmCopied = null; document.getElementById('results-said').textContent = '';")
    press(driver, "y")
    wait_for(driver, "return window.qmCopied !== null", "the link copied by Y")
    copied = driver.execute_script("return window.qmCopied")
    check(copied == href, "Y copied %r" % copied)
    print("ok: Y copies %s" % copied)
    press(driver, Keys.ESCAPE)
    press(driver, Keys.ESCAPE)
    wait_for(driver, "return !document.getElementById('ended').hidden", "the end after the challenge")


def refused_codes(driver, url):
    for code, reason in REFUSED:
        driver.get(url + "?challenge=" + code)
        wait_for(driver, "return !document.getElementById('dialog').hidden", "the form after a refused code")
        shown = driver.find_element(By.ID, "refusal").text
        check(shown.startswith("qmsim: --challenge: ") and reason in shown, "the form says %r for %s" % (shown, code))
        check(driver.execute_script("return document.getElementById('frame').dataset.shown !== '1'"),
              "a refused code was played")
        print("ok: %s is refused in the form: %s" % (code, shown))


def challenges(driver, url):
    play_link(driver, url)
    refused_codes(driver, url)
