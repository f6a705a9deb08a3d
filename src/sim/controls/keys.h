// The keys' virtual-key codes, with the values of the platform the game ran
// on, so a native shell can pass its own straight through; bindings name
// keys by them.
#pragma once

namespace qm {

enum : unsigned {
    VK_BACK = 0x08,  // Backspace
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,  // Page Up
    VK_NEXT = 0x22,   // Page Down
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_NUMPAD0 = 0x60,   // the keypad's digits follow it
    VK_MULTIPLY = 0x6A,  // numeric keypad times
    VK_ADD = 0x6B,       // numeric keypad plus
    VK_SUBTRACT = 0x6D,  // numeric keypad minus
    VK_DECIMAL = 0x6E,   // numeric keypad point
    VK_DIVIDE = 0x6F,    // numeric keypad divide
    VK_F1 = 0x70,        // F2 to F12 follow it
    VK_C = 0x43,
    VK_D = 0x44,
    VK_F = 0x46,
    VK_G = 0x47,
    VK_H = 0x48,
    VK_K = 0x4B,
    VK_P = 0x50,
    VK_R = 0x52,
    VK_S = 0x53,
    VK_T = 0x54,
    VK_U = 0x55,
    VK_Y = 0x59,
    VK_F12 = 0x7B,
    VK_OEM_1 = 0xBA,       // main keyboard ; :
    VK_OEM_PLUS = 0xBB,    // main keyboard = / +
    VK_OEM_COMMA = 0xBC,
    VK_OEM_MINUS = 0xBD,   // main keyboard - / _
    VK_OEM_PERIOD = 0xBE,
    VK_OEM_2 = 0xBF,       // main keyboard / ?
    VK_OEM_3 = 0xC0,       // main keyboard ` ~
    VK_OEM_4 = 0xDB,       // main keyboard [ {
    VK_OEM_5 = 0xDC,       // main keyboard \ |
    VK_OEM_6 = 0xDD,       // main keyboard ] }
    VK_OEM_7 = 0xDE,       // main keyboard ' "
};

}  // namespace qm
