// The page's own buttons under the form: the drills' history exported and
// imported, and drill files opened with their maps; the files wait here for
// the program. And the page going away: the drill's line the program holds
// ready is kept in localStorage for the next visit.
"use strict";

(function (page) {
  const byId = page.byId;
  const STASH = "qmsim-unsaved-history";
  // What the program is asked to do with each file (web_js.h's FileTask).
  const TASK = { importHistory: 1, exportHistory: 2, drillFile: 3, drillsEnd: 4 };
  const files = [];  // {task, name, bytes}

  function hand(task, name, bytes) {
    files.push({ task, name, bytes });
    page.resume();
  }

  async function handAll(task, chosen) {
    for (const file of chosen) hand(task, file.name, new Uint8Array(await file.arrayBuffer()));
  }

  function picker(id, then) {
    const input = byId(id);
    input.addEventListener("change", async () => {
      const chosen = Array.from(input.files);
      input.value = "";
      if (chosen.length > 0) await then(chosen);
    });
    return input;
  }

  const importPicker = picker("import-history", (chosen) => handAll(TASK.importHistory, chosen));
  const drillPicker = picker("open-drill", async (chosen) => {
    await handAll(TASK.drillFile, chosen);
    hand(TASK.drillsEnd, "", new Uint8Array(0));
  });
  byId("history-export").addEventListener("click", () => hand(TASK.exportHistory, "", new Uint8Array(0)));
  byId("history-import").addEventListener("click", () => importPicker.click());
  byId("drill-open").addEventListener("click", () => drillPicker.click());

  function nextFile() {
    return files.length === 0 ? null : [files[0].task, files[0].bytes.length];
  }

  function takeFile() {
    return files.shift();
  }

  // Closing or reloading the page: the line the program holds ready for a
  // drill left now is put by; the browser showing the page again from its
  // cache takes it back, as the drill goes on.
  let stashed = null;
  window.addEventListener("pagehide", () => {
    if (!page.leavingLine) return;
    stashed = page.leavingLine;
    stashLines(stashed);
  });
  window.addEventListener("pageshow", (event) => {
    if (!event.persisted || stashed === null) return;
    const kept = stashedLines();
    if (kept.endsWith(stashed)) {
      clearStash();
      stashLines(kept.slice(0, kept.length - stashed.length));
    }
    stashed = null;
  });

  function stashLines(lines) {
    try {
      localStorage.setItem(STASH, (localStorage.getItem(STASH) || "") + lines);
    } catch (error) {
      console.warn("qmsim: the drill left as the page went away cannot be put by: " + error);
    }
  }

  function stashedLines() {
    try {
      return localStorage.getItem(STASH) || "";
    } catch (error) {
      return "";
    }
  }

  function clearStash() {
    try {
      localStorage.removeItem(STASH);
    } catch (error) {
      // Nothing was put by where nothing can be.
    }
  }

  page.waiting.push(() => files.length > 0);
  // The program has recorded a drill still running as it ended.
  page.atEnd.push(() => { page.leavingLine = ""; });
  Object.assign(page, { leavingLine: "", nextFile, takeFile, stashLines, stashedLines, clearStash });
})(window.qmPage);
