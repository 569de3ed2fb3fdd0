#include "host/component_services.h"

#include "editor/editor_window.h"
#include "editor/playback_tracking.h"
#include "host/component_client.h"
#include "resources/texts.h"
#include "settings/preferences_page.h"

namespace versotime {

// ---- Playback observer: only the new track matters ----

unsigned PlaybackObserverService::query_events() { return 0xFFFFFFFFu; }
void PlaybackObserverService::on_playback_starting() {}
void PlaybackObserverService::on_new_track(TrackHandle* track) { versotime::on_new_track(track); }
void PlaybackObserverService::on_playback_stop(int) {}
void PlaybackObserverService::on_seek(double, int) {}
void PlaybackObserverService::on_pause(int) {}
void PlaybackObserverService::on_edited(TrackHandle*) {}
void PlaybackObserverService::on_dynamic_info(TrackHandle*, int) {}
void PlaybackObserverService::on_dynamic_track(TrackHandle*, int, int) {}
void PlaybackObserverService::on_time(double) {}

// ---- Preferences page entry ----

HWND PreferencesPageEntryService::create_page(HWND parent) { return create_preferences_page(parent); }
const char* PreferencesPageEntryService::get_page_name() { return texts::component_name; }
const char* PreferencesPageEntryService::get_parent_name() { return texts::parent_page_name; }

// ---- Version record ----

void ComponentVersionService::get_file_name(Utf8StringInterface& out) {
    const char* name = module_file_name();
    out.assign(name != nullptr ? name : "");
}

void ComponentVersionService::get_component_name(Utf8StringInterface& out) { out.assign(texts::component_name); }
void ComponentVersionService::get_version(Utf8StringInterface& out) { out.assign(texts::version); }

void ComponentVersionService::get_about_text(Utf8StringInterface& out) {
    out.assign(texts::component_name);
    out.append(" v");
    out.append(texts::version);
    out.append("\nTime lyrics line by line while the track plays, and save them as LRC text "
               "to a file, a tag or the clipboard.\n");
    out.append(texts::about_keys);
}

// ---- Quit hook ----

void QuitHookService::on_init() {}
void QuitHookService::on_quit() { on_host_quit(); }
void QuitHookService::on_other() {}

}  // namespace versotime
