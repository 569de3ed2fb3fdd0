// Native stand-in for the Windows narrow code page, over iconv. Where iconv
// rejects what Windows (flags 0) accepts, it does what Windows does: the five
// bytes 1252 leaves undefined keep their values both ways; 936 maps 0x80 to
// the euro sign, 0xFF to U+F8F5, the GBK cells without a character to
// private-use characters and back, and an invalid pair to one '?'; a
// character the code page cannot hold takes Windows' best-fit substitute,
// else '?' (one per UTF-16 unit, so a surrogate pair gives "??").
#include "host/system_code_page.h"

#include "host/code_page_tables.h"

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

// What Windows decodes to where iconv rejects the byte at `bytes` (and the
// one after it, for a lead byte with `available` >= 2).
char16_t undecodable(unsigned code_page, const unsigned char* bytes, std::size_t available) {
    const unsigned char b = bytes[0];
    if (is_lead_byte(code_page, b)) {
        if (code_page != 936 || available < 2) return u'?';
        const char16_t unit = gbk_private_use(b, bytes[1]);
        return unit ? unit : u'?';
    }
    if (code_page == 1252 && undefined_in_1252(b)) return char16_t(b);
    if (code_page == 936) return b == 0xFF ? char16_t(0xF8F5) : b == 0x80 ? char16_t(0x20AC) : u'?';
    return is_lead_byte(code_page, 0x81) ? u'?' : char16_t(b);
}

// What Windows encodes a unit iconv rejects to: the byte count written to `out`.
unsigned unencodable(unsigned code_page, char16_t unit, char out[2]) {
    std::uint16_t bytes = 0;
    if (code_page == 1252 && undefined_in_1252(unit)) {
        bytes = unit;
    } else if (code_page == 936 && unit == 0xF8F5) {
        bytes = 0xFF;
    } else if (code_page == 936 && (bytes = gbk_cell_of_private_use(unit)) != 0) {
    } else {
        bytes = best_fit_bytes(code_page, unit);
    }
    if (bytes == 0) {
        out[0] = '?';
        return 1;
    }
    if (bytes <= 0xFF) {
        out[0] = static_cast<char>(bytes);
        return 1;
    }
    out[0] = static_cast<char>(bytes >> 8);
    out[1] = static_cast<char>(bytes & 0xFF);
    return 2;
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
        const auto* bytes = reinterpret_cast<const unsigned char*>(in);
        const std::size_t skip = is_lead_byte(active_code_page, bytes[0]) && in_left >= 2 ? 2 : 1;
        const char16_t unit = undecodable(active_code_page, bytes, in_left);
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
        char bytes[2];
        const unsigned n = unencodable(active_code_page, unit, bytes);
        if (capacity != 0) {
            if (n > capacity - written) return 0;
            std::memcpy(out + written, bytes, n);
        }
        written += n;
        in += sizeof(char16_t);
        in_left -= sizeof(char16_t);
    }
    return written;
}

}  // namespace versotime
