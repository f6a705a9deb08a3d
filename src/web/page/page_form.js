// The page's form, made from the dialog model the program hands over and
// kept in step with it, and the maps the user opens from it.
"use strict";

(function (page) {
  const codes = page.codes;
  const byId = page.byId;
  const MAX_PICTURE_PIXELS = 1 << 26;
  const actions = [];        // [control id, notification, list entry]
  const opened = [];         // {name, bytes, picture, width, height}
  const controls = new Map(); // control id -> element

  const picker = byId("open-map");

  function act(id, code, entry) {
    actions.push([id, code, entry]);
    page.push(codes.DIALOG, codes.WM_PAINT, 0, 0, 0, 0);
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
      input.addEventListener("click", () => act(id, codes.BN_CLICKED, -1));
      element.append(input, document.createTextNode(text));
      place(element, x, y - 4, width, null);
    } else if (kind === "droplist") {
      element = document.createElement("select");
      element.addEventListener("change", () => {
        const entry = element.selectedIndex;
        if (id === codes.MAP_LIST && element.options[entry].value === "open") {
          element.selectedIndex = Number(element.dataset.selection);
          picker.value = "";
          picker.click();
          return;
        }
        act(id, codes.CBN_SELCHANGE, entry);
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
      element.addEventListener("click", () => act(id, codes.BN_CLICKED, -1));
      place(element, x, y, width, height);
    }
    // Reading order, which a touch screen lays the controls out in.
    element.style.order = String(y * 1000 + x);
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
    if (id === codes.MAP_LIST) element.append(new Option("Open a map\u2026", "open"));
  }

  function formNextAction() {
    return actions.length === 0 ? null : actions.shift();
  }

  // Closing the form's window: as Esc.
  byId("dialog-close").addEventListener("click", () => page.push(codes.DIALOG, codes.WM_CLOSE, 0, 0, 0, 0));

  // --- Opened maps -----------------------------------------------------------
  async function openMap(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (/\.bmp$/i.test(file.name)) {
      opened.push({ name: file.name, bytes, picture: false, width: 0, height: 0 });
      page.push(codes.DIALOG, codes.WM_PAINT, 0, 0, 0, 0);
      return;
    }
    let bitmap;
    try {
      bitmap = await createImageBitmap(file);
    } catch (error) {
      await page.messageBox("Cannot read picture " + file.name + ": the browser cannot decode it.", "Error");
      return;
    }
    if (bitmap.width * bitmap.height > MAX_PICTURE_PIXELS) {
      await page.messageBox("Picture " + file.name + " is too large (" + bitmap.width + " by " + bitmap.height +
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
    page.push(codes.DIALOG, codes.WM_PAINT, 0, 0, 0, 0);
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

  page.waiting.push(() => actions.length > 0 || opened.length > 0);
  // The form scaled down to fit a small screen (a phone in landscape), so
  // Start and Exit stay in reach; looked at every frame it shows, as the
  // window's size changes.
  // On a touch screen the controls flow in reading order, each a finger's
  // height, and are scaled only should they still not fit.
  let fitted = "";
  page.everyFrame.push(() => {
    const dialog = byId("dialog");
    const size = window.innerWidth + "x" + window.innerHeight;
    if (!page.formVisible || size === fitted || dialog.offsetWidth === 0) return;
    fitted = size;
    const margin = 8;
    const scale = Math.min(1, (window.innerWidth - margin) / dialog.offsetWidth,
                           (window.innerHeight - margin) / dialog.offsetHeight);
    dialog.style.setProperty("--fit", scale);
  });

  Object.assign(page, { formCreate, formAdd, formSet, formSetItems, formNextAction, openedMap, takeOpenedMap });
})(window.qmPage);
