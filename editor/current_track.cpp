#include "editor/current_track.h"

#include <cstring>

#include "host/host_services.h"
#include "host/player_api.h"

namespace versotime {

namespace {

// The path without everything up to and including the first "://".
const char* strip_scheme(const char* path) {
    const char* mark = std::strstr(path, "://");
    return mark ? mark + 3 : path;
}

}  // namespace

void HeldTrack::hold(TrackHandle* track) {
    if (track) track->add_ref();
    if (track_) track_->release();
    track_ = track;
}

void CurrentTrack::release_track() {
    if (handle) handle->release();
    handle = nullptr;
}

void CurrentTrack::fetch_track(TrackHandle* track) {
    release_track();
    if (track) {
        track->add_ref();
        handle = track;
        return;
    }
    if (PlayerControl* control = player_control()) handle = control->get_now_playing();
    if (handle) return;
    if (TrackList* list = track_list()) handle = list->get_track_at(list->get_focus_index());
}

void CurrentTrack::copy_track(const CurrentTrack& other) {
    if (&other == this) return;
    release_track();
    if (other.handle) {
        other.handle->add_ref();
        handle = other.handle;
    }
    track_length = other.track_length;
    location = other.location;
    lyric_file_path = other.lyric_file_path;
}

bool CurrentTrack::track_differs(const CurrentTrack& other) const {
    const double gap = track_length - other.track_length;
    if (gap > 0.1 || gap < -0.1) return true;
    return location.length() != other.location.length() ||
           std::memcmp(location.c_str(), other.location.c_str(), location.length()) != 0;
}

bool CurrentTrack::refresh_location() {
    if (!handle) fetch_track(nullptr);
    if (!handle) return false;
    const TrackLocation* where = handle->get_location();
    const char* path = where ? where->get_path() : nullptr;
    location.assign(strip_scheme(path ? path : ""));
    return true;
}

bool CurrentTrack::format_track_title(const char* system_script, Utf8String& out) {
    if (!handle) fetch_track(nullptr);
    if (!handle) return false;
    TrackHandle* track = handle;
    track->add_ref();
    Utf8String script;
    script.assign_system_text(system_script ? system_script : "");
    out.assign("");
    track->format_title(out, script.c_str(), 0);
    track->release();
    return !out.equals("?");
}

}  // namespace versotime
