// The editor window: the component's one window for making lyrics.
#pragma once

namespace versotime {

// Opens the editor, or shows and raises it when it is already open.
void open_editor();
// The player is quitting: closes the window as the close box would.
void on_host_quit();

}  // namespace versotime
