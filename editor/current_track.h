// What the component holds about one track: its length, a counted handle,
// its location without the scheme, and the lyric file last saved for it.
#pragma once

#include "host/utf8_string.h"

namespace versotime {

class TrackHandle;

// Length of a track nothing is known about yet.
constexpr double track_length_unknown = -666.0;

class CurrentTrack {
public:
    CurrentTrack() = default;
    CurrentTrack(const CurrentTrack&) = delete;
    CurrentTrack& operator=(const CurrentTrack&) = delete;
    // The handle is not released here: at unload the player may be gone.
    ~CurrentTrack() = default;

    void release_track();
    // Holds `track` (a new reference), or with null the now-playing track,
    // else the focused entry of the track list, else nothing.
    void fetch_track(TrackHandle* track);
    void copy_track(const CurrentTrack& other);
    // Lengths more than 0.1 s apart, or locations not byte for byte equal.
    bool track_differs(const CurrentTrack& other) const;
    // Reloads `location` from the held (or fetched) track; false without one.
    bool refresh_location();
    // Formats the title script (system code page) for the held (or fetched)
    // track into UTF-8 `out`; false without a track or for the result "?".
    bool format_track_title(const char* system_script, Utf8String& out);

    double track_length = track_length_unknown;
    TrackHandle* handle = nullptr;
    Utf8String location;
    Utf8String lyric_file_path;
};

// A counted reference to a track, held until replaced or released.
class HeldTrack {
public:
    constexpr HeldTrack() = default;
    // Not released here: at unload the player may be gone.
    ~HeldTrack() = default;
    HeldTrack(const HeldTrack&) = delete;
    HeldTrack& operator=(const HeldTrack&) = delete;

    // Holds `track` (a new reference; null holds nothing) and lets go of the
    // one held before.
    void hold(TrackHandle* track);
    void release() { hold(nullptr); }
    TrackHandle* get() const { return track_; }

private:
    TrackHandle* track_ = nullptr;
};

// The track the editor works on.
extern CurrentTrack current_track;
// The tick's copy of current_track, to notice a new track.
extern CurrentTrack last_seen_track;
// The track that was current when the lyrics last changed: the one the
// automatic save on closing writes to, whatever plays by then.
extern HeldTrack lyrics_track;

}  // namespace versotime
