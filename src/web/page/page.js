// The page around the WebAssembly program (src/web/web_js.cpp calls it):
// the codes the program hands over, the input queue and the clock of
// animation frames that stops while the page is hidden, the windows and the
// canvas, full screen, the message box, downloads and the end of a run.
// page_input.js (keys, the wheel, the pan), page_pad.js (game pads),
// page_touch.js (a touch screen's buttons and fitting a phone) and
// page_form.js (the form, opened maps) add to the page object this makes.
"use strict";

(function () {
  // A gap between two animation frames longer than this is a stall: the
  // clock skips it rather than owe its ticks.
  const STALL_MS = 100;

  // The codes the program hands over at start (setCodes): messages,
  // modifiers, windows, notifications, the map list's id, the keys it
  // names, and the virtual-key code of each physical key (codes.keys).
  const codes = { keys: {} };

  const byId = (id) => document.getElementById(id);
  const canvas = byId("frame");
  const context = canvas.getContext("2d", { alpha: false, willReadFrequently: true });
  let image = null;
  const placed = { x: 0, y: 0 };  // where the program put the frame's corner

  const queue = [];          // [window, message, wparam, x, y, modifiers]
  let wake = null;
  let dueAt = -1;
  let paused = 0;            // ms of page time given up: hidden or stalled
  let hiddenSince = document.hidden ? performance.now() : null;
  let lastFrame = null;

  function setCodes(given) {
    Object.assign(codes, given.messages, given.modifiers, given.windows, given.notifications, given.controls,
                  given.vk, given.wheel);
    codes.keys = given.keys;
    codes.padButtons = given.padButtons;
    codes.padAxes = given.padAxes;
    codes.touch = given.touch;
    for (const then of page.afterCodes) then();
  }

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
    for (const each of page.everyFrame) each();
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

  // --- Windows, canvas, full screen ------------------------------------------
  function show(main, visible) {
    if (main) {
      page.mainVisible = visible;
      canvas.hidden = !visible;
      document.body.classList.toggle("running", visible);
      if (visible) canvas.focus();
    } else {
      page.formVisible = visible;
      byId("dialog").hidden = !visible;
    }
  }

  // Where the frame goes: as the program places it, unless the page fits
  // it to a small screen (page_touch.js).
  function showAt(x, y, width, height) {
    const box = page.fit(x, y, width, height);
    const values = [box.x + "px", box.y + "px", box.width + "px", box.height + "px"];
    ["left", "top", "width", "height"].forEach((side, i) => {
      if (canvas.style[side] !== values[i]) canvas.style[side] = values[i];
    });
  }

  function placeCanvas(x, y, width, height) {
    placed.x = x;
    placed.y = y;
    showAt(x, y, width, height);
  }

  function present(pixels, width, height, shownWidth, shownHeight) {
    if (image === null || image.width !== width || image.height !== height) {
      canvas.width = width;
      canvas.height = height;
      image = context.createImageData(width, height);
    }
    image.data.set(pixels);
    context.putImageData(image, 0, 0);
    if (document.fullscreenElement === null) showAt(placed.x, placed.y, shownWidth, shownHeight);
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
      page.boxOpen = () => {
        box.hidden = true;
        page.boxOpen = null;
        resolve();
      };
      byId("box-ok").onclick = page.boxOpen;
      byId("box-ok").focus();
    });
  }

  function download(name, bytes) {
    const link = document.createElement("a");
    const type = /\.png$/.test(name) ? "image/png" : "application/octet-stream";
    link.href = URL.createObjectURL(new Blob([bytes], { type }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  // Why the address was refused: shown in the form.
  function refused(line) {
    byId("refusal").textContent = "qmsim: " + line;
    byId("refusal").hidden = false;
  }

  // The finished drill's code as a link that plays it; an empty code
  // takes it away.
  function drillResults(code, line) {
    const link = byId("results-link");
    link.textContent = code;
    link.href = location.origin + location.pathname + "?challenge=" + encodeURIComponent(code);
    byId("results-line").textContent = line === "" ? "" : "(" + line + ")";
    byId("results-said").textContent = "";
    byId("results").hidden = code === "";
  }
  // Sending the challenge: through the system's share sheet where the
  // browser has one, else the link copied; the bar says which.
  async function shareChallenge() {
    const said = byId("results-said");
    const link = byId("results-link");
    const url = link.href;
    const text = "A challenge in QM Simulator: " + link.textContent +
      (byId("results-line").textContent === "" ? "" : " " + byId("results-line").textContent);
    if (typeof navigator.share === "function") {
      try {
        await navigator.share({ title: "QM Simulator challenge", text, url });
        said.textContent = "Shared.";
      } catch (error) {
        said.textContent = error.name === "AbortError" ? "Not shared." : "Could not share: " + error.message;
      }
      return;
    }
    await copyLink();
  }
  // The link to the clipboard; where the browser refuses, the link is
  // selected for the player to copy, and the bar says why.
  async function copyLink() {
    const said = byId("results-said");
    const link = byId("results-link");
    try {
      if (!navigator.clipboard) throw new Error("this page has no clipboard (it is not served over https or from localhost)");
      await navigator.clipboard.writeText(link.href);
      said.textContent = "Link copied.";
    } catch (error) {
      getSelection().selectAllChildren(link);
      said.textContent = "Could not copy (" + error.message + "): the link is selected, copy it from there.";
    }
  }
  // The program's copy key: false when there is no clipboard to copy to.
  function copyResultsLink() {
    if (!navigator.clipboard) return 0;
    copyLink();
    return 1;
  }
  byId("results-share").addEventListener("click", shareChallenge);
  byId("results-copy").addEventListener("click", () => { copyLink(); byId("frame").focus(); });

  // The frame where the program puts it, its height cut to end above the
  // challenge's bar while the bar shows, so the bar never hides the results.
  function clearOfBar(x, y, width, height) {
    const bar = byId("results");
    if (bar.hidden) return { x, y, width, height };
    return { x, y, width, height: Math.max(Math.min(height, window.innerHeight - bar.offsetHeight - y), 1) };
  }

  // The screen the frame shows and its overlay's text, for the touch
  // buttons and the readable copy of the text.
  function screenShown(screen, overlay) {
    for (const then of page.onScreen) then(screen, overlay);
  }

  // The end of a run, or of a page that could not start the program (why).
  function ended(exitCode, why) {
    for (const end of page.atEnd) end();
    leaveFullScreen();
    show(true, false);
    show(false, false);
    byId("results").hidden = true;
    page.exitCode = exitCode;
    byId("ended-text").textContent = why !== undefined ? why : exitCode === 0
      ? "The simulator has ended."
      : "The simulator has ended (exit status " + exitCode + ").";
    byId("ended").hidden = false;
  }
  byId("again").addEventListener("click", () => location.reload());

  function waitUntil(due) {
    return new Promise((resolve) => {
      wake = resolve;
      dueAt = due;
      if (queue.length > 0 || page.waiting.some((more) => more())) resume();
    });
  }

  function nextInput() {
    return queue.length === 0 ? null : queue.shift();
  }

  // The command line from the address: ?map=hills.bmp&mode=windowed&wind=fixed:5:180
  // is --map hills.bmp --mode windowed --wind fixed:5:180.
  const args = [];
  for (const [name, value] of new URLSearchParams(location.search)) args.push("--" + name, value);

  // The keys the program has a use for now (the bindings, or any while its
  // controls screen shows): only these do nothing else in the page.
  function controlsChanged(bound, screenOpen) {
    page.boundKeys = new Set(bound);
    page.controlsScreenOpen = screenOpen;
  }

  const page = {
    // For the other parts of the page: the codes, the queue, the windows'
    // states, what else may be waiting for the program, what to do every
    // animation frame, how the frame is fitted, the keys the program uses,
    // and what to undo at the end.
    codes, byId, canvas, push, resume, mainVisible: false, formVisible: false, boxOpen: null, waiting: [], atEnd: [],
    afterCodes: [], everyFrame: [], onScreen: [],
    fit: clearOfBar, boundKeys: new Set(),
    controlsScreenOpen: false, controlsChanged,
    setCodes, nextInput, clock, waitUntil, show,
    screenWidth: () => window.innerWidth, screenHeight: () => window.innerHeight, placeCanvas, present,
    fullScreenAvailable: () => (document.fullscreenEnabled ? 1 : 0), enterFullScreen, leaveFullScreen,
    messageBox, download, refused, drillResults, copyResultsLink, screenShown, ended,
    exitCode: null, firstFrameMs: null, presented: 0,
  };
  window.qmPage = page;
  // The program and its loader travel gzip-compressed, as a plain server
  // sends files as they are, and are unpacked as they arrive.
  function unpacked(name, type) {
    return fetch(name).then((response) => {
      if (!response.ok) throw new Error(name + ": " + response.status + " " + response.statusText);
      return new Response(response.body.pipeThrough(new DecompressionStream("gzip")),
                          { headers: { "Content-Type": type } });
    });
  }

  function notLoaded(error) {
    console.error("qmsim: " + error);
    ended(1, "The simulator could not be loaded: " + error.message);
  }

  // Once the program is in, the page is kept for visits without the
  // network (service_worker.js), where the browser allows it.
  function keepOffline() {
    if (!("serviceWorker" in navigator)) return;
    navigator.serviceWorker.register("service_worker.js").catch((error) => {
      console.warn("qmsim: the page is not kept for offline visits: " + error.message);
    });
  }

  function instantiateWasm(imports, receive) {
    unpacked("qmsim.wasm.gz", "application/wasm")
      .then((response) => WebAssembly.instantiateStreaming(response, imports))
      .then((loaded) => {
        receive(loaded.instance, loaded.module);
        keepOffline();
      }).catch(notLoaded);
    return {};
  }

  function loadProgram() {
    if (typeof DecompressionStream !== "function") {
      ended(1, "This browser cannot unpack the simulator: it has no DecompressionStream.");
      return;
    }
    unpacked("qmsim.js.gz", "text/javascript").then((response) => response.blob()).then((blob) => {
      const script = document.createElement("script");
      script.src = URL.createObjectURL(blob);
      document.body.append(script);
    }).catch(notLoaded);
  }

  window.Module = {
    arguments: args,
    instantiateWasm,
    print: (line) => console.log(line),
    printErr: (line) => console.warn(line),
    onAbort: (what) => console.error("qmsim: " + what),
  };
  // Once every part of the page has joined the page object.
  document.addEventListener("DOMContentLoaded", loadProgram);
})();
