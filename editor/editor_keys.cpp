#include "editor/editor_keys.h"

#include "editor/editor_state.h"
#include "resources/resource.h"

namespace versotime {

namespace {

HHOOK hook = nullptr;

// Where a key works: anywhere in the window but its edit fields (there the
// field's own Ctrl+Z stays), or only in the two lists.
enum class Place { not_in_edit_fields, lists };

struct KeyCommand {
    UINT key;
    bool shift;
    Place place;
    int command;
};

// Every key takes Ctrl; none takes Alt.
constexpr KeyCommand keys[] = {
    {'Z', false, Place::not_in_edit_fields, IDC_UNDO_KEY},
    {'Y', false, Place::not_in_edit_fields, IDC_REDO_KEY},
    {'Z', true, Place::not_in_edit_fields, IDC_REDO_KEY},
    {VK_RIGHT, false, Place::lists, IDC_NUDGE_LATER_KEY},
    {VK_LEFT, false, Place::lists, IDC_NUDGE_EARLIER_KEY},
};

bool is_edit_field(HWND control) {
    char name[16] = {};
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Edit") == 0;
}

bool is_in(HWND target, HWND window, Place place) {
    if (place == Place::lists) {
        const int id = GetDlgCtrlID(target);
        return GetParent(target) == window && (id == IDC_LYRIC_LIST || id == IDC_TIME_TAG_LIST);
    }
    return target == window || (IsChild(window, target) && !is_edit_field(target));
}

// Rewrites a key press meant for the editor into the window's command; the
// loop then hands it to the window procedure instead of the control.
void translate(MSG& msg) {
    HWND window = editor_window();
    if (!window || !msg.hwnd) return;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    for (const KeyCommand& k : keys) {
        if (k.key != msg.wParam || k.shift != shift || !is_in(msg.hwnd, window, k.place)) continue;
        msg.hwnd = window;
        msg.message = WM_COMMAND;
        msg.wParam = MAKEWPARAM(k.command, 0);
        msg.lParam = 0;
        return;
    }
}

LRESULT CALLBACK on_get_message(int code, WPARAM removal, LPARAM message) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        MSG* msg = reinterpret_cast<MSG*>(message);
        if (msg && msg->message == WM_KEYDOWN) translate(*msg);
    }
    return CallNextHookEx(hook, code, removal, message);
}

}  // namespace

void start_editor_keys() {
    if (!hook) hook = SetWindowsHookExA(WH_GETMESSAGE, on_get_message, nullptr, GetCurrentThreadId());
}

void stop_editor_keys() {
    if (hook) UnhookWindowsHookEx(hook);
    hook = nullptr;
}

}  // namespace versotime
