// Placeholders until lyric storage lands.
#include "storage/clipboard.h"
#include "storage/lyric_files.h"
#include "storage/tag_storage.h"

namespace versotime {

void read_lyric_file(HWND) {}
void save_lyric_file(HWND) {}
void write_tag(TagTarget) {}
void read_lyrics_from_tag(HWND) {}
void read_lyrics_from_clipboard(HWND) {}
void copy_lyrics_to_clipboard(HWND) {}

}  // namespace versotime
