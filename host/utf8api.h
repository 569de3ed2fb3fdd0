// The player's utf8api library: window functions that take and give UTF-8.
// Its names are undecorated C names (cdecl); the component links its import
// library and imports them from utf8api.dll.
#pragma once

#include <windows.h>

#include "host/stricmp_utf8.h"
#include "host/utf8_string.h"

extern "C" {

// Creates a modeless dialog from the template `dialog_id` of `instance`.
HWND uCreateDialog(HINSTANCE instance, int dialog_id, HWND parent, DLGPROC procedure, LPARAM param);
// Nonzero on success.
BOOL uSetDlgItemText(HWND dialog, int control_id, const char* text);
// Replace `out` with the control's or window's text; nonzero on success, and
// `out` is left empty on failure.
BOOL uGetDlgItemText(HWND dialog, int control_id, versotime::Utf8StringInterface& out);
BOOL uGetWindowText(HWND window, versotime::Utf8StringInterface& out);
// `caption` may be null (the system's default caption).
int uMessageBox(HWND owner, const char* text, const char* caption, UINT flags);

}  // extern "C"
