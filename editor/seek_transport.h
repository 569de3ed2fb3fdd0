// The seek slider with its drag tip, the transport buttons and the seek step.
#pragma once

#include <windows.h>

namespace versotime {

// The slider's drag tip while the window is open, else null.
extern HWND slider_tip;

// A tooltip that follows the slider's thumb, or null when none can be made.
HWND create_slider_tip(HWND window, HWND slider);
// Horizontal scroll notification: `code` and `value` from the low and high
// words of wParam.
void on_slider_scroll(HWND window, int code, int value);

void on_previous(HWND window);
void on_stop(HWND window);
void on_seek_back(HWND window);
void on_play(HWND window);
void on_pause(HWND window);
void on_seek_forward(HWND window);
void on_next(HWND window);

// Seconds chosen in the step list; -1.0 without a selection.
double seek_step(HWND window);

}  // namespace versotime
