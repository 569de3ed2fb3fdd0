// Native stand-in for the Windows narrow code page, over iconv. It follows
// what Windows does with flags 0 where iconv differs: the five bytes 1252
// leaves undefined map to the code points of the same value and back; in 936
// an invalid pair becomes one '?', 0x80 is the euro sign and 0xFF U+F8F5;
// every UTF-16 unit the code page cannot represent (each half of a surrogate
// pair included) becomes one '?'. Windows' best-fit substitutions (such as
// U+0100 to 'A' in 1252) are not imitated: those characters become '?'.
#include "host/system_code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace versotime {

namespace {

unsigned active_code_page = 1252;

const char* iconv_name(unsigned code_page) {
    switch (code_page) {
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    case 932: return "CP932";
    case 936: return "GBK";
    case 949: return "CP949";
    case 950: return "BIG5";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Whether a byte of a double-byte code page starts a two-byte character.
bool is_lead_byte(unsigned code_page, unsigned char b) {
    switch (code_page) {
    case 936:
    case 949:
    case 950: return b >= 0x81 && b <= 0xFE;
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    default: return false;
    }
}

bool undefined_in_1252(unsigned value) {
    return value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
}

// What Windows decodes a byte (or a pair starting with it) to when iconv
// rejects it.
char16_t undecodable_byte(unsigned code_page, unsigned char b, bool lead) {
    if (lead) return u'?';
    if (code_page == 1252 && undefined_in_1252(b)) return char16_t(b);
    if (code_page == 936) return b == 0xFF ? char16_t(0xF8F5) : b == 0x80 ? char16_t(0x20AC) : u'?';
    return is_lead_byte(code_page, 0x81) ? u'?' : char16_t(b);
}

// What Windows encodes a unit to when iconv rejects it.
char unrepresentable_unit(unsigned code_page, char16_t unit) {
    if (code_page == 1252 && undefined_in_1252(unit)) return static_cast<char>(unit);
    return '?';
}

}  // namespace

unsigned system_code_page() { return active_code_page; }

bool set_system_code_page(unsigned code_page) {
    if (!iconv_name(code_page)) return false;
    active_code_page = code_page;
    return true;
}

std::uint32_t system_to_utf16(const char* source, std::uint32_t count, char16_t* out, std::uint32_t capacity) {
    Converter cv("UTF-16LE", iconv_name(active_code_page));
    if (!cv.ok() || count == 0) return 0;

    char16_t scratch[2];
    std::uint32_t written = 0;
    char* in = const_cast<char*>(source);
    std::size_t in_left = count;
    while (in_left > 0) {
        char* target;
        std::size_t out_left;
        if (capacity == 0) {  // measuring
            target = reinterpret_cast<char*>(scratch);
            out_left = sizeof(scratch);
        } else {
            if (written >= capacity) return 0;
            target = reinterpret_cast<char*>(out + written);
            out_left = (capacity - written) * sizeof(char16_t);
        }
        char* const target_start = target;
        const std::size_t r = iconv(cv.get(), &in, &in_left, &target, &out_left);
        written += static_cast<std::uint32_t>((target - target_start) / sizeof(char16_t));
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            if (capacity == 0) continue;
            return 0;
        }
        const auto b = static_cast<unsigned char>(*in);
        const bool lead = is_lead_byte(active_code_page, b);
        const std::size_t skip = lead && in_left >= 2 ? 2 : 1;
        const char16_t unit = undecodable_byte(active_code_page, b, lead);
        if (capacity != 0) {
            if (written >= capacity) return 0;
            out[written] = unit;
        }
        ++written;
        in += skip;
        in_left -= skip;
    }
    return written;
}

std::uint32_t utf16_to_system(const char16_t* source, std::uint32_t count, char* out, std::uint32_t capacity) {
    Converter cv(iconv_name(active_code_page), "UTF-16LE");
    if (!cv.ok() || count == 0) return 0;

    char scratch[16];
    std::uint32_t written = 0;
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(source));
    std::size_t in_left = count * sizeof(char16_t);
    while (in_left > 0) {
        char* target;
        std::size_t out_left;
        if (capacity == 0) {
            target = scratch;
            out_left = sizeof(scratch);
        } else {
            if (written >= capacity) return 0;
            target = out + written;
            out_left = capacity - written;
        }
        char* const target_start = target;
        const std::size_t r = iconv(cv.get(), &in, &in_left, &target, &out_left);
        written += static_cast<std::uint32_t>(target - target_start);
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            if (capacity == 0) continue;
            return 0;
        }
        char16_t unit;
        std::memcpy(&unit, in, sizeof(unit));
        if (capacity != 0) {
            if (written >= capacity) return 0;
            out[written] = unrepresentable_unit(active_code_page, unit);
        }
        ++written;
        in += sizeof(char16_t);
        in_left -= sizeof(char16_t);
    }
    return written;
}

}  // namespace versotime
