#include <windows.h>

#include "tools/code_page.h"

namespace versotime {

namespace {
UINT chosen_code_page = CP_ACP;
}  // namespace

bool use_code_page(unsigned code_page) {
    if (code_page > 0xFFFF || !IsValidCodePage(code_page)) return false;
    chosen_code_page = code_page;
    return true;
}

std::uint32_t code_page_to_utf16(const char* text, std::uint32_t count, char16_t* out, std::uint32_t capacity) {
    if (count == 0 || capacity == 0 || count > 0x7FFFFFFFu || capacity > 0x7FFFFFFFu) return 0;
    const int n = MultiByteToWideChar(chosen_code_page, 0, text, static_cast<int>(count),
                                      reinterpret_cast<wchar_t*>(out), static_cast<int>(capacity));
    return n > 0 ? static_cast<std::uint32_t>(n) : 0;
}

std::uint32_t utf16_to_code_page(const char16_t* text, std::uint32_t count, char* out, std::uint32_t capacity) {
    if (count == 0 || capacity == 0 || count > 0x7FFFFFFFu || capacity > 0x7FFFFFFFu) return 0;
    const int n = WideCharToMultiByte(chosen_code_page, 0, reinterpret_cast<const wchar_t*>(text),
                                      static_cast<int>(count), out, static_cast<int>(capacity), nullptr, nullptr);
    return n > 0 ? static_cast<std::uint32_t>(n) : 0;
}

}  // namespace versotime
