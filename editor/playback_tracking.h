// Keeps the editor in step with the player: new-track events, and the 100 ms
// tick that captures the position and moves the slider and labels.
#pragma once

#include <cstdint>

#include "editor/current_track.h"

namespace versotime {

class TrackHandle;

// Seconds captured by the latest tick during playback; -1.0 before any.
extern double play_position;
// Slider value last written by the tick; -666 forces the next write.
extern std::int32_t last_slider_pos;
// True while the slider's thumb is dragged.
extern bool slider_dragging;

// The player's new-track event, window open or not.
void on_new_track(TrackHandle* track);
// The timer tick; from another thread it posts itself to the window.
void playback_tick();
// Caption "Versotime V0.15-<title>" from the configured title script.
void refresh_title_bar();
// Writes the mm:ss.t label of `seconds` into a control; negative: unchanged.
void set_time_label(int control_id, double seconds);

}  // namespace versotime
