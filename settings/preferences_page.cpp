#include "settings/preferences_page.h"

namespace versotime {

// Placeholder until the preferences page lands.
HWND create_preferences_page(HWND) { return nullptr; }

}  // namespace versotime
