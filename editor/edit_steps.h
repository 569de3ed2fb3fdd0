// Undo and redo in the editor window: each command that changes the lyrics
// becomes one step of the history, and the undo and redo keys put whole
// earlier states back into the document and the window.
#pragma once

#include <windows.h>

namespace versotime {

using CommandHandler = void (*)(HWND window, int code);

// How a command of the window relates to the history.
enum class Step {
    none,          // never changes the lyrics
    change,        // may change them: one step when it did
    stamp,         // the lyric list: changes them only by stamping in Playing mode
    offset_field,  // typing in the offset field: one step per field edit
};

// Runs the handler of one command, recording a step when the lyrics changed.
void run_command(HWND window, Step step, CommandHandler handler, int code);

void on_undo(HWND window);
void on_redo(HWND window);

// The window opened or closed: the history starts empty.
void forget_edit_history(HWND window);

}  // namespace versotime
