// The preferences page, shown by the player inside its settings window.
#pragma once

#include <windows.h>

namespace versotime {

// Creates the page as a child of the player's window; null on failure.
HWND create_preferences_page(HWND parent);

}  // namespace versotime
