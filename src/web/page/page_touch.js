// A touch screen's controls: buttons beside the frame for what the frame
// shows (in play the aim, the power, the facing, fire, the aids, the drills,
// the help and closing; in a menu, on the results and on the controls screen
// that menu's moves), each held acting once a tick as its key would (the
// program's action messages), labelled by what it does, with the frame
// fitted between them at 4:3, scaled without smoothing and never cut; a
// phone held upright is asked to turn. A page without touch is left as it
// is.
"use strict";

(function (page) {
  const codes = page.codes;
  const byId = page.byId;
  const canvas = page.canvas;
  const touch = navigator.maxTouchPoints > 0 || "ontouchstart" in window;
  if (!touch) return;

  // The frame's shape, which it keeps on a phone.
  const ASPECT = 4 / 3;
  // The width of each panel of buttons, in CSS pixels.
  const PANEL = 150;
  // What the buttons show for the labels the program gives them.
  const GLYPHS = { "^": "\u25B2", "v": "\u25BC", "<": "\u25C0", ">": "\u25B6", "-": "\u2212", "X": "\u2715" };
  // Which side each button sits on: moving and leaving on the left, fire,
  // choosing and the rest on the right.
  const LEFT = new Set(["^", "v", "+", "-", "<", ">", "?", "X", "Back"]);
  // The button each screen is for, across its panel.
  const MAIN = new Set(["Fire", "Start", "Again", "Change"]);

  document.body.classList.add("touch");
  const panels = { left: byId("touch-left"), right: byId("touch-right") };
  for (const panel of Object.values(panels)) panel.style.width = PANEL + "px";
  const releases = [];

  function hold(button, action) {
    let held = false;
    const send = (down) => {
      if (held === down) return;
      held = down;
      button.classList.toggle("held", down);
      page.push(codes.MAIN, codes.WM_ACTION, action, down ? 1 : 0, 0, 0);
    };
    button.addEventListener("pointerdown", (event) => {
      event.preventDefault();
      button.setPointerCapture(event.pointerId);
      send(true);
    });
    for (const end of ["pointerup", "pointercancel", "lostpointercapture"]) {
      button.addEventListener(end, () => send(false));
    }
    button.addEventListener("contextmenu", (event) => event.preventDefault());
    releases.push(() => send(false));
  }

  function makeButtons() {
    for (const [screen, buttons] of Object.entries(codes.touch)) {
      for (const [label, { action, what }] of Object.entries(buttons)) {
        const button = document.createElement("button");
        button.type = "button";
        button.className = "touch-button" + (MAIN.has(label) ? " main" : "") + (label === "Fire" ? " fire" : "") +
          (GLYPHS[label] || label.length === 1 ? "" : " word");
        button.textContent = GLYPHS[label] || label;
        button.dataset.label = label;
        button.dataset.screen = screen;
        button.setAttribute("aria-label", what);
        button.title = what;
        hold(button, action);
        (LEFT.has(label) ? panels.left : panels.right).append(button);
      }
    }
    showScreen("play");
  }

  // Only the shown screen's buttons; any held is let go first.
  function showScreen(screen) {
    if (document.body.dataset.screen === screen) return;
    for (const release of releases) release();
    document.body.dataset.screen = screen;
    for (const button of document.querySelectorAll(".touch-button")) button.hidden = button.dataset.screen !== screen;
  }

  // The room between the two panels, above the challenge's bar while it shows.
  function area() {
    const bar = byId("results");
    const below = bar.hidden ? 0 : bar.offsetHeight;
    return { x: PANEL, y: 0, width: Math.max(window.innerWidth - 2 * PANEL, 1),
             height: Math.max(window.innerHeight - below, 1) };
  }

  // The frame centred in the room, as large as the room holds it at 4:3
  // when the program stretches it (whatever the screen's shape), and scaled
  // down only as far as it must when the program shows it 1:1 (Windowed).
  function fit(x, y, width, height) {
    const room = area();
    const natural = width === canvas.width && height === canvas.height;
    const w = Math.min(room.width, room.height * ASPECT, natural ? width : Infinity);
    const h = w / ASPECT;
    return { x: Math.round(room.x + (room.width - w) / 2), y: Math.round(room.y + (room.height - h) / 2),
             width: Math.round(w), height: Math.round(h) };
  }

  page.screenWidth = () => area().width;
  page.screenHeight = () => area().height;
  page.fit = fit;
  page.afterCodes.push(makeButtons);
  page.onScreen.push(showScreen);
})(window.qmPage);
