#include "player/clipboard.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "host/unicode_text.h"
#include "host/utf8_string.h"

namespace versotime {
namespace player {

namespace {

// Another program may hold the clipboard for a moment.
bool open_clipboard() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

bool clipboard_set_text(const std::string& bytes) {
    if (!open_clipboard()) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    bool ok = false;
    if (memory) {
        char* p = static_cast<char*>(GlobalLock(memory));
        std::memcpy(p, bytes.data(), bytes.size());
        p[bytes.size()] = '\0';
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!ok) GlobalFree(memory);
    }
    CloseClipboard();
    return ok;
}

bool clipboard_set_text_utf8(const std::string& utf8) {
    if (utf8.size() >= 0x7FFFFFFF / sizeof(char16_t)) return false;
    std::vector<char16_t> units(utf8.size() + 1);
    const std::uint32_t n = convert_utf8_to_utf16_replacing(utf8.c_str(), units.data(),
                                                            static_cast<std::uint32_t>(utf8.size()));
    if (!open_clipboard()) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (n + 1) * sizeof(char16_t));
    bool ok = false;
    if (memory) {
        void* p = GlobalLock(memory);
        std::memcpy(p, units.data(), (n + 1) * sizeof(char16_t));
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!ok) GlobalFree(memory);
    }
    CloseClipboard();
    return ok;
}

bool clipboard_set_picture() {
    if (!open_clipboard()) return false;
    EmptyClipboard();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    bool ok = bitmap && SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    if (!ok && bitmap) DeleteObject(bitmap);
    CloseClipboard();
    return ok;
}

bool clipboard_clear() {
    if (!open_clipboard()) return false;
    bool ok = EmptyClipboard() != 0;
    CloseClipboard();
    return ok;
}

bool clipboard_hold(bool hold) {
    if (hold) return open_clipboard();
    return CloseClipboard() != 0;
}

bool clipboard_text(std::string& bytes) {
    bytes.clear();
    if (!open_clipboard()) return false;
    bool ok = false;
    HANDLE data = IsClipboardFormatAvailable(CF_TEXT) ? GetClipboardData(CF_TEXT) : nullptr;
    if (data) {
        const char* p = static_cast<const char*>(GlobalLock(data));
        if (p) {
            SIZE_T size = GlobalSize(data);
            SIZE_T length = 0;
            while (length < size && p[length]) ++length;
            bytes.assign(p, length);
            GlobalUnlock(data);
            ok = true;
        }
    }
    CloseClipboard();
    return ok;
}

bool clipboard_unicode_text(std::string& utf8) {
    utf8.clear();
    if (!open_clipboard()) return false;
    bool ok = false;
    HANDLE data = IsClipboardFormatAvailable(CF_UNICODETEXT) ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    if (data) {
        const char16_t* p = static_cast<const char16_t*>(GlobalLock(data));
        if (p) {
            const SIZE_T units = GlobalSize(data) / sizeof(char16_t);
            const std::uint32_t bound = units < 0x10000000 ? static_cast<std::uint32_t>(units) : 0x10000000;
            std::vector<char> text(3 * std::size_t{bound} + 1);
            const std::uint32_t n = convert_utf16_to_utf8_replacing(p, text.data(), bound);
            utf8.assign(text.data(), n);
            GlobalUnlock(data);
            ok = true;
        }
    }
    CloseClipboard();
    return ok;
}

}  // namespace player
}  // namespace versotime
