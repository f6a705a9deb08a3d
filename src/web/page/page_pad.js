// Game pads through the Gamepad API, read every animation frame: the
// standard layout's buttons and axes as the program's pad messages, sent
// only as they change and only while the frame shows. A pad taken away
// lets go of everything it held.
"use strict";

(function (page) {
  const codes = page.codes;
  const AXIS_MAX = 32767;
  // The standard layout's buttons by their place, as the program names
  // them; its two triggers are axes to the program.
  const BUTTONS = ["a", "b", "x", "y", "leftshoulder", "rightshoulder", null, null, "back", "start", "leftstick",
                   "rightstick", "dpup", "dpdown", "dpleft", "dpright", "guide"];
  const TRIGGERS = { 6: "lefttrigger", 7: "righttrigger" };
  const STICKS = ["leftx", "lefty", "rightx", "righty"];
  const last = new Map();    // pad index -> the values sent: name -> value

  function axisValue(value) {
    return Math.max(-AXIS_MAX - 1, Math.min(AXIS_MAX, Math.round(value * AXIS_MAX)));
  }

  function send(sent, name, value) {
    if (sent.get(name) === value) return;
    sent.set(name, value);
    if (name in codes.padAxes) {
      page.push(codes.MAIN, codes.WM_PAD_AXIS, codes.padAxes[name], value, 0, 0);
    } else {
      page.push(codes.MAIN, codes.WM_PAD_BUTTON, codes.padButtons[name], value, 0, 0);
    }
  }

  function letGo(index) {
    const sent = last.get(index);
    if (sent === undefined) return;
    for (const name of sent.keys()) send(sent, name, 0);
    last.delete(index);
  }

  function read(pad) {
    if (!last.has(pad.index)) last.set(pad.index, new Map());
    const sent = last.get(pad.index);
    pad.buttons.forEach((button, i) => {
      if (BUTTONS[i]) send(sent, BUTTONS[i], button.pressed ? 1 : 0);
      if (TRIGGERS[i]) send(sent, TRIGGERS[i], axisValue(button.value));
    });
    STICKS.forEach((name, i) => {
      if (i < pad.axes.length) send(sent, name, axisValue(pad.axes[i]));
    });
  }

  page.everyFrame.push(() => {
    if (!page.mainVisible || !navigator.getGamepads) return;
    for (const pad of navigator.getGamepads()) {
      if (pad && pad.connected && pad.mapping === "standard") read(pad);
    }
  });
  window.addEventListener("gamepaddisconnected", (event) => letGo(event.gamepad.index));
})(window.qmPage);
