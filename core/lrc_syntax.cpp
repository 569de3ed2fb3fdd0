#include "core/lrc_syntax.h"

#include <cstring>

#include "core/byte_scan.h"
#include "core/number_text.h"

namespace versotime {
namespace lrc {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

bool is_info_key(const char* two) {
    static const char keys[][2] = {{'t', 'i'}, {'a', 'r'}, {'a', 't'}, {'a', 'l'}, {'b', 'y'}};
    for (const auto& key : keys) {
        if (two[0] == key[0] && two[1] == key[1]) return true;
    }
    return false;
}

}  // namespace

LineParts split_line(const char* raw, std::uint32_t length) {
    LineParts parts{raw, 0, 0, 0};
    std::uint32_t end = length;
    while (end > 0 && is_blank(raw[end - 1])) --end;
    if (end == 0) return parts;
    std::uint32_t begin = 0;
    while (is_blank(raw[begin])) ++begin;
    const char* line = raw + begin;
    const std::uint32_t n = end - begin;
    parts.line = line;
    parts.length = n;

    // The tag run ends at the last bracket properly closed before a
    // misplaced bracket stops the scan. Past the last right bracket nothing
    // can close, so the scan may as well run to the end of the line.
    bool inside = false;
    std::uint32_t closed = 0;
    for (std::uint32_t i = scan::find_bracket(line, 0, n); i < n; i = scan::find_bracket(line, i + 1, n)) {
        if (line[i] == '[') {
            if (inside) break;
            inside = true;
        } else {
            if (!inside) break;
            inside = false;
            parts.run_length = i + 1;
            parts.brackets = ++closed;
        }
    }
    return parts;
}

LineKind classify_bracket(const char* content, std::uint32_t length, std::int32_t& offset_ms) {
    // Every key ends in a colon, so only the bytes before each colon need a
    // look. The first "offset:" wins over any other key in the bracket.
    bool info = false;
    const char* colon = static_cast<const char*>(std::memchr(content, ':', length));
    while (colon) {
        const std::uint32_t at = static_cast<std::uint32_t>(colon - content);
        if (at >= 6 && std::memcmp(colon - 6, "offset", 6) == 0) {
            offset_ms = read_decimal_int(colon + 1, length - at - 1);
            return LineKind::offset_header;
        }
        if (at >= 2 && is_info_key(colon - 2)) info = true;
        colon = static_cast<const char*>(std::memchr(colon + 1, ':', length - at - 1));
    }
    return info ? LineKind::info_header : LineKind::lyric;
}

}  // namespace lrc
}  // namespace versotime
