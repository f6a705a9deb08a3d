// The page's input: keys by their physical code, as the program's
// virtual keys, the mouse wheel (and a touchpad's scroll) in notches, and
// the right-button pan under a pointer lock.
"use strict";

(function (page) {
  const codes = page.codes;
  const canvas = page.canvas;
  let pan = null;            // {x, y} press point while the right button pans

  function modifiers(event) {
    return (event.shiftKey ? codes.MOD_SHIFT : 0) | (event.ctrlKey ? codes.MOD_CONTROL : 0) |
      (event.altKey ? codes.MOD_ALT : 0);
  }

  function onKey(event) {
    if (page.boxOpen !== null) {
      if (event.type === "keydown" && (event.code === "Enter" || event.code === "Escape" || event.code === "Space")) {
        event.preventDefault();
        page.boxOpen();
      }
      return;
    }
    const vk = codes.keys[event.code];
    if (vk === undefined || (!page.mainVisible && !page.formVisible)) return;
    // Keys the program uses do nothing else: no scrolling, no browser tools.
    // The others keep what the browser does with them.
    const used = page.mainVisible ? page.controlsScreenOpen || page.boundKeys.has(vk)
                                  : vk === codes.VK_RETURN || vk === codes.VK_ESCAPE;
    if (used) event.preventDefault();
    if (event.repeat) return;
    const message = event.type === "keydown" ? codes.WM_KEYDOWN : codes.WM_KEYUP;
    page.push(page.mainVisible ? codes.MAIN : codes.DIALOG, message, vk, 0, 0, modifiers(event));
  }
  window.addEventListener("keydown", onKey, true);
  window.addEventListener("keyup", onKey, true);

  // --- The wheel ---------------------------------------------------------------
  // A notch as browsers report it: 100 pixels, or 3 lines; a page is one.
  const NOTCH_PIXELS = 100;
  const NOTCH_LINES = 3;
  const TURN_LIMIT = 32767;

  canvas.addEventListener("wheel", (event) => {
    if (!page.mainVisible) return;
    event.preventDefault();
    const notch = event.deltaMode === WheelEvent.DOM_DELTA_PIXEL ? NOTCH_PIXELS
      : event.deltaMode === WheelEvent.DOM_DELTA_LINE ? NOTCH_LINES : 1;
    // The page's scroll runs down the page; the program's turn is away from
    // the user, in 120ths of a notch, fractions added up by the program.
    const turn = Math.max(-TURN_LIMIT, Math.min(TURN_LIMIT, Math.round(-event.deltaY * codes.WHEEL_NOTCH / notch)));
    if (turn !== 0) page.push(codes.MAIN, codes.WM_MOUSEWHEEL, (turn & 0xFFFF) << 16, 0, 0, 0);
  }, { passive: false });

  // --- The right-button pan -------------------------------------------------
  function endPan() {
    if (pan === null) return;
    page.push(codes.MAIN, codes.WM_RBUTTONUP, 0, pan.x, pan.y, 0);
    pan = null;
    if (document.pointerLockElement === canvas) document.exitPointerLock();
  }

  // Canvas pixels of the browser window's CSS pixels, as the desktop's
  // window pixels.
  function canvasPoint(event) {
    const box = canvas.getBoundingClientRect();
    return { x: Math.round(event.clientX - box.left), y: Math.round(event.clientY - box.top) };
  }

  canvas.addEventListener("contextmenu", (event) => event.preventDefault());
  canvas.addEventListener("mousedown", (event) => {
    if (event.button !== 2 || pan !== null || !page.mainVisible) return;
    event.preventDefault();
    pan = canvasPoint(event);
    page.push(codes.MAIN, codes.WM_RBUTTONDOWN, 0, pan.x, pan.y, 0);
    // The lock holds the pointer at the press point, as the desktop puts it
    // back; where it is refused, the pointer moves on.
    try {
      const request = canvas.requestPointerLock();
      if (request && request.catch) request.catch(() => {});
    } catch (error) {
      // No lock: the view follows the pointer's travel all the same.
    }
  });
  document.addEventListener("mousemove", (event) => {
    if (pan === null) return;
    // Each move reports its travel from the press point, as the desktop
    // reports it with the pointer put back after each move.
    const right = Math.max(canvas.clientWidth - 1, 0);
    const bottom = Math.max(canvas.clientHeight - 1, 0);
    const x = Math.min(Math.max(pan.x + event.movementX, 0), right);
    const y = Math.min(Math.max(pan.y + event.movementY, 0), bottom);
    page.push(codes.MAIN, codes.WM_MOUSEMOVE, 0, x, y, 0);
  });
  document.addEventListener("mouseup", (event) => {
    if (event.button === 2) endPan();
  });
  document.addEventListener("pointerlockchange", () => {
    if (document.pointerLockElement !== canvas) endPan();
  });
  window.addEventListener("blur", endPan);

  page.atEnd.push(endPan);
})(window.qmPage);
