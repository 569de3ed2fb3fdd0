#include "host/system_code_page.h"

#include <windows.h>

namespace versotime {

unsigned system_code_page() { return GetACP(); }

bool set_system_code_page(unsigned) { return false; }

std::uint32_t system_to_utf16(const char* source, std::uint32_t count, char16_t* out, std::uint32_t capacity) {
    if (count == 0 || count > 0x7FFFFFFFu || capacity > 0x7FFFFFFFu) return 0;
    const int n = MultiByteToWideChar(CP_ACP, 0, source, static_cast<int>(count),
                                      reinterpret_cast<wchar_t*>(out), static_cast<int>(capacity));
    return n > 0 ? static_cast<std::uint32_t>(n) : 0;
}

std::uint32_t utf16_to_system(const char16_t* source, std::uint32_t count, char* out, std::uint32_t capacity) {
    if (count == 0 || count > 0x7FFFFFFFu || capacity > 0x7FFFFFFFu) return 0;
    const int n = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(source), static_cast<int>(count),
                                      out, static_cast<int>(capacity), nullptr, nullptr);
    return n > 0 ? static_cast<std::uint32_t>(n) : 0;
}

}  // namespace versotime
