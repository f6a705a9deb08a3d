// Screenshots on the page: F12 writes the frame into the program's file
// system as on the desktop; each new file there is then offered to the
// browser as a download under its own name, and the frame says so.
#pragma once

#include <set>
#include <string>

namespace qm {

struct World;

class WebScreenshots {
public:
    explicit WebScreenshots(World& world) : world_(world) {}

    // An F12 press went to the main window: its file is written when the
    // press is handled.
    void expect() { expected_ = true; }
    // Downloads the screenshots written since the last look.
    void offer_new();

private:
    World& world_;
    bool expected_ = false;
    std::set<std::string> offered_;
};

}  // namespace qm
