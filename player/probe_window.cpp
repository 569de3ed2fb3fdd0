#include "player/probe_window.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace versotime {
namespace player {

namespace {

constexpr const char* probe_class = "VersotimePlayerProbe";
int change_count = 0;

void set_status(HWND window, const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    SetDlgItemTextA(window, probe_status, text);
}

void on_open(HWND window) {
    char path[MAX_PATH] = {};
    GetDlgItemTextA(window, probe_edit, path, sizeof path);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrTitle = "Probe Open";
    ofn.Flags = OFN_EXPLORER | OFN_SHOWHELP;
    if (GetOpenFileNameA(&ofn)) {
        SetDlgItemTextA(window, probe_edit, path);
        SetDlgItemTextA(window, probe_status, "opened");
    } else {
        SetDlgItemTextA(window, probe_status, "cancelled");
    }
}

void on_message(HWND window) {
    char text[512] = {};
    GetDlgItemTextA(window, probe_edit, text, sizeof text);
    int answer = MessageBoxA(window, text, nullptr, MB_OK);
    set_status(window, "message closed %d", answer);
}

void on_colour(HWND window) {
    static COLORREF custom[16] = {};
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = window;
    choice.lpCustColors = custom;
    ChooseColorA(&choice);
    SetDlgItemTextA(window, probe_status, "colour closed");
}

void on_command(HWND window, int id, int code) {
    switch (id) {
    case probe_open_button: on_open(window); break;
    case probe_message_button: on_message(window); break;
    case probe_colour_button: on_colour(window); break;
    case probe_check: set_status(window, "check %d", static_cast<int>(IsDlgButtonChecked(window, probe_check))); break;
    case IDCANCEL: SetDlgItemTextA(window, probe_status, "cancel"); break;
    case probe_list: {
        int selected = static_cast<int>(SendDlgItemMessageA(window, probe_list, LB_GETCURSEL, 0, 0));
        if (code == LBN_SELCHANGE) set_status(window, "list select %d", selected);
        if (code == LBN_DBLCLK) set_status(window, "list double %d", selected);
        break;
    }
    case probe_combo:
        if (code == CBN_SELCHANGE)
            set_status(window, "combo %d", static_cast<int>(SendDlgItemMessageA(window, probe_combo, CB_GETCURSEL, 0, 0)));
        break;
    case probe_edit:
        if (code == EN_CHANGE) {
            char text[32];
            std::snprintf(text, sizeof text, "changes %d", ++change_count);
            SetDlgItemTextA(window, probe_change_count, text);
        }
        break;
    default: break;
    }
}

LRESULT CALLBACK probe_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND) {
        on_command(window, LOWORD(wparam), HIWORD(wparam));
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExA(std::strcmp(cls, "EDIT") == 0 || std::strcmp(cls, "LISTBOX") == 0 ? WS_EX_CLIENTEDGE : 0,
                           cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

HWND create_probe_window() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = probe_procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = probe_class;
        registered = RegisterClassA(&wc) != 0;
        if (!registered) return nullptr;
    }
    change_count = 0;
    HWND window = CreateWindowExA(0, probe_class, "Player probe", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                  100, 100, 360, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) return nullptr;
    child(window, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 220, 22, probe_edit);
    child(window, "BUTTON", "Open...", WS_TABSTOP | BS_PUSHBUTTON, 240, 10, 100, 22, probe_open_button);
    child(window, "BUTTON", "Message", WS_TABSTOP | BS_PUSHBUTTON, 240, 40, 100, 22, probe_message_button);
    HWND list = child(window, "LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 10, 40, 220,
                      60, probe_list);
    for (const char* item : {"one", "two", "three", "four", "five", "six", "seven", "eight"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    HWND combo = child(window, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 240, 70, 100, 120, probe_combo);
    for (const char* item : {"0.1s", "1s", "2s", "5s"}) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    child(window, "BUTTON", "Check", WS_TABSTOP | BS_AUTOCHECKBOX, 10, 110, 100, 20, probe_check);
    child(window, "BUTTON", "Colour...", WS_TABSTOP | BS_PUSHBUTTON, 240, 110, 100, 22, probe_colour_button);
    child(window, "STATIC", "", SS_LEFT, 10, 140, 330, 20, probe_status);
    child(window, "STATIC", "changes 0", SS_LEFT, 10, 165, 330, 20, probe_change_count);
    // Filled through the wide calls with text no single code page holds.
    HWND wide = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                                10, 190, 330, 50, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(probe_wide_list)),
                                GetModuleHandleW(nullptr), nullptr);
    for (const wchar_t* item : {L"caf\u00E9", L"\u65E5\u672C\u8A9E", L"\u4E2D\u6587", L"\U0001F600"})
        SendMessageW(wide, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    return window;
}

}  // namespace player
}  // namespace versotime
