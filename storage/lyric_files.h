// Moving lyrics between the document and lyric files on disk.
#pragma once

#include <windows.h>

namespace versotime {

// "Read Lyrics From File.." and "Save Lyrics To File..." of the editor.
void read_lyric_file(HWND editor);
void save_lyric_file(HWND editor);

}  // namespace versotime
