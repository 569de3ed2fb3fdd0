// The editor's component-wide objects. The tracks come right after the
// configuration variables and before the document; the service records
// follow (see the priorities in editor_state.h).
#include "core/lyric_document.h"
#include "editor/current_track.h"
#include "editor/editor_state.h"

namespace versotime {

__attribute__((init_priority(VERSOTIME_INIT_PRIORITY_TRACKS))) CurrentTrack current_track;
__attribute__((init_priority(VERSOTIME_INIT_PRIORITY_TRACKS))) CurrentTrack last_seen_track;
__attribute__((init_priority(VERSOTIME_INIT_PRIORITY_DOCUMENT))) LyricDocument lyric_document;
// Constant-initialised: no constructor runs.
HeldTrack lyrics_track;

int current_line = -1;
EditMode edit_mode = EditMode::Normal;
std::int32_t working_offset = 0;
bool lyric_changed = false;

void mark_lyrics_changed() {
    lyric_changed = true;
    lyrics_track.hold(current_track.handle);
}

}  // namespace versotime
