// The page around the WebAssembly program (src/web/web_js.cpp calls it):
// the configuration form made from the dialog model, the canvas, keys by
// their physical code, the right-button pan under a pointer lock, the clock
// of animation frames that stops while the page is hidden, opened maps,
// downloads, and the end of a run.
"use strict";

(function () {
  const WM_PAINT = 0x000f;
  const WM_CLOSE = 0x0010;
  const WM_KEYDOWN = 0x0100;
  const WM_KEYUP = 0x0101;
  const WM_MOUSEMOVE = 0x0200;
  const WM_RBUTTONDOWN = 0x0204;
  const WM_RBUTTONUP = 0x0205;
  const MOD_SHIFT = 1;
  const MOD_CONTROL = 2;
  const MOD_ALT = 4;
  const MAIN = 0;
  const DIALOG = 1;
  const BN_CLICKED = 0;
  const CBN_SELCHANGE = 1;
  const MAP_LIST = 1007;
  // A gap between two animation frames longer than this is a stall: the
  // clock skips it rather than owe its ticks.
  const STALL_MS = 100;
  const MAX_PICTURE_PIXELS = 1 << 26;

  // Virtual-key codes by physical key.
  const keys = {
    Enter: 0x0d, NumpadEnter: 0x0d, Escape: 0x1b, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27,
    ArrowDown: 0x28, NumpadAdd: 0x6b, NumpadSubtract: 0x6d, F12: 0x7b, Equal: 0xbb, Minus: 0xbd,
  };
  for (let c = 0; c < 26; ++c) keys["Key" + String.fromCharCode(65 + c)] = 65 + c;
  for (let d = 0; d < 10; ++d) keys["Digit" + d] = 48 + d;

  const byId = (id) => document.getElementById(id);
  const canvas = byId("frame");
  const context = canvas.getContext("2d", { alpha: false, willReadFrequently: true });
  let image = null;

  const queue = [];          // [window, message, wparam, x, y, modifiers]
  const actions = [];        // [control id, notification, list entry]
  const opened = [];         // {name, bytes, picture, width, height}
  const controls = new Map(); // control id -> element
  let wake = null;
  let dueAt = -1;
  let paused = 0;            // ms of page time given up: hidden or stalled
  let hiddenSince = document.hidden ? performance.now() : null;
  let lastFrame = null;
  let mainVisible = false;
  let formVisible = false;
  let pan = null;            // {x, y} press point while the right button pans
  let boxOpen = null;        // closes the open message box

  function clock() {
    const now = hiddenSince !== null ? hiddenSince : performance.now();
    return now - paused;
  }

  function resume() {
    if (wake === null) return;
    const done = wake;
    wake = null;
    dueAt = -1;
    done();
  }

  function push(window, message, wparam, x, y, modifiers) {
    queue.push([window, message, wparam, x, y, modifiers]);
    resume();
  }

  function frame(time) {
    if (lastFrame !== null && time - lastFrame > STALL_MS) paused += time - lastFrame - STALL_MS;
    lastFrame = time;
    if (wake !== null && dueAt >= 0 && clock() >= dueAt) resume();
    requestAnimationFrame(frame);
  }
  requestAnimationFrame(frame);

  document.addEventListener("visibilitychange", () => {
    if (document.hidden) {
      hiddenSince = performance.now();
    } else if (hiddenSince !== null) {
      paused += performance.now() - hiddenSince;
      hiddenSince = null;
      lastFrame = null;
    }
  });

  function modifiers(event) {
    return (event.shiftKey ? MOD_SHIFT : 0) | (event.ctrlKey ? MOD_CONTROL : 0) | (event.altKey ? MOD_ALT : 0);
  }

  function onKey(event) {
    if (boxOpen !== null) {
      if (event.type === "keydown" && (event.code === "Enter" || event.code === "Escape" || event.code === "Space")) {
        event.preventDefault();
        boxOpen();
      }
      return;
    }
    const vk = keys[event.code];
    if (vk === undefined || (!mainVisible && !formVisible)) return;
    // Keys the program uses do nothing else: no scrolling, no browser tools.
    if (mainVisible || vk === 0x0d || vk === 0x1b) event.preventDefault();
    if (event.repeat) return;
    push(mainVisible ? MAIN : DIALOG, event.type === "keydown" ? WM_KEYDOWN : WM_KEYUP, vk, 0, 0, modifiers(event));
  }
  window.addEventListener("keydown", onKey, true);
  window.addEventListener("keyup", onKey, true);

  // --- The right-button pan -------------------------------------------------
  function endPan() {
    if (pan === null) return;
    push(MAIN, WM_RBUTTONUP, 0, pan.x, pan.y, 0);
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
    if (event.button !== 2 || pan !== null || !mainVisible) return;
    event.preventDefault();
    pan = canvasPoint(event);
    push(MAIN, WM_RBUTTONDOWN, 0, pan.x, pan.y, 0);
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
    push(MAIN, WM_MOUSEMOVE, 0, x, y, 0);
  });
  document.addEventListener("mouseup", (event) => {
    if (event.button === 2) endPan();
  });
  document.addEventListener("pointerlockchange", () => {
    if (document.pointerLockElement !== canvas) endPan();
  });
  window.addEventListener("blur", endPan);

  // --- The form -------------------------------------------------------------
  const form = byId("dialog");
  const picker = byId("open-map");

  function act(id, code, entry) {
    actions.push([id, code, entry]);
    push(DIALOG, WM_PAINT, 0, 0, 0, 0);
  }

  function place(element, x, y, width, height) {
    element.style.left = x + "px";
    element.style.top = y + "px";
    element.style.width = width + "px";
    if (height !== null) element.style.height = height + "px";
  }

  function formCreate(caption, width, height) {
    byId("dialog-caption").textContent = caption;
    document.title = caption;
    const body = byId("dialog-body");
    body.style.width = width + "px";
    body.style.height = height + "px";
  }

  function formAdd(id, kind, x, y, width, height, text) {
    const body = byId("dialog-body");
    let element;
    if (kind === "radio") {
      element = document.createElement("label");
      element.className = "radio";
      const input = document.createElement("input");
      input.type = "radio";
      input.name = "radio" + id;
      input.addEventListener("click", () => act(id, BN_CLICKED, -1));
      element.append(input, document.createTextNode(text));
      place(element, x, y - 4, width, null);
    } else if (kind === "droplist") {
      element = document.createElement("select");
      element.addEventListener("change", () => {
        const entry = element.selectedIndex;
        if (id === MAP_LIST && element.options[entry].value === "open") {
          element.selectedIndex = Number(element.dataset.selection);
          picker.value = "";
          picker.click();
          return;
        }
        act(id, CBN_SELCHANGE, entry);
      });
      place(element, x, y - 2, width, null);
    } else if (kind === "groupbox") {
      element = document.createElement("fieldset");
      const legend = document.createElement("legend");
      legend.textContent = text;
      element.append(legend);
      place(element, x, y, width, height);
    } else if (kind === "ctext") {
      element = document.createElement("div");
      element.className = "ctext";
      element.textContent = text;
      place(element, x, y, width, height);
    } else {
      element = document.createElement("button");
      element.type = "button";
      element.textContent = text;
      if (kind === "defbutton") element.className = "default";
      element.addEventListener("click", () => act(id, BN_CLICKED, -1));
      place(element, x, y, width, height);
    }
    element.id = "control-" + id;
    element.dataset.label = text;
    controls.set(id, element);
    body.append(element);
  }

  function formSet(id, checked, enabled, selection, text) {
    const element = controls.get(id);
    if (element === undefined) return;
    if (element.tagName === "LABEL") {
      const input = element.firstChild;
      input.checked = checked;
      input.disabled = !enabled;
      element.classList.toggle("disabled", !enabled);
    } else if (element.tagName === "SELECT") {
      element.disabled = !enabled;
      element.dataset.selection = String(selection);
      element.selectedIndex = selection;
    } else if (element.tagName === "BUTTON") {
      element.disabled = !enabled;
    } else if (element.className === "ctext") {
      element.textContent = text;
    }
  }

  function formSetItems(id, items) {
    const element = controls.get(id);
    if (element === undefined) return;
    element.textContent = "";
    const lines = items.split("\n");
    lines.pop();
    for (const line of lines) element.append(new Option(line, "entry"));
    // Maps from elsewhere join the folder's.
    if (id === MAP_LIST) element.append(new Option("Open a map\u2026", "open"));
  }

  function formNextAction() {
    return actions.length === 0 ? null : actions.shift();
  }

  // Closing the form's window: as Esc.
  byId("dialog-close").addEventListener("click", () => push(DIALOG, WM_CLOSE, 0, 0, 0, 0));

  // --- Opened maps -----------------------------------------------------------
  async function openMap(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (/\.bmp$/i.test(file.name)) {
      opened.push({ name: file.name, bytes, picture: false, width: 0, height: 0 });
      push(DIALOG, WM_PAINT, 0, 0, 0, 0);
      return;
    }
    let bitmap;
    try {
      bitmap = await createImageBitmap(file);
    } catch (error) {
      await messageBox("Cannot read picture " + file.name + ": the browser cannot decode it.", "Error");
      return;
    }
    if (bitmap.width * bitmap.height > MAX_PICTURE_PIXELS) {
      await messageBox("Picture " + file.name + " is too large (" + bitmap.width + " by " + bitmap.height +
                       " pixels).", "Error");
      return;
    }
    const scratch = document.createElement("canvas");
    scratch.width = bitmap.width;
    scratch.height = bitmap.height;
    const drawing = scratch.getContext("2d");
    drawing.drawImage(bitmap, 0, 0);
    const rgba = drawing.getImageData(0, 0, bitmap.width, bitmap.height).data;
    opened.push({ name: file.name, bytes: new Uint8Array(rgba.buffer), picture: true,
                  width: bitmap.width, height: bitmap.height });
    push(DIALOG, WM_PAINT, 0, 0, 0, 0);
  }
  picker.addEventListener("change", () => {
    if (picker.files.length > 0) openMap(picker.files[0]);
  });

  function openedMap() {
    if (opened.length === 0) return null;
    const map = opened[0];
    return [map.picture ? 1 : 0, map.bytes.length, map.width, map.height];
  }

  function takeOpenedMap() {
    return opened.shift();
  }

  // --- Windows, canvas, full screen ------------------------------------------
  function show(main, visible) {
    if (main) {
      mainVisible = visible;
      canvas.hidden = !visible;
      if (visible) canvas.focus();
    } else {
      formVisible = visible;
      form.hidden = !visible;
    }
  }

  function placeCanvas(x, y, width, height) {
    canvas.style.left = x + "px";
    canvas.style.top = y + "px";
    canvas.style.width = width + "px";
    canvas.style.height = height + "px";
  }

  function present(pixels, width, height, shownWidth, shownHeight) {
    if (image === null || image.width !== width || image.height !== height) {
      canvas.width = width;
      canvas.height = height;
      image = context.createImageData(width, height);
    }
    image.data.set(pixels);
    context.putImageData(image, 0, 0);
    if (document.fullscreenElement === null) {
      const w = shownWidth + "px";
      const h = shownHeight + "px";
      if (canvas.style.width !== w) canvas.style.width = w;
      if (canvas.style.height !== h) canvas.style.height = h;
    }
    page.presented += 1;
    if (!canvas.dataset.shown) {
      canvas.dataset.shown = "1";
      page.firstFrameMs = performance.now();
    }
  }

  async function enterFullScreen() {
    if (!document.fullscreenEnabled) return 0;
    try {
      await document.documentElement.requestFullscreen();
      document.body.classList.add("full-screen");
      return 1;
    } catch (error) {
      return 0;
    }
  }

  function leaveFullScreen() {
    document.body.classList.remove("full-screen");
    if (document.fullscreenElement !== null) document.exitFullscreen().catch(() => {});
  }

  function messageBox(text, caption) {
    byId("box-caption").textContent = caption;
    byId("box-text").textContent = text;
    const box = byId("box");
    box.hidden = false;
    return new Promise((resolve) => {
      boxOpen = () => {
        box.hidden = true;
        boxOpen = null;
        resolve();
      };
      byId("box-ok").onclick = boxOpen;
      byId("box-ok").focus();
    });
  }

  function download(name, bytes) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type: "image/png" }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  function ended(exitCode) {
    endPan();
    leaveFullScreen();
    show(true, false);
    show(false, false);
    page.exitCode = exitCode;
    byId("ended-text").textContent = exitCode === 0
      ? "The simulator has ended."
      : "The simulator has ended (exit status " + exitCode + ").";
    byId("ended").hidden = false;
  }
  byId("again").addEventListener("click", () => location.reload());

  function waitUntil(due) {
    return new Promise((resolve) => {
      wake = resolve;
      dueAt = due;
      if (queue.length > 0 || actions.length > 0 || opened.length > 0) resume();
    });
  }

  function nextInput() {
    return queue.length === 0 ? null : queue.shift();
  }

  // The command line from the address: ?map=hills.bmp&mode=windowed&wind=fixed:5:180
  // is --map hills.bmp --mode windowed --wind fixed:5:180.
  const args = [];
  for (const [name, value] of new URLSearchParams(location.search)) args.push("--" + name, value);

  const page = {
    nextInput, clock, waitUntil, formCreate, formAdd, formSet, formSetItems, formNextAction, show,
    screenWidth: () => window.innerWidth, screenHeight: () => window.innerHeight, placeCanvas, present,
    fullScreenAvailable: () => (document.fullscreenEnabled ? 1 : 0), enterFullScreen, leaveFullScreen,
    messageBox, download, ended, openedMap, takeOpenedMap,
    exitCode: null, firstFrameMs: null, presented: 0,
  };
  window.qmPage = page;
  window.Module = {
    arguments: args,
    print: (line) => console.log(line),
    printErr: (line) => console.warn(line),
    onAbort: (what) => console.error("qmsim: " + what),
  };
})();
