// Merging another history into this one (a file exported from the page or
// kept on another machine): its sessions appended whole-line, those already
// here passed over, so importing twice adds nothing.
#pragma once

#include <string>

namespace qm {

struct ImportCounts {
    int added = 0;    // sessions appended
    int present = 0;  // already in the history (same time, drill digest and seed)
    int skipped = 0;  // lines that are not records: torn, foreign or out of range
    bool write_failed = false;  // the history could not take a line (not the imported file's fault)
};

// Appends the records of `from` that `history` lacks, in `from`'s order, each
// as one whole line exactly as it was read (fields this version does not
// know, and their order, kept). False with "FILE: reason" when `from` is missing or
// either cannot be read, or with the reason a line could not be appended
// (the lines before it stay, each whole).
bool import_history(const std::string& from, const std::string& history, ImportCounts& counts, std::string& error);

}  // namespace qm
