#include "storage/clipboard.h"

#include <cstring>

#include "core/lyric_document.h"
#include "editor/current_track.h"
#include "editor/editing_commands.h"
#include "editor/editor_state.h"
#include "editor/system_text.h"
#include "host/utf8_string.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace versotime {

namespace {

// Shorter clipboard texts are taken for something else than lyrics.
constexpr int min_lyric_bytes = 50;

// The clipboard's text converted to UTF-8 into `out`; reports and returns
// false when there is none to take.
bool take_clipboard_text(HWND editor, Utf8String& out) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(editor)) {
        set_status(texts::get_clipboard_failed);
        return false;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) {
        CloseClipboard();
        set_status(texts::get_clipboard_failed);
        return false;
    }
    const char* text = static_cast<const char*>(GlobalLock(data));
    if (!text) {
        CloseClipboard();
        set_status(texts::allocate_failed);
        return false;
    }
    if (lstrlenA(text) < min_lyric_bytes) {
        GlobalUnlock(data);
        CloseClipboard();
        set_status(texts::no_lyrics_in_clipboard);
        return false;
    }
    out.append_system_text(text);
    GlobalUnlock(data);
    CloseClipboard();
    return true;
}

}  // namespace

void read_lyrics_from_clipboard(HWND editor) {
    Utf8String text;
    if (!take_clipboard_text(editor, text)) return;
    if (!lyric_document.read_lrc(text)) {
        clear_editor();
        current_line = -1;
        return;
    }
    if (!refresh_after_read(false)) return;
    show_offset();
    current_track.lyric_file_path.truncate(0);
    enable_control(IDC_SAVE_FILEPATH_TAG, false);
    set_status(texts::read_clipboard_ok);
}

void copy_lyrics_to_clipboard(HWND editor) {
    if (!OpenClipboard(editor)) {
        set_status(texts::copy_clipboard_failed);
        return;
    }
    if (lyric_document.line_count() == 0) {
        CloseClipboard();
        set_status(texts::no_lyric_to_copy);
        return;
    }
    Utf8String lrc;
    const bool made = lyric_document.write_lrc(working_offset, lrc);
    SystemText text(lrc.c_str(), lrc.length());
    if (!made || !text.data()) {
        // Out of memory: say so rather than put a cut or empty text there.
        CloseClipboard();
        set_status(texts::allocate_failed);
        return;
    }
    // Allocate before emptying, so a failure leaves the clipboard as it was.
    const SIZE_T size = static_cast<SIZE_T>(text.length()) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    char* bytes = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (!bytes) {
        if (block) GlobalFree(block);
        CloseClipboard();
        set_status(texts::allocate_failed);
        return;
    }
    std::memcpy(bytes, text.c_str(), text.length());
    bytes[text.length()] = '\0';
    GlobalUnlock(block);
    EmptyClipboard();
    // The system owns the block only once it has taken it.
    const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
    if (!placed) GlobalFree(block);
    CloseClipboard();
    set_status(placed ? texts::copy_clipboard_ok : texts::copy_clipboard_failed);
}

}  // namespace versotime
