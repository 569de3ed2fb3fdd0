#include "storage/tag_storage.h"

#include "core/lyric_document.h"
#include "editor/current_track.h"
#include "editor/editing_commands.h"
#include "editor/editor_state.h"
#include "host/host_services.h"
#include "host/player_api.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "settings/config_variables.h"
#include "storage/field_name.h"
#include "storage/track_info_copy.h"

namespace versotime {

namespace {

// Shorter values are taken for leftovers, not lyrics.
constexpr std::uint32_t min_lyric_bytes = 50;

// Holds one extra reference to a track for the length of one command.
class TrackReference {
public:
    explicit TrackReference(TrackHandle* track) : track_(track) { track_->add_ref(); }
    ~TrackReference() { track_->release(); }
    TrackReference(const TrackReference&) = delete;
    TrackReference& operator=(const TrackReference&) = delete;

    TrackHandle* get() const { return track_; }

private:
    TrackHandle* track_;
};

// The current track's handle, fetched when none is held; null without one.
TrackHandle* current_handle() {
    if (!current_track.handle) current_track.fetch_track(nullptr);
    return current_track.handle;
}

struct WriteTexts {
    const char* written;
    const char* queued;
    const char* failed;
    int button;
};

const WriteTexts& texts_for(TagTarget target) {
    static const WriteTexts lyric = {texts::write_lyrics_tag_ok, texts::write_lyrics_tag_queued,
                                     texts::write_lyrics_tag_failed, IDC_SAVE_LYRIC_TAG};
    static const WriteTexts path = {texts::write_path_tag_ok, texts::write_path_tag_queued,
                                    texts::write_path_tag_failed, IDC_SAVE_FILEPATH_TAG};
    return target == TagTarget::file_path ? path : lyric;
}

void report_update(TagTarget target, int result) {
    const WriteTexts& t = texts_for(target);
    switch (result) {
    case 1:
        set_status(t.written);
        enable_control(t.button, false);
        break;
    case 0:
        set_status(t.queued);
        enable_control(t.button, false);
        break;
    case -1:
        set_status(t.failed);
        break;
    default:
        break;
    }
}

}  // namespace

bool tag_field_name(TagTarget target, Utf8String& out) {
    const bool lyric = target == TagTarget::lyric_text;
    if (extract_field_name(lyric ? lyric_tag_value.get() : lyric_filename_tag_value.get(), out)) return true;
    set_status(lyric ? texts::lyric_tag_format_error : texts::filepath_tag_format_error);
    return false;
}

bool read_lyric_tag(Utf8String& out) {
    TrackHandle* handle = current_handle();
    if (!handle) return false;
    TrackReference track(handle);
    Utf8String name;
    if (!tag_field_name(TagTarget::lyric_text, name)) return false;
    if (read_meta_field(track.get(), name.c_str(), 0, out) && out.length() >= min_lyric_bytes) {
        set_status(texts::read_tag_ok);
        return true;
    }
    set_status(texts::lyric_too_short);
    return false;
}

void read_lyrics_from_tag(HWND) {
    Utf8String text;
    if (!read_lyric_tag(text)) {
        clear_editor();
    } else if (!lyric_document.read_lrc(text)) {
        // Part of the lyrics must never pass for the whole.
        clear_editor();
        set_status(texts::allocate_failed);
    } else {
        if (refresh_after_read(false)) show_offset();
    }
    enable_control(IDC_SAVE_FILEPATH_TAG, false);
}

void write_tag(TagTarget target, TrackHandle* target_track) {
    TrackHandle* handle = target_track ? target_track : current_handle();
    if (!handle) return;
    TrackReference track(handle);
    TrackInfoCopy info;
    if (track.get()->get_info(&info, 0) == 0) return;
    Utf8String name;
    if (!tag_field_name(target, name)) return;

    Utf8String value;
    if (target == TagTarget::file_path) {
        value = current_track.lyric_file_path;
    } else {
        if (lyric_document.line_count() == 0) {
            set_status(texts::lyric_too_short);
            return;
        }
        if (!lyric_document.write_lrc(working_offset, value)) return;
    }

    track.get()->lock();
    meta_replace(info, name.c_str(), value.c_str());
    const int result = track.get()->update_info(&info, 0);
    track.get()->unlock();
    report_update(target, result);
}

}  // namespace versotime
