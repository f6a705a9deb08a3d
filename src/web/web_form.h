// The configuration dialog as an HTML form on the page: made once from the
// dialog model, kept in step with it, and what the user does in it handed
// to the dialog procedure.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/dialog/dialog_procedure.h"

namespace qm {

class WebForm {
public:
    explicit WebForm(const Dialog& dialog);

    // Whether the form shows something other than the model now.
    bool stale(const Dialog& dialog) const;
    // Bring the form up to date, then hand the user's actions over.
    void paint(DialogContext& context);

private:
    void update(const Dialog& dialog);

    std::vector<std::uint64_t> shown_;        // each control's state as the form shows it
    std::vector<std::uint64_t> shown_items_;  // each list's entries as the form shows them
};

}  // namespace qm
