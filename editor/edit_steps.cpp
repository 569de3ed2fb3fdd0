#include "editor/edit_steps.h"

#include "core/edit_history.h"
#include "core/lyric_document.h"
#include "editor/editing_commands.h"
#include "editor/editor_state.h"
#include "host/utf8api.h"
#include "resources/resource.h"

namespace versotime {

namespace {

// 1,000 steps within 32 MB: 200 steps of a sheet packing to 160 KB (some
// 2,500 lines) still fit.
EditHistory history;

// The buttons whose enabling belongs to a state, one bit each.
constexpr int stateful_buttons[] = {IDC_SAVE_LYRIC_FILE, IDC_SAVE_LYRIC_TAG, IDC_COPY_CLIPBOARD, IDC_CLEAR};

// Set while a recorded command runs: what it causes (the offset field's
// change notification after a read) belongs to its step.
bool in_step = false;
// Set while a state is put back: the window's own notifications are no edits.
bool restoring = false;

// An open field edit of the offset: the state before its first keystroke.
bool typing = false;
EditState* typing_before = nullptr;
// The offset field as the last step or restore left it: the state before
// a field edit, whose first change notification comes after the change.
Utf8String offset_shown;

int selection_of(HWND window, int list_id) {
    const LRESULT sel = SendDlgItemMessageA(window, list_id, LB_GETCURSEL, 0, 0);
    return sel < 0 ? -1 : static_cast<int>(sel);
}

void read_offset_field(HWND window, Utf8String& out) {
    out.truncate(0);
    uGetDlgItemText(window, IDC_OFFSET_FIELD, out);
}

// What the window shows now. The notifications that start a step come after
// their change: `offset_text` then stands for the offset field, and
// `selection_moved` says the lyric list's selection already moved away from
// the current line.
EditState* take_state(HWND window, const Utf8String* offset_text = nullptr, bool selection_moved = false) {
    EditorView view;
    view.current_line = current_line;
    view.lyric_selection = selection_moved ? current_line : selection_of(window, IDC_LYRIC_LIST);
    view.tag_selection = selection_of(window, IDC_TIME_TAG_LIST);
    view.working_offset = working_offset;
    view.lyric_changed = lyric_changed;
    for (unsigned i = 0; i < sizeof stateful_buttons / sizeof stateful_buttons[0]; ++i) {
        if (IsWindowEnabled(GetDlgItem(window, stateful_buttons[i]))) view.enabled_controls |= 1u << i;
    }
    if (offset_text) {
        if (!view.offset_text.try_assign(offset_text->c_str(), offset_text->length())) return nullptr;
    } else {
        read_offset_field(window, view.offset_text);
    }
    return EditState::take(lyric_document, view, history.byte_bound());
}

bool lyrics_unchanged(HWND window, const EditState& before) {
    EditorView now;
    now.working_offset = working_offset;
    now.lyric_changed = lyric_changed;
    read_offset_field(window, now.offset_text);
    return before.same_lyrics(lyric_document, now);
}

// Keeps `before` as a step when the lyrics changed since it was taken. A
// missing state (no memory) may hide a change, so the history goes.
void finish_step(HWND window, EditState* before) {
    if (!before) {
        history.record(nullptr);
    } else if (lyrics_unchanged(window, *before)) {
        delete before;
    } else {
        history.record(before);
    }
    read_offset_field(window, offset_shown);
}

void close_field_edit(HWND window) {
    if (!typing) return;
    typing = false;
    EditState* before = typing_before;
    typing_before = nullptr;
    finish_step(window, before);
}

void show_view(HWND window, const EditorView& view) {
    fill_lyric_list();
    SendDlgItemMessageA(window, IDC_LYRIC_LIST, LB_SETCURSEL, static_cast<WPARAM>(view.lyric_selection), 0);
    current_line = view.current_line;
    fill_time_tag_list(current_line);
    SendDlgItemMessageA(window, IDC_TIME_TAG_LIST, LB_SETCURSEL, static_cast<WPARAM>(view.tag_selection), 0);
    uSetDlgItemText(window, IDC_OFFSET_FIELD, view.offset_text.c_str());
    working_offset = view.working_offset;
    lyric_changed = view.lyric_changed;
    for (unsigned i = 0; i < sizeof stateful_buttons / sizeof stateful_buttons[0]; ++i) {
        enable_control(stateful_buttons[i], (view.enabled_controls >> i & 1u) != 0);
    }
}

// Puts `target` back. Nothing here stamps, seeks or saves: list selections
// are set without notifications and the offset field's notification is
// ignored while `restoring`.
bool put_back(HWND window, const EditState& target) {
    restoring = true;
    EditorView view;
    const bool restored = target.restore(lyric_document, view);
    if (restored) {
        show_view(window, view);
    } else {
        // No memory: show whatever the document holds, nothing selected.
        fill_lyric_list();
        current_line = -1;
        fill_time_tag_list(-1);
    }
    restoring = false;
    read_offset_field(window, offset_shown);
    return restored;
}

void move_in_history(HWND window, bool undo) {
    close_field_edit(window);
    const EditState* target = undo ? history.undo_target() : history.redo_target();
    if (!target) return;
    EditState* present = take_state(window);
    if (!put_back(window, *target)) {
        delete present;
        history.forget();
        return;
    }
    if (undo) {
        history.undone(present);
    } else {
        history.redone(present);
    }
}

}  // namespace

void run_command(HWND window, Step step, CommandHandler handler, int code) {
    if (restoring && step == Step::offset_field) return;
    if (step == Step::none || in_step || restoring) {
        handler(window, code);
        return;
    }
    if (step == Step::offset_field) {
        if (code == EN_KILLFOCUS) close_field_edit(window);
        if (code == EN_CHANGE && !typing) {
            typing = true;
            typing_before = take_state(window, &offset_shown);
        }
        handler(window, code);
        return;
    }
    if (step == Step::stamp && (edit_mode != EditMode::Playing || code == LBN_SETFOCUS || code == LBN_KILLFOCUS)) {
        handler(window, code);
        return;
    }
    close_field_edit(window);
    EditState* before = take_state(window, nullptr, step == Step::stamp);
    in_step = true;
    handler(window, code);
    in_step = false;
    finish_step(window, before);
}

void on_undo(HWND window) { move_in_history(window, true); }

void on_redo(HWND window) { move_in_history(window, false); }

void forget_edit_history(HWND window) {
    typing = false;
    delete typing_before;
    typing_before = nullptr;
    history.forget();
    offset_shown.truncate(0);
    if (window) read_offset_field(window, offset_shown);
}

}  // namespace versotime
