#include "editor/editing_commands.h"

#include <cmath>
#include <new>

#include "core/edit_history.h"
#include "core/lyric_document.h"
#include "editor/editor_state.h"
#include "editor/playback_tracking.h"
#include "editor/seek_transport.h"
#include "editor/system_text.h"
#include "host/host_services.h"
#include "resources/resource.h"

namespace versotime {

namespace {

// The time edit field is read with room for this many bytes, NUL included.
constexpr int time_field_room = 9;
// Two tags of one line closer than this are the same tag.
constexpr double same_tag_gap = 0.01;

LRESULT send_item(HWND window, int id, UINT message, WPARAM w = 0, LPARAM l = 0) {
    return SendDlgItemMessageA(window, id, message, w, l);
}

int selected_index(HWND window, int list_id) {
    const LRESULT sel = send_item(window, list_id, LB_GETCURSEL);
    return sel < 0 ? -1 : static_cast<int>(sel);
}

void put_line_entry(HWND window, int index, const LyricLine& line, bool append) {
    WideText shown;
    make_entry_wide(line.text().c_str(), line.text().length(), shown);
    put_list_item(window, IDC_LYRIC_LIST, append ? -1 : index, shown);
}

void append_tag_entry(HWND window, const TimeTag& tag) {
    WideText shown;
    shown.assign_utf8(tag.text(), tag.text_length());
    put_list_item(window, IDC_TIME_TAG_LIST, -1, shown);
}

// The lyric edit field's whole text, read through the wide call so that
// every character typed there comes in; false when memory ran out.
bool read_lyric_field(HWND window, Utf8String& text) { return get_item_text_utf8(window, IDC_LYRIC_EDIT, text); }

void show_in_lyric_field(HWND window, const char* text, std::uint32_t length) {
    set_item_text_utf8(window, IDC_LYRIC_EDIT, text, length);
}

// A new lyric line holding the lyric edit field's text, or null.
LyricLine* line_from_field(HWND window) {
    Utf8String text;
    if (!read_lyric_field(window, text)) return nullptr;
    LyricLine* line = new (std::nothrow) LyricLine();
    if (line && !line->text().try_assign(text.c_str(), text.length())) {
        delete line;
        line = nullptr;
    }
    return line;
}

bool has_tag_near(const LyricLine& line, double seconds) {
    for (int i = 0; i < line.tag_count(); ++i) {
        if (std::fabs(line.tag_time(i) - seconds) < same_tag_gap) return true;
    }
    return false;
}

void enable_saves() {
    enable_control(IDC_SAVE_LYRIC_FILE, true);
    enable_control(IDC_SAVE_LYRIC_TAG, true);
}

void select_line(HWND window, int index) {
    send_item(window, IDC_LYRIC_LIST, LB_SETCURSEL, static_cast<WPARAM>(index));
    current_line = index;
}

// Appends `tag` to the line and its list unless a tag within 0.01 s is there.
void add_tag_to_line(HWND window, LyricLine& line, TimeTag* tag) {
    if (!tag) return;
    if (tag->time() < 0.0 || has_tag_near(line, tag->time())) {
        delete tag;
        return;
    }
    const TimeTag& added = *tag;
    if (!line.add_tag(tag)) return;
    append_tag_entry(window, added);
    enable_saves();
    mark_lyrics_changed();
}

bool is_line(int index) { return index >= 0 && index < lyric_document.line_count(); }

void put_new_line(HWND window, bool at_selection) {
    const int sel = at_selection ? selected_index(window, IDC_LYRIC_LIST) : -1;
    LyricLine* line = line_from_field(window);
    if (!line) return;
    int index;
    if (is_line(sel)) {
        if (!lyric_document.insert_line(sel, line)) return;
        index = sel;
        put_line_entry(window, index, lyric_document.line(index), false);
    } else {
        if (!lyric_document.add_line(line)) {
            delete line;
            return;
        }
        index = lyric_document.line_count() - 1;
        put_line_entry(window, index, lyric_document.line(index), true);
    }
    select_line(window, index);
    fill_time_tag_list(index);
    enable_saves();
    enable_control(IDC_CLEAR, true);
    mark_lyrics_changed();
}

// Tags `first` to `last` of the line moved by `delta` seconds. A tag cannot
// change its time, so the tags from `first` on are made anew and put back in
// the same order; nothing changes unless all of them could be made. False
// when no time moved.
bool move_tags(LyricLine& line, int first, int last, double delta) {
    const int count = line.tag_count();
    bool moves = false;
    for (int i = first; i <= last && !moves; ++i) {
        const double time = line.tag_time(i);
        moves = time >= 0.0 && nudged_time(time, delta) != time;
    }
    if (!moves) return false;
    const int remade = count - first;
    TimeTag** tags = static_cast<TimeTag**>(std::calloc(static_cast<std::size_t>(remade), sizeof(TimeTag*)));
    if (!tags) return false;
    bool made = true;
    for (int i = 0; i < remade && made; ++i) {
        const double time = line.tag_time(first + i);
        tags[i] = new (std::nothrow) TimeTag(first + i <= last ? nudged_time(time, delta) : time);
        made = tags[i] != nullptr;
    }
    if (made) {
        for (int i = count - 1; i >= first; --i) line.remove_tag(i);
        for (int i = 0; i < remade; ++i) line.add_tag(tags[i]);
    } else {
        for (int i = 0; i < remade; ++i) delete tags[i];
    }
    std::free(tags);
    return made;
}

void nudge(HWND window, double direction) {
    const int sel = selected_index(window, IDC_LYRIC_LIST);
    if (!is_line(sel)) return;
    const double step = seek_step(window);
    if (step <= 0.0) return;
    LyricLine& line = lyric_document.line(sel);
    const int picked = selected_index(window, IDC_TIME_TAG_LIST);
    const bool one = picked >= 0 && picked < line.tag_count();
    const int first = one ? picked : 0;
    const int last = one ? picked : line.tag_count() - 1;
    if (last < first || !move_tags(line, first, last, step * direction)) return;
    line.refresh_tag_text();
    current_line = sel;
    fill_time_tag_list(sel);
    send_item(window, IDC_TIME_TAG_LIST, LB_SETCURSEL, static_cast<WPARAM>(one ? picked : -1));
    enable_saves();
    mark_lyrics_changed();
}

}  // namespace

void on_insert_lyrics(HWND window) { put_new_line(window, true); }

void on_add_lyrics(HWND window) { put_new_line(window, false); }

void on_modify_lyrics(HWND window) {
    const int sel = selected_index(window, IDC_LYRIC_LIST);
    if (!is_line(sel)) return;
    Utf8String text;
    if (!read_lyric_field(window, text)) return;
    if (!lyric_document.line(sel).text().try_assign(text.c_str(), text.length())) return;
    const bool last = sel == lyric_document.line_count() - 1;
    send_item(window, IDC_LYRIC_LIST, LB_DELETESTRING, static_cast<WPARAM>(sel));
    put_line_entry(window, sel, lyric_document.line(sel), last);
    select_line(window, sel);
    enable_saves();
    mark_lyrics_changed();
}

void on_delete_lyrics(HWND window) {
    const int sel = selected_index(window, IDC_LYRIC_LIST);
    if (!is_line(sel)) return;
    send_item(window, IDC_LYRIC_LIST, LB_DELETESTRING, static_cast<WPARAM>(sel));
    const LineView deleted = lyric_document.view(sel);
    show_in_lyric_field(window, deleted.text(), deleted.text_length());
    lyric_document.remove_line(sel);
    const int count = lyric_document.line_count();
    const int next = sel < count ? sel : count - 1;
    select_line(window, next);
    if (count == 0) {
        clear_editor();
    } else {
        fill_time_tag_list(next);
        enable_saves();
    }
    mark_lyrics_changed();
}

void on_add_timetag(HWND window) {
    if (!is_line(current_line)) return;
    char text[time_field_room] = {};
    GetDlgItemTextA(window, IDC_TIME_EDIT, text, time_field_room);
    add_tag_to_line(window, lyric_document.line(current_line), new (std::nothrow) TimeTag(text));
}

void on_delete_timetag(HWND window) {
    const int t = selected_index(window, IDC_TIME_TAG_LIST);
    const int l = selected_index(window, IDC_LYRIC_LIST);
    if (t < 0 || !is_line(l)) return;
    LyricLine& line = lyric_document.line(l);
    if (t >= line.tag_count()) return;
    send_item(window, IDC_TIME_TAG_LIST, LB_DELETESTRING, static_cast<WPARAM>(t));
    set_time_label(IDC_TIME_EDIT, line.tag_time(t));
    line.remove_tag(t);
    const int next = t < line.tag_count() ? t : line.tag_count() - 1;
    send_item(window, IDC_TIME_TAG_LIST, LB_SETCURSEL, static_cast<WPARAM>(next));
    enable_saves();
    mark_lyrics_changed();
}

void on_lyric_list(HWND window, int code) {
    if (code == LBN_SETFOCUS || code == LBN_KILLFOCUS) return;
    const int sel = selected_index(window, IDC_LYRIC_LIST);
    if (!is_line(sel)) return;
    current_line = sel;
    fill_time_tag_list(sel);
    // A look, not line(): selecting a line just read leaves it packed.
    const LineView view = lyric_document.view(sel);
    show_in_lyric_field(window, view.text(), view.text_length());
    // Playing mode stamps the line with the position the latest tick saw.
    if (edit_mode != EditMode::Playing || play_position < 0.0) return;
    LyricLine& line = lyric_document.line(sel);
    if (has_tag_near(line, play_position)) return;
    add_tag_to_line(window, line, new (std::nothrow) TimeTag(play_position));
}

void on_time_tag_list(HWND window, int code) {
    if (!is_line(current_line)) return;
    const int t = selected_index(window, IDC_TIME_TAG_LIST);
    const LyricLine& line = lyric_document.line(current_line);
    if (t < 0 || t >= line.tag_count()) return;
    if (code == LBN_SELCHANGE) {
        set_time_label(IDC_TIME_EDIT, line.tag_time(t));
    } else if (code == LBN_DBLCLK) {
        PlayerControl* control = player_control();
        if (control && control->is_playing()) control->seek_to(line.tag_time(t) + working_offset * 0.001);
    }
}

void set_edit_mode_playing(HWND) { edit_mode = EditMode::Playing; }

void set_edit_mode_normal(HWND) { edit_mode = EditMode::Normal; }

void on_nudge_later(HWND window) { nudge(window, 1.0); }

void on_nudge_earlier(HWND window) { nudge(window, -1.0); }

}  // namespace versotime
