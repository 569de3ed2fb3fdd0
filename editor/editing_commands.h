// The editing commands of the editor window and the list refreshes that the
// storage commands call after a read.
#pragma once

#include <windows.h>

namespace versotime {

void on_insert_lyrics(HWND window);
void on_add_lyrics(HWND window);
void on_modify_lyrics(HWND window);
void on_delete_lyrics(HWND window);
void on_add_timetag(HWND window);
void on_delete_timetag(HWND window);
void on_lyric_list(HWND window, int code);
void on_time_tag_list(HWND window, int code);
void on_offset_field(HWND window);
void set_edit_mode_playing(HWND window);
void set_edit_mode_normal(HWND window);
// Move the selected time tag, or every tag of the selected line when none is
// selected, by the seek step.
void on_nudge_later(HWND window);
void on_nudge_earlier(HWND window);

// Empties the document and both lists and disables the save, copy and clear
// buttons; the edit fields and the offset stay.
void clear_editor();
// After a read put lyrics into the document: refills the lists, selects the
// first line, and disables the button that would write back to the source.
// A text of more lines than the list takes (max_listed_lines) is refused
// instead: the editor is cleared, the status line says why, result false.
bool refresh_after_read(bool from_file);
// More lines than any lyric has, and as many as the lyric list fills in a
// few seconds under Wine (docs/performance.md).
constexpr int max_listed_lines = 200000;
// Takes the document's offset as the working offset and shows it.
void show_offset();
void fill_lyric_list();
void fill_time_tag_list(int line_index);

}  // namespace versotime
