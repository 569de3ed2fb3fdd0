// Moving lyrics between the document and lyric files on disk.
#pragma once

#include <windows.h>

namespace versotime {

class Utf8String;

// "Read Lyrics From File.." and "Save Lyrics To File..." of the editor.
void read_lyric_file(HWND editor);
void save_lyric_file(HWND editor);

// The proposed lyric file name (UTF-8) by the configured naming rule.
void propose_lyric_file_name(Utf8String& out);

// Writes the document as LRC text to `path`, in the encoding its text came
// in (document_encoding), or UTF-8 with a mark where that would lose a
// character, or UTF-8 where the text holds a byte that is not. 0 when
// written; -1 when nothing was written (empty document, or the file cannot
// be created); -3 when a write failed part-way. An existing file is replaced
// only once the new text is completely on disk.
int write_lyric_file(const char* path);

}  // namespace versotime
