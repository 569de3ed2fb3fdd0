#include "storage/field_name.h"

namespace versotime {

bool extract_field_name(const char* field_template, Utf8String& out) {
    out.assign(field_template ? field_template : "");
    const int first = out.find_char('%');
    if (first < 0) {
        out.truncate(0);
        return false;
    }
    out.remove_range(0, static_cast<std::uint32_t>(first) + 1);
    const int last = out.find_last_char('%');
    if (last < 0) {
        out.truncate(0);
        return false;
    }
    out.truncate(static_cast<std::uint32_t>(last));
    return true;
}

}  // namespace versotime
