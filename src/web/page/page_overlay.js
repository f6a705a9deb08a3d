// The text of the overlay the frame shows (the help, a menu, the results,
// the controls screen), shown again as the page's own text over the frame
// when the frame is scaled down, so it stays readable on a small screen: at
// least MIN_FONT CSS pixels, as large as the frame's width allows, with the
// rest scrolled. The frame's pixels stay as the program drew them.
"use strict";

(function (page) {
  const byId = page.byId;
  const canvas = page.canvas;
  // The smallest text shown, in CSS pixels, and the largest.
  const MIN_FONT = 12;
  const MAX_FONT = 18;
  // A monospaced character's width for each pixel of its font's size.
  const CHARACTER_WIDTH = 0.6;
  // A frame shown at less than this share of its size has its overlays'
  // text shown again; one a few pixels short of it (moved up for the
  // challenge's bar) keeps its own.
  const SHRUNK = 0.95;

  const overlay = document.createElement("pre");
  overlay.id = "overlay";
  overlay.hidden = true;
  overlay.setAttribute("role", "dialog");
  document.body.append(overlay);
  let text = "";

  function shown(screen, lines) {
    if (lines === text) return;
    text = lines;
    overlay.textContent = lines;
    overlay.scrollTop = 0;
    place();
  }

  // Over the frame, while the frame shows smaller than its pixels.
  function place() {
    const box = canvas.getBoundingClientRect();
    const shrunk = Math.min(box.width / canvas.width, box.height / canvas.height) < SHRUNK;
    const visible = text !== "" && page.mainVisible && box.width > 0 && shrunk;
    if (overlay.hidden === visible) overlay.hidden = !visible;
    if (!visible) return;
    const columns = Math.max(...text.split("\n").map((line) => line.length), 1);
    const size = Math.max(MIN_FONT, Math.min(MAX_FONT, Math.floor((box.width - 20) / (columns * CHARACTER_WIDTH))));
    const values = { left: box.left + "px", top: box.top + "px", width: box.width + "px", height: box.height + "px",
                     fontSize: size + "px" };
    for (const [side, value] of Object.entries(values)) {
      if (overlay.style[side] !== value) overlay.style[side] = value;
    }
  }

  page.onScreen.push(shown);
  page.everyFrame.push(place);
})(window.qmPage);
