// Our stand-in for the player's utf8api library: each function converts
// UTF-8 to UTF-16 (or back) and calls the wide Win32 function.
#include "host/utf8api.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "host/text_convert.h"

namespace {

using versotime::Utf8StringInterface;

// UTF-16 copy of a UTF-8 text on the C heap; null for a null text or when
// the heap is exhausted.
wchar_t* widen(const char* text) {
    if (text == nullptr) return nullptr;
    std::size_t bytes = std::strlen(text);
    if (bytes >= 0x7FFFFFFFu / sizeof(wchar_t)) return nullptr;
    auto* wide = static_cast<wchar_t*>(std::malloc((bytes + 1) * sizeof(wchar_t)));
    if (wide == nullptr) return nullptr;
    versotime::convert_utf8_to_utf16(text, reinterpret_cast<char16_t*>(wide), static_cast<std::uint32_t>(bytes));
    return wide;
}

// Puts the window's text, converted to UTF-8, into `out`.
BOOL read_window_text(HWND window, Utf8StringInterface& out) {
    out.truncate(0);
    if (window == nullptr || !IsWindow(window)) return FALSE;
    int units = GetWindowTextLengthW(window);
    if (units < 0 || units > 0x0FFFFFFF) return FALSE;
    auto* wide = static_cast<wchar_t*>(std::malloc((static_cast<std::size_t>(units) + 1) * sizeof(wchar_t)));
    if (wide == nullptr) return FALSE;
    int got = GetWindowTextW(window, wide, units + 1);
    if (got < 0) got = 0;
    wide[got] = L'\0';
    auto* narrow = static_cast<char*>(std::malloc(static_cast<std::size_t>(got) * 3 + 1));
    BOOL ok = FALSE;
    if (narrow != nullptr) {
        versotime::convert_utf16_to_utf8(reinterpret_cast<const char16_t*>(wide), narrow,
                                         static_cast<std::uint32_t>(got));
        out.assign(narrow);
        ok = TRUE;
    }
    std::free(narrow);
    std::free(wide);
    return ok;
}

}  // namespace

extern "C" {

HWND uCreateDialog(HINSTANCE instance, int dialog_id, HWND parent, DLGPROC procedure, LPARAM param) {
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(dialog_id), parent, procedure, param);
}

BOOL uSetDlgItemText(HWND dialog, int control_id, const char* text) {
    wchar_t* wide = widen(text == nullptr ? "" : text);
    if (wide == nullptr) return FALSE;
    BOOL ok = SetDlgItemTextW(dialog, control_id, wide);
    std::free(wide);
    return ok;
}

BOOL uGetDlgItemText(HWND dialog, int control_id, Utf8StringInterface& out) {
    if (dialog == nullptr) {
        out.truncate(0);
        return FALSE;
    }
    return read_window_text(GetDlgItem(dialog, control_id), out);
}

BOOL uGetWindowText(HWND window, Utf8StringInterface& out) { return read_window_text(window, out); }

int uMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
    wchar_t* wide_text = widen(text == nullptr ? "" : text);
    wchar_t* wide_caption = widen(caption);
    int answer = 0;
    if (wide_text != nullptr) answer = MessageBoxW(owner, wide_text, wide_caption, flags);
    std::free(wide_caption);
    std::free(wide_text);
    return answer;
}

int stricmp_utf8(const char* a, const char* b) {
    wchar_t* wide_a = widen(a == nullptr ? "" : a);
    wchar_t* wide_b = widen(b == nullptr ? "" : b);
    int result = 0;
    if (wide_a != nullptr && wide_b != nullptr) {
        CharUpperBuffW(wide_a, static_cast<DWORD>(std::wcslen(wide_a)));
        CharUpperBuffW(wide_b, static_cast<DWORD>(std::wcslen(wide_b)));
        result = std::wcscmp(wide_a, wide_b);
    } else {
        // Out of memory: fall back to an exact comparison.
        result = std::strcmp(a == nullptr ? "" : a, b == nullptr ? "" : b);
    }
    std::free(wide_b);
    std::free(wide_a);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

}  // extern "C"
