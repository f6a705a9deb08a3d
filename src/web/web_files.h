// Files the user hands the page beside maps: the drills' history exported
// as a download and imported from a file (merged, lines already kept passed
// over), drill files with their maps, stored in the working folder so the
// drill menu lists them for the visit, and a challenge pack, played at once
// as --challenge plays it.
#pragma once

#include <string>
#include <vector>

#include <cstdint>
#include <optional>

#include "shell/dialog/dialog_procedure.h"
#include "shell/message_loop.h"
#include "shell/platform.h"
#include "sim/drill/drill_rules.h"
#include "sim/world.h"

namespace qm {

// What the page says after an import ("3 sessions added, 1 already kept, 2
// lines skipped (not history records)").
struct ImportCounts;
std::string import_summary(const ImportCounts& counts);

// Merges history lines held in memory (a file the page was handed, or lines
// put by as the page went away) into the history, as `qmsim history
// --import` merges a file; false with the reason.
bool import_history_bytes(const std::vector<unsigned char>& bytes, const std::string& history, ImportCounts& counts,
                          std::string& reason);

class WebFiles {
public:
    WebFiles(World& world, const Dialog& dialog) : world_(world), dialog_(dialog) {}
    // Where answers are shown and files kept: the message loop, made after this.
    void attach(Desktop& desktop) { desktop_ = &desktop; }

    // Takes a file the page holds, if one waits. True with the message to
    // handle next when the files ask for one: Start, to play a pack.
    bool take(Message& message);

private:
    void export_history();
    void import_history_file(const std::string& name, const std::vector<unsigned char>& bytes);
    void add_drill_file(const std::string& name, const std::vector<unsigned char>& bytes);
    bool end_drills(Message& message);
    void read_pack(const std::string& name, const std::vector<unsigned char>& bytes);
    void start_pack();
    void say(const std::string& text, const char* caption);

    struct Pack {
        DrillRules rules;
        std::uint32_t seed = 0;
        bool started = false;  // Start has been pressed for it
    };

    World& world_;
    const Dialog& dialog_;
    Desktop* desktop_ = nullptr;
    std::optional<Pack> pack_;          // a pack read, to play
    std::vector<std::string> drills_;   // drill files of the set being opened
    std::vector<std::string> refused_;  // why files of that set were refused
};

}  // namespace qm
