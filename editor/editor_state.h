// State of the editor that lives as long as the component is loaded, whether
// or not the window is open, and the small window helpers the storage
// commands share with the editing commands.
#pragma once

#include "host/init_order.h"
#include "host/text_encoding.h"

#include <windows.h>

#include <cstdint>

namespace versotime {

class LyricDocument;

enum class EditMode : int { Normal = 0, Playing = 1 };


// The component's one lyric sheet.
extern LyricDocument lyric_document;

// Index of the current lyric line; -1 for none.
extern int current_line;
extern EditMode edit_mode;
// Milliseconds; what the LRC writers are given and what seeking to a tag adds.
extern std::int32_t working_offset;
// Set by every change to the document or the offset; never cleared.
extern bool lyric_changed;
// How the document's text came in: a lyric file's own encoding; the system
// code page for a tag, the clipboard or typing. Kept with the document
// because every read and every emptying replaces both together; a save to a
// file writes this encoding back.
extern TextEncoding document_encoding;

// Every change to the document or the offset (an edit, a stamp, an offset
// change, a read) goes through here.
void mark_lyrics_changed();

// The open editor window, or null while it is closed.
HWND editor_window();

// Writes system-code-page text into the status line; nothing while closed.
void set_status(const char* system_text);
// Enables or disables one control of the editor; nothing while closed.
void enable_control(int control_id, bool enabled);

}  // namespace versotime
