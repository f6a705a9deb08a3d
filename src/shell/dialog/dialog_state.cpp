// The dialog's shown state, hashed.
#include "shell/dialog/dialog_state.h"

#include "formats/fnv1a.h"

namespace qm {

namespace {

// A text and its end, so that texts side by side cannot run into each other.
void add_text(Fnv1a& hash, const char* text)
{
    for (const char* c = text; *c != '\0'; ++c) hash.value(static_cast<unsigned char>(*c));
    hash.value(0);
}

}  // namespace

const char* shown_text(const Control& control)
{
    return control.live_text != nullptr ? control.live_text : control.text.c_str();
}

std::uint64_t control_state(const Control& control)
{
    Fnv1a hash;
    hash.value(control.checked ? 1u : 0u);
    hash.value(control.enabled ? 1u : 0u);
    hash.value(static_cast<std::uint64_t>(control.selection));
    add_text(hash, shown_text(control));
    return hash.hash();
}

std::uint64_t control_items(const Control& control)
{
    Fnv1a hash;
    hash.value(control.items.size());
    for (const std::string& item : control.items) add_text(hash, item.c_str());
    return hash.hash();
}

std::uint64_t dialog_state(const Dialog& dialog, int loading)
{
    Fnv1a hash;
    for (const Control& control : dialog.controls) {
        hash.value(control_state(control));
        hash.value(control_items(control));
    }
    hash.value(static_cast<std::uint64_t>(loading));
    return hash.hash();
}

}  // namespace qm
