#include "host/system_code_page.h"
#include "tools/code_page.h"

namespace versotime {

bool use_code_page(unsigned code_page) { return set_system_code_page(code_page); }

std::uint32_t code_page_to_utf16(const char* text, std::uint32_t count, char16_t* out, std::uint32_t capacity) {
    return capacity == 0 ? 0 : system_to_utf16(text, count, out, capacity);
}

std::uint32_t utf16_to_code_page(const char16_t* text, std::uint32_t count, char* out, std::uint32_t capacity) {
    return capacity == 0 ? 0 : utf16_to_system(text, count, out, capacity);
}

}  // namespace versotime
