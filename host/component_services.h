// The component's other four services: playback observer, preferences page
// entry, version record and quit hook.
#pragma once

#include "host/service_base.h"

namespace versotime {

class PlaybackObserverService final : public CountedService<PlaybackObserver> {
public:
    unsigned query_events() override;
    void on_playback_starting() override;
    void on_new_track(TrackHandle* track) override;
    void on_playback_stop(int reason) override;
    void on_seek(double seconds, int flags) override;
    void on_pause(int paused) override;
    void on_edited(TrackHandle* track) override;
    void on_dynamic_info(TrackHandle* track, int flags) override;
    void on_dynamic_track(TrackHandle* track, int flags, int extra) override;
    void on_time(double seconds) override;
};

class PreferencesPageEntryService final : public CountedService<PreferencesPageEntry> {
public:
    HWND create_page(HWND parent) override;
    const char* get_page_name() override;
    const char* get_parent_name() override;
};

class ComponentVersionService final : public CountedService<ComponentVersion> {
public:
    void get_file_name(Utf8StringInterface& out) override;
    void get_component_name(Utf8StringInterface& out) override;
    void get_version(Utf8StringInterface& out) override;
    void get_about_text(Utf8StringInterface& out) override;
};

class QuitHookService final : public CountedService<QuitHook> {
public:
    void on_init() override;
    void on_quit() override;
    void on_other() override;
};

}  // namespace versotime
