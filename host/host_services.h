// The player as the component sees it: the registry and module handle from
// the export, the cached playback and track-list services, and small
// wrappers around the calls every part makes the same way.
#pragma once

#include <windows.h>

#include "host/player_api.h"

namespace versotime {

// As last handed to the export; null before the first call.
extern HINSTANCE module_instance;
extern ServiceRegistry* service_registry;

// Fetched on first use and kept; null while the player has none (asked
// again on the next call then).
PlayerControl* player_control();
TrackList* track_list();

// Tell every modeless-dialog registry of the player about the window, so
// its message loop gives the dialog its keyboard navigation.
void register_modeless_dialog(HWND window);
void unregister_modeless_dialog(HWND window);

// Seconds; 0.0 without a track or without information.
double read_track_length(TrackHandle* track);
// The `index`-th value of the meta field `name` into `out`; false (and
// `out` unchanged) when the track has no such value.
bool read_meta_field(TrackHandle* track, const char* name, int index, Utf8StringInterface& out);

}  // namespace versotime
