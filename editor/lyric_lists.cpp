// Refilling the two lists from the document, and the operations the storage
// commands run after a read: the lists, the buttons and the offset field.
#include <cstdint>

#include "core/lyric_document.h"
#include "editor/editing_commands.h"
#include "editor/editor_state.h"
#include "editor/system_text.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace versotime {

namespace {

LRESULT send_item(HWND window, int id, UINT message, WPARAM w = 0, LPARAM l = 0) {
    return SendDlgItemMessageA(window, id, message, w, l);
}

// Pixels per UTF-8 byte of the widest line: the default GUI font's height
// in points, scaled by 88/90.
long extent_per_byte(HWND window) {
    LOGFONTA font{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(window, dc);
    const int points = MulDiv(font.lfHeight, 72, dpi);
    return (-88L * points) / 90;
}

// Filling a list with many items: room for all of them at once and no
// repainting until the last is in (one item at a time, a list of 100,000
// lines took minutes).
class BulkFill {
public:
    BulkFill(HWND window, int id, int count) : list_(GetDlgItem(window, id)) {
        if (!list_) return;
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        if (count > 0) SendMessageA(list_, LB_INITSTORAGE, static_cast<WPARAM>(count), 0);
    }
    ~BulkFill() {
        if (!list_) return;
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    BulkFill(const BulkFill&) = delete;
    BulkFill& operator=(const BulkFill&) = delete;

private:
    HWND list_;
};

}  // namespace

void fill_lyric_list() {
    HWND window = editor_window();
    if (!window) return;
    send_item(window, IDC_LYRIC_LIST, LB_RESETCONTENT);
    std::uint32_t widest = 0;
    BulkFill bulk(window, IDC_LYRIC_LIST, lyric_document.line_count());
    for (int i = 0; i < lyric_document.line_count(); ++i) {
        // A view: filling the list must not unpack every line just read.
        const LineView line = lyric_document.view(i);
        SystemText shown(line.text(), line.text_length());
        make_entry_text(line.text_length(), shown);
        send_item(window, IDC_LYRIC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        if (line.text_length() > widest) widest = line.text_length();
    }
    const long long extent = static_cast<long long>(extent_per_byte(window)) * widest;
    const long long bounded = extent < 0 ? 0 : extent > 0x7FFFFFFF ? 0x7FFFFFFF : extent;
    send_item(window, IDC_LYRIC_LIST, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(bounded));
}

void fill_time_tag_list(int line_index) {
    HWND window = editor_window();
    if (!window) return;
    send_item(window, IDC_TIME_TAG_LIST, LB_RESETCONTENT);
    if (line_index < 0 || line_index >= lyric_document.line_count()) return;
    const LineView line = lyric_document.view(line_index);
    BulkFill bulk(window, IDC_TIME_TAG_LIST, line.tag_count());
    for (int i = 0; i < line.tag_count(); ++i) {
        char printed[time_tag_capacity];
        SystemText shown(printed, line.tag_text(i, printed));
        send_item(window, IDC_TIME_TAG_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
}

void clear_editor() {
    lyric_document.clear();
    current_line = -1;
    if (HWND window = editor_window()) {
        send_item(window, IDC_LYRIC_LIST, LB_RESETCONTENT);
        send_item(window, IDC_TIME_TAG_LIST, LB_RESETCONTENT);
    }
    enable_control(IDC_SAVE_LYRIC_FILE, false);
    enable_control(IDC_SAVE_LYRIC_TAG, false);
    enable_control(IDC_COPY_CLIPBOARD, false);
    enable_control(IDC_CLEAR, false);
}

bool refresh_after_read(bool from_file) {
    if (lyric_document.line_count() > max_listed_lines) {
        // A million empty lines would take the list minutes and hundreds of
        // megabytes; no lyric has that many.
        clear_editor();
        set_status(texts::too_many_lines);
        return false;
    }
    HWND window = editor_window();
    current_line = -1;
    if (window) {
        fill_lyric_list();
        send_item(window, IDC_TIME_TAG_LIST, LB_RESETCONTENT);
        if (lyric_document.line_count() > 0) {
            send_item(window, IDC_LYRIC_LIST, LB_SETCURSEL, 0);
            fill_time_tag_list(0);
            send_item(window, IDC_TIME_TAG_LIST, LB_SETCURSEL, 0);
            current_line = 0;
        }
    } else if (lyric_document.line_count() > 0) {
        current_line = 0;
    }
    enable_control(IDC_SAVE_LYRIC_FILE, !from_file);
    enable_control(IDC_SAVE_LYRIC_TAG, from_file);
    enable_control(IDC_COPY_CLIPBOARD, true);
    enable_control(IDC_CLEAR, true);
    return true;
}

void show_offset() {
    working_offset = lyric_document.offset_ms();
    HWND window = editor_window();
    if (!window) return;
    if (working_offset > 10 || working_offset < -10) {
        SetDlgItemInt(window, IDC_OFFSET_FIELD, static_cast<UINT>(working_offset), TRUE);
    } else {
        SetDlgItemTextA(window, IDC_OFFSET_FIELD, "");
    }
    // The field's change notification reads the offset back; run it here too
    // in case the text did not change and no notification came.
    on_offset_field(window);
}

void on_offset_field(HWND window) {
    mark_lyrics_changed();
    BOOL read = FALSE;
    const UINT value = GetDlgItemInt(window, IDC_OFFSET_FIELD, &read, TRUE);
    working_offset = read ? static_cast<std::int32_t>(value) : 0;
    enable_control(IDC_SAVE_LYRIC_TAG, true);
    enable_control(IDC_SAVE_LYRIC_FILE, true);
}

}  // namespace versotime
