// Files the user hands the page beside maps: the drills' history exported
// as a download and imported from a file (merged, lines already kept passed
// over), and drill files with their maps, stored in the working folder so
// the drill menu lists them for the visit.
#pragma once

#include <string>
#include <vector>

#include "shell/platform.h"
#include "sim/world.h"

namespace qm {

// What the page says after an import ("3 sessions added, 1 already kept, 2
// lines skipped (not history records)").
struct ImportCounts;
std::string import_summary(const ImportCounts& counts);

class WebFiles {
public:
    explicit WebFiles(World& world) : world_(world) {}
    // Where answers are shown and files kept: the message loop, made after this.
    void attach(Desktop& desktop) { desktop_ = &desktop; }

    // Takes a file the page holds, if one waits.
    void take();

private:
    void export_history();
    void import_history_file(const std::string& name, const std::vector<unsigned char>& bytes);
    void add_drill_file(const std::string& name, const std::vector<unsigned char>& bytes);
    void end_drills();
    void say(const std::string& text, const char* caption);

    World& world_;
    Desktop* desktop_ = nullptr;
    std::vector<std::string> drills_;   // drill files of the set being opened
    std::vector<std::string> refused_;  // why files of that set were refused
};

}  // namespace qm
