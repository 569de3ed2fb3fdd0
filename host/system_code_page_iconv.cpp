// Native stand-in for the Windows narrow code page, over iconv. It follows
// what Windows does with flags 0: bytes a single-byte code page leaves
// undefined map to the same code point, and characters the code page cannot
// represent become '?'.
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
        // A byte a single-byte code page leaves undefined keeps its value as
        // its code point, as Windows does for 1252; a bad double-byte
        // character becomes '?'.
        const auto b = static_cast<unsigned char>(*in);
        const std::size_t skip = is_lead_byte(active_code_page, b) && in_left >= 2 ? 2 : 1;
        const char16_t unit = is_lead_byte(active_code_page, b) ? u'?' : char16_t(b);
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
        // Not representable (or a lone surrogate): '?' as Windows writes it.
        const char16_t unit = *reinterpret_cast<const char16_t*>(in);
        std::size_t skip = sizeof(char16_t);
        if (unit >= 0xD800 && unit <= 0xDBFF && in_left >= 4) {
            const char16_t next = *reinterpret_cast<const char16_t*>(in + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) skip = 4;
        }
        if (capacity != 0) {
            if (written >= capacity) return 0;
            out[written] = '?';
        }
        ++written;
        in += skip;
        in_left -= skip;
    }
    return written;
}

}  // namespace versotime
