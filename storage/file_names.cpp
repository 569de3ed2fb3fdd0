#include "storage/file_names.h"

namespace versotime {

bool replace_extension(Utf8String& path, const char* extension) {
    if (path.empty()) return false;
    const int dot = path.find_last_char('.');
    path.truncate(static_cast<std::uint32_t>(dot + 1));
    path.append(extension ? extension : "");
    return true;
}

void propose_same_as_media(const char* location, const char* suffix, Utf8String& out) {
    out.assign(location ? location : "");
    replace_extension(out, suffix);
}

void finish_formatted_name(Utf8String& out, const char* suffix) {
    out.append_char('.');
    out.append(suffix ? suffix : "");
}

std::uint32_t utf8_fit_length(const char* text, std::uint32_t length, std::uint32_t max_bytes) {
    if (length <= max_bytes) return length;
    // A continuation byte at the cut means the character there is split:
    // back up to its first byte (at most five bytes back, the longest form).
    std::uint32_t cut = max_bytes;
    for (int steps = 0; steps < 5 && cut > 0; ++steps) {
        const unsigned char byte = static_cast<unsigned char>(text[cut]);
        if ((byte & 0xC0) != 0x80) return cut;
        --cut;
    }
    const unsigned char byte = static_cast<unsigned char>(text[cut]);
    return (byte & 0xC0) == 0xC0 ? cut : max_bytes;
}

}  // namespace versotime
