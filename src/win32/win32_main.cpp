// Entry point of qmsim.exe: options, the main window of class "WindowsApp",
// the dialog from its resource template, and the platform-neutral start-up
// and message loop over them.
#include "win32/win32_display.h"
#include "win32/win32_events.h"
#include "win32/win32_presenter.h"
#include "win32/win32_windows.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr const char* class_name = "WindowsApp";
constexpr const char* main_window_title = "QM Simulator";
constexpr int accelerator_table_id = 1;
// The class background: system colour 0 (the scroll bar's) in its
// colour-plus-one form.
constexpr INT_PTR background_colour_plus_one = COLOR_SCROLLBAR + 1;

// Started from a console, the program writes its messages there; Wine and
// redirected runs already have standard handles.
void attach_console()
{
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error != nullptr && error != INVALID_HANDLE_VALUE) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::FILE* reopened = nullptr;
    freopen_s(&reopened, "CONOUT$", "w", stdout);
    freopen_s(&reopened, "CONOUT$", "w", stderr);
}

int fail(const std::string& what)
{
    std::fprintf(stderr, "qmsim: %s\n", what.c_str());
    return qm::exit_failed;
}

// Table 1 from the program's resources, in the shared table's terms.
bool load_accelerators(HINSTANCE instance, qm::AcceleratorTable& table)
{
    HACCEL handle = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(accelerator_table_id));
    if (handle == nullptr) return false;
    int count = CopyAcceleratorTableA(handle, nullptr, 0);
    std::unique_ptr<ACCEL[]> entries(new ACCEL[static_cast<std::size_t>(count)]);
    CopyAcceleratorTableA(handle, entries.get(), count);
    DestroyAcceleratorTable(handle);
    table.resource_id = accelerator_table_id;
    table.entries.clear();
    for (int i = 0; i < count; ++i) {
        const ACCEL& entry = entries[static_cast<std::size_t>(i)];
        if ((entry.fVirt & FVIRTKEY) == 0) continue;  // character entries: the program translates no characters
        unsigned modifiers = ((entry.fVirt & FSHIFT) != 0 ? qm::modifier_shift : 0u) |
                             ((entry.fVirt & FCONTROL) != 0 ? qm::modifier_control : 0u) |
                             ((entry.fVirt & FALT) != 0 ? qm::modifier_alt : 0u);
        table.entries.push_back(qm::Accelerator{entry.key, modifiers, entry.cmd});
    }
    return true;
}

// What the main window's procedure reaches: the world and the loop.
struct MainWindowState {
    qm::World& world;
    qm::MessageLoop& loop;
};

// Messages sent to the main window (those the loop does not fetch itself,
// and all of them while a message box runs its own loop) take the same
// window procedure.
LRESULT CALLBACK main_window_procedure(HWND window, UINT message, ::WPARAM wparam, ::LPARAM lparam)
{
    auto* state = reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (state == nullptr) return DefWindowProcA(window, message, wparam, lparam);
    return state->loop.window_proc(state->world, state->loop, message, wparam, lparam);
}

int run_desktop(HINSTANCE instance, int show_mode, const qm::QuickStart& choices)
{
    using namespace qm;

    Dialog dialog;
    AcceleratorTable accelerators;
    std::string error;
    if (!load_dialog_resources(dialog, accelerators, error)) return fail(error);
    // The key table in effect is the one Windows hands over from the
    // program's resources, written from the same text.
    if (!load_accelerators(instance, accelerators)) return fail("accelerator table 1 not found");

    auto world = std::make_unique<World>();
    // The desktop's size before any display change.
    HDC desk = GetDC(nullptr);
    world->DeskCap_X = GetDeviceCaps(desk, HORZRES);
    world->DeskCap_Y = GetDeviceCaps(desk, VERTRES);
    ReleaseDC(nullptr, desk);

    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = main_window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    window_class.hIconSm = LoadIcon(nullptr, IDI_APPLICATION);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(background_colour_plus_one);
    window_class.lpszClassName = class_name;
    if (RegisterClassExA(&window_class) == 0) return 0;

    HWND main_window = CreateWindowExA(0, class_name, main_window_title, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                       0, 0, world->DeskCap_X, world->DeskCap_Y, nullptr, nullptr, instance, nullptr);
    if (main_window == nullptr) return fail("cannot create the main window");

    Win32Dialog dialog_window;
    if (!dialog_window.create(instance, main_window, dialog, error)) {
        DestroyWindow(main_window);
        return fail(error);
    }

    Win32Presenter presenter(main_window);
    world->cliente = &presenter;
    Win32Display display(main_window);
    Win32Events events(main_window, dialog_window);
    Win32Windows windows(main_window, show_mode, dialog_window);
    MessageLoop loop(*world, dialog, display, accelerators, events, windows);

    MainWindowState state{*world, loop};
    SetWindowLongPtrA(main_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    int exit_code = run_shell(*world, loop, display, choices);
    // Destroying the window must not reach a loop that has ended.
    SetWindowLongPtrA(main_window, GWLP_USERDATA, 0);
    DestroyWindow(main_window);
    return exit_code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_mode)
{
    attach_console();
    int exit_code = 0;
    qm::QuickStart choices;
    if (qm::run_command_line(__argc, __argv, stdin, stdout, stderr, exit_code, choices)) return exit_code;
    return run_desktop(instance, show_mode, choices);
}
