// The editor's own keys. The player's message loop is not ours, so a
// message hook on the window's thread turns these key presses into commands
// of the window before the dialog manager sees them.
#pragma once

#include <windows.h>

namespace versotime {

// From the window's opening to its closing.
void start_editor_keys();
void stop_editor_keys();

}  // namespace versotime
