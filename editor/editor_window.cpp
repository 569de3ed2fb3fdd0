#include "editor/editor_window.h"

namespace versotime {

// Placeholder until the editor window lands.
void open_editor() {}
void on_host_quit() {}

}  // namespace versotime
