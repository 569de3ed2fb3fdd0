#include "settings/config_variables.h"

#include "host/init_order.h"

#include <cstdlib>
#include <cstring>

#include "host/utf8_string.h"

namespace versotime {

namespace {

// Constant-initialised, so it is valid before any variable, in any
// translation unit, links itself in.
ConfigVariable* variable_list = nullptr;

char* copy_text(const char* text, std::uint32_t length) {
    char* copy = static_cast<char*>(std::malloc(std::size_t(length) + 1));
    if (!copy) return nullptr;
    std::memcpy(copy, text, length);
    copy[length] = 0;
    return copy;
}

void put_le32(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
    out[3] = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t get_le32(const std::uint8_t* in) {
    return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
           std::uint32_t(in[3]) << 24;
}

}  // namespace

ConfigVariable* first_config_variable() { return variable_list; }

ConfigVariable::ConfigVariable(const char* key) : key_(copy_text(key, bounded_length(key, whole_text))) {
    next_ = variable_list;
    variable_list = this;
}

ConfigVariable::~ConfigVariable() {
    std::free(key_);
    key_ = nullptr;
}

bool ConfigInt::get_data(ConfigWriter& writer) const {
    std::uint8_t bytes[4];
    put_le32(bytes, static_cast<std::uint32_t>(value_));
    writer.write(bytes, 4);
    return true;
}

void ConfigInt::set_data(const void* data, std::uint32_t size) {
    if (size != 4 || !data) return;
    value_ = static_cast<std::int32_t>(get_le32(static_cast<const std::uint8_t*>(data)));
}

ConfigString::ConfigString(const char* key, const char* default_value) : ConfigVariable(key) {
    set(default_value);
}

ConfigString::~ConfigString() {
    std::free(text_);
    text_ = nullptr;
}

bool ConfigString::set(const char* text, std::uint32_t max_bytes) {
    const std::uint32_t length = bounded_length(text, max_bytes);
    char* copy = nullptr;
    if (length > 0) {  // copied before freeing: `text` may be our own
        copy = copy_text(text, length);
        if (!copy) return false;
    }
    std::free(text_);
    text_ = copy;
    return true;
}

bool ConfigString::get_data(ConfigWriter& writer) const {
    const std::uint32_t length = bounded_length(text_, whole_text);
    if (length > 0) writer.write(text_, length);
    return true;
}

void ConfigString::set_data(const void* data, std::uint32_t size) {
    set(static_cast<const char*>(data), size);
}

bool ConfigPlacement::get_data(ConfigWriter& writer) const {
    const std::uint32_t fields[11] = {
        value_.length,
        value_.flags,
        value_.show_cmd,
        static_cast<std::uint32_t>(value_.min_position_x),
        static_cast<std::uint32_t>(value_.min_position_y),
        static_cast<std::uint32_t>(value_.max_position_x),
        static_cast<std::uint32_t>(value_.max_position_y),
        static_cast<std::uint32_t>(value_.normal_position_left),
        static_cast<std::uint32_t>(value_.normal_position_top),
        static_cast<std::uint32_t>(value_.normal_position_right),
        static_cast<std::uint32_t>(value_.normal_position_bottom),
    };
    std::uint8_t bytes[44];
    for (int i = 0; i < 11; ++i) put_le32(bytes + 4 * i, fields[i]);
    writer.write(bytes, 44);
    return true;
}

void ConfigPlacement::set_data(const void* data, std::uint32_t size) {
    if (size != 44 || !data) return;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    auto field = [bytes](int i) { return get_le32(bytes + 4 * i); };
    auto signed_field = [&field](int i) { return static_cast<std::int32_t>(field(i)); };
    value_.length = field(0);
    value_.flags = field(1);
    value_.show_cmd = field(2);
    value_.min_position_x = signed_field(3);
    value_.min_position_y = signed_field(4);
    value_.max_position_x = signed_field(5);
    value_.max_position_y = signed_field(6);
    value_.normal_position_left = signed_field(7);
    value_.normal_position_top = signed_field(8);
    value_.normal_position_right = signed_field(9);
    value_.normal_position_bottom = signed_field(10);
}

// All ten in this one file, in this order: each links itself in at the front,
// so the order here fixes the order of the stored block.
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigInt lyric_auto_save("lyric_auto_save", 0);
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigInt lyric_filename_type("lyric_filename_type", 0);
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigString lyric_filename_tag_value("lyric_filename_tag_value", "%LYRICFILENAME%");
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigString lyric_tag_value("lyric_tag_value", "%LYRIC%");
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigString lrc_title("lrc_title", "$if(%title%,%title%,%_filename%)");
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigString lrc_suffix("lrc_suffix", "lrc");
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigString lrc_name("lrc_name", "$if(%artist%,%artist%-)$if(%title%,%title%,%_filename%)");
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigInt at_toppest("at_toppest", 1);
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigInt window_remember("window_remember", 0);
VERSOTIME_CONSTRUCT_IN_ORDER(VERSOTIME_INIT_PRIORITY_CONFIG) ConfigPlacement window_placement("window_placement");

}  // namespace versotime
