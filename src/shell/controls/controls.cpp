// The inputs held down.
#include "shell/controls/controls.h"

namespace qm {

bool HeldInputs::held(Input input) const
{
    switch (input.kind) {
    case InputKind::key: return input.code < key_codes && keys_[input.code];
    case InputKind::pad_button: return input.code < pad_button_count && buttons_[input.code];
    case InputKind::pad_axis: return input.code < axes_.size() && axes_[input.code];
    case InputKind::wheel:
    case InputKind::none: return false;
    }
    return false;
}

void HeldInputs::set(Input input, bool down)
{
    switch (input.kind) {
    case InputKind::key:
        if (input.code < key_codes) keys_[input.code] = down;
        break;
    case InputKind::pad_button:
        if (input.code < pad_button_count) buttons_[input.code] = down;
        break;
    case InputKind::pad_axis:
        if (input.code < axes_.size()) axes_[input.code] = down;
        break;
    case InputKind::wheel:  // a notch is never held
    case InputKind::none: break;
    }
}

void HeldInputs::clear()
{
    keys_.reset();
    buttons_.reset();
    axes_.reset();
}

bool HeldInputs::any_of(const ActionInputs& inputs) const
{
    for (int i = 0; i < inputs.count; ++i) {
        if (held(inputs.inputs[static_cast<std::size_t>(i)])) return true;
    }
    return false;
}

}  // namespace qm
