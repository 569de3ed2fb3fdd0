// Lyrics and the lyric file path kept in tag fields of the track.
#pragma once

#include <windows.h>

namespace versotime {

enum class TagTarget : int {
    lyric_text = 0,  // the field named by lyric_tag_value
    file_path = 1,   // the field named by lyric_filename_tag_value
};

// "Save Lyrics To Tag", "Save Filepath To Tag" and the save on closing.
void write_tag(TagTarget target);
// "Read Lyrics From Tag".
void read_lyrics_from_tag(HWND editor);

}  // namespace versotime
