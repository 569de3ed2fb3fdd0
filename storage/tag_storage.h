// Lyrics and the lyric file path kept in tag fields of the track.
#pragma once

#include <windows.h>

namespace versotime {

class TrackHandle;
class Utf8String;

enum class TagTarget : int {
    lyric_text = 0,  // the field named by lyric_tag_value
    file_path = 1,   // the field named by lyric_filename_tag_value
};

// "Save Lyrics To Tag" and "Save Filepath To Tag" write to the current
// track (null); the save on closing to the track the lyrics belong to.
void write_tag(TagTarget target, TrackHandle* track = nullptr);
// "Read Lyrics From Tag".
void read_lyrics_from_tag(HWND editor);

// The field name the target's template gives; false after reporting a
// template error in the status line.
bool tag_field_name(TagTarget target, Utf8String& out);
// The lyric field's value; true when one of at least 50 bytes was found.
bool read_lyric_tag(Utf8String& out);

}  // namespace versotime
