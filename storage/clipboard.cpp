#include "storage/clipboard.h"

#include "core/lyric_document.h"
#include "editor/current_track.h"
#include "editor/editing_commands.h"
#include "editor/editor_state.h"
#include "host/text_encoder.h"
#include "host/unicode_text.h"
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

// A moveable block of `size` bytes, filled by `fill` while locked; null when
// it cannot be had or filled.
template <typename Fill>
HGLOBAL make_block(SIZE_T size, Fill fill) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    void* bytes = GlobalLock(block);
    const bool filled = bytes && fill(bytes);
    if (bytes) GlobalUnlock(block);
    if (filled) return block;
    GlobalFree(block);
    return nullptr;
}

// CF_TEXT: the system-code-page form, each invalid byte one "?", written a
// piece at a time straight into the block. It is never longer than the
// UTF-8 form.
HGLOBAL make_system_block(const Utf8String& lrc) {
    return make_block(static_cast<SIZE_T>(lrc.length()) + 1, [&](void* bytes) {
        char* block = static_cast<char*>(bytes);
        BlockSink sink(block, lrc.length());
        if (encode_text(lrc.c_str(), lrc.length(), TextEncoding::system_code_page, sink) != EncodeResult::done) {
            return false;
        }
        block[sink.used()] = '\0';
        return true;
    });
}

// CF_UNICODETEXT: every character, each invalid byte one U+FFFD; never more
// units than UTF-8 bytes.
HGLOBAL make_unicode_block(const Utf8String& lrc) {
    return make_block((static_cast<SIZE_T>(lrc.length()) + 1) * sizeof(char16_t), [&](void* units) {
        convert_utf8_to_utf16_replacing(lrc.c_str(), static_cast<char16_t*>(units), lrc.length());
        return true;
    });
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
    document_encoding = TextEncoding::system_code_page;
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
    // leaves it as it was.
    HGLOBAL unicode = made ? make_unicode_block(lrc) : nullptr;
    HGLOBAL system = unicode ? make_system_block(lrc) : nullptr;
    if (!system) {
        if (unicode) GlobalFree(unicode);
        CloseClipboard();
        set_status(texts::allocate_failed);
        return;
    }
    EmptyClipboard();
    // The system owns a block only once it has taken it.
    const bool placed_unicode = SetClipboardData(CF_UNICODETEXT, unicode) != nullptr;
    if (!placed_unicode) GlobalFree(unicode);
    const bool placed = SetClipboardData(CF_TEXT, system) != nullptr;
    if (!placed) GlobalFree(system);
    CloseClipboard();
    set_status(placed && placed_unicode ? texts::copy_clipboard_ok : texts::copy_clipboard_failed);
}

}  // namespace versotime
