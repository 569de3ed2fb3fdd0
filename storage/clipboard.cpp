#include "storage/clipboard.h"

#include "core/lyric_document.h"
#include "editor/current_track.h"
#include "editor/editing_commands.h"
#include "editor/editor_state.h"
#include "host/text_convert.h"
#include "host/utf8_string.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "storage/clipboard_text.h"

namespace versotime {

namespace {

// Shorter clipboard texts are taken for something else than lyrics.
constexpr std::uint32_t min_lyric_bytes = 50;

// The clipboard's text converted to UTF-8 into `out`; reports and returns
// false when there is none to take.
bool take_clipboard_text(HWND editor, Utf8String& out) {
    switch (read_clipboard_text(editor, min_lyric_bytes, out)) {
    case ClipboardRead::ok: return true;
    case ClipboardRead::no_text: set_status(texts::get_clipboard_failed); break;
    case ClipboardRead::not_locked: set_status(texts::allocate_failed); break;
    case ClipboardRead::too_short: set_status(texts::no_lyrics_in_clipboard); break;
    case ClipboardRead::no_memory: set_status(texts::allocate_failed); break;
    }
    return false;
}

// Converted a piece at a time straight into the clipboard's block, so the
// scratch space stays a megabyte whatever the text.
constexpr std::uint32_t piece_bytes = 1u << 20;

// The system-code-page form of `utf8` into `block` (room for `length` + 1
// bytes), each invalid byte one "?"; false when the scratch space cannot be
// had. A piece never grows, so each fits where the previous one ended.
bool convert_into(const char* utf8, std::uint32_t length, char* block) {
    std::uint32_t at = 0;
    std::uint32_t used = 0;
    block[0] = '\0';
    while (at < length) {
        const std::uint32_t n = utf8_piece_length(utf8 + at, length - at, piece_bytes);
        std::uint32_t converted = 0;
        if (!convert_utf8_to_system_replacing(utf8 + at, n, block + used, &converted)) return false;
        used += converted;
        at += n;
    }
    return true;
}

}  // namespace

void read_lyrics_from_clipboard(HWND editor) {
    Utf8String text;
    if (!take_clipboard_text(editor, text)) return;
    if (!lyric_document.read_lrc(text)) {
        clear_editor();
        set_status(texts::allocate_failed);
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
    // Everything is made before the clipboard is emptied, so a failure
    // leaves it as it was. The converted text is never longer than its
    // UTF-8 form.
    const SIZE_T size = static_cast<SIZE_T>(lrc.length()) + 1;
    HGLOBAL block = made ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    char* bytes = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    const bool converted = bytes && convert_into(lrc.c_str(), lrc.length(), bytes);
    if (!converted) {
        if (bytes) GlobalUnlock(block);
        if (block) GlobalFree(block);
        CloseClipboard();
        set_status(texts::allocate_failed);
        return;
    }
    GlobalUnlock(block);
    EmptyClipboard();
    // The system owns the block only once it has taken it.
    const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
    if (!placed) GlobalFree(block);
    CloseClipboard();
    set_status(placed ? texts::copy_clipboard_ok : texts::copy_clipboard_failed);
}

}  // namespace versotime
