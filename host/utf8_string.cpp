#include "host/utf8_string.h"

#include <cstring>

#include "host/text_convert.h"

namespace versotime {

namespace {
const char empty_text[1] = {0};
constexpr std::uint32_t max_length = 0x7FFFFFF0u;  // positions stay signed 32-bit
}  // namespace

std::uint32_t bounded_length(const char* text, std::uint32_t max) {
    if (!text) return 0;
    std::uint32_t n = 0;
    while (n < max && text[n] != 0) ++n;
    return n;
}

std::uint32_t bounded_length16(const char16_t* text, std::uint32_t max) {
    if (!text) return 0;
    std::uint32_t n = 0;
    while (n < max && text[n] != 0) ++n;
    return n;
}

Utf8String::Utf8String(const char* text, std::uint32_t max_bytes) { try_assign(text, max_bytes); }

Utf8String::Utf8String(const Utf8String& other) : Utf8StringInterface() {
    append_bytes(other.c_str(), other.length());
}

Utf8String& Utf8String::operator=(const Utf8String& other) {
    if (this != &other) try_assign(other.c_str(), other.length());
    return *this;
}

const char* Utf8String::c_str() const {
    if (length_ == 0) return empty_text;
    return reinterpret_cast<const char*>(buffer_.data());
}

bool Utf8String::make_space(std::uint32_t needed) {
    if (buffer_.size() < needed) return buffer_.resize(needed + 16);
    if (buffer_.size() > needed + 32) return buffer_.resize(needed);
    return true;
}

bool Utf8String::append_bytes(const char* bytes, std::uint32_t count) {
    if (count == 0) return true;
    if (count > max_length - length_) return false;
    const std::uint32_t new_length = length_ + count;
    // The source may lie inside our own buffer, which make_space can move.
    const std::uint8_t* old_data = buffer_.data();
    const bool inside = old_data && bytes >= reinterpret_cast<const char*>(old_data) &&
                        bytes < reinterpret_cast<const char*>(old_data) + buffer_.size();
    const std::uint32_t inside_offset =
        inside ? static_cast<std::uint32_t>(bytes - reinterpret_cast<const char*>(old_data)) : 0;
    if (!make_space(new_length + 1)) return false;
    char* data = reinterpret_cast<char*>(buffer_.data());
    const char* source = inside ? data + inside_offset : bytes;
    std::memmove(data + length_, source, count);
    data[new_length] = 0;
    length_ = new_length;
    return true;
}

bool Utf8String::try_append(const char* text, std::uint32_t max_bytes) {
    return append_bytes(text, bounded_length(text, max_bytes));
}

bool Utf8String::try_assign(const char* text, std::uint32_t max_bytes) {
    const std::uint32_t n = bounded_length(text, max_bytes);
    if (n == 0) {
        truncate(0);
        return true;
    }
    // Assigning a part of ourselves: copy first, the buffer may move.
    const char* data = reinterpret_cast<const char*>(buffer_.data());
    if (data && text >= data && text < data + buffer_.size()) {
        Utf8String copy;
        if (!copy.append_bytes(text, n)) return false;
        return try_assign(copy.c_str(), n);
    }
    if (!make_space(n + 1)) return false;
    char* out = reinterpret_cast<char*>(buffer_.data());
    std::memcpy(out, text, n);
    out[n] = 0;
    length_ = n;
    return true;
}

void Utf8String::truncate(std::uint32_t new_length) {
    if (new_length >= length_) return;
    length_ = new_length;
    if (make_space(length_ + 1) || buffer_.size() > length_) {
        reinterpret_cast<char*>(buffer_.data())[length_] = 0;
    }
}

int Utf8String::find_char(char byte, int start) const {
    if (start < 0) start = 0;
    const char* data = c_str();
    for (std::uint32_t i = static_cast<std::uint32_t>(start); i < length_; ++i) {
        if (data[i] == byte) return static_cast<int>(i);
    }
    return -1;
}

int Utf8String::find_last_char(char byte, int start) const {
    if (length_ == 0) return -1;
    std::int64_t i = start < 0 ? static_cast<std::int64_t>(length_) - 1 : start;
    if (i >= static_cast<std::int64_t>(length_)) i = static_cast<std::int64_t>(length_) - 1;
    const char* data = c_str();
    for (; i >= 0; --i) {
        if (data[i] == byte) return static_cast<int>(i);
    }
    return -1;
}

int Utf8String::find_text(const char* text, int start) const {
    if (start < 0) start = 0;
    const std::uint32_t from = static_cast<std::uint32_t>(start);
    if (from >= length_) return -1;
    const std::uint32_t n = bounded_length(text, whole_text);
    if (n == 0) return start;
    if (n > length_) return -1;
    const char* data = c_str();
    for (std::uint32_t i = from; i + n <= length_; ++i) {
        if (std::memcmp(data + i, text, n) == 0) return static_cast<int>(i);
    }
    return -1;
}

void Utf8String::remove_range(std::uint32_t start, std::uint32_t count) {
    if (start > length_) start = length_;
    if (count > length_ - start) count = length_ - start;
    if (count == 0) return;
    char* data = reinterpret_cast<char*>(buffer_.data());
    std::memmove(data + start, data + start + count, length_ - start - count + 1);
    length_ -= count;
    make_space(length_ + 1);  // only shrinks; the text stays valid if it cannot
}

bool Utf8String::append_system_text(const char* text, std::uint32_t max_bytes) {
    const std::uint32_t n = bounded_length(text, max_bytes);
    if (n == 0) return true;
    if (n > (max_length - 1) / 3) return false;
    const std::uint32_t scratch_size = 3 * n + 1;
    char stack_scratch[4096];  // short texts, the usual case, stay off the heap
    GrowableBuffer heap_scratch;
    char* out = stack_scratch;
    if (scratch_size > sizeof(stack_scratch)) {
        if (!heap_scratch.resize(scratch_size)) return false;
        out = reinterpret_cast<char*>(heap_scratch.data());
    }
    const std::uint32_t written = convert_system_to_utf8(text, out, n);
    return append_bytes(out, written);
}

bool Utf8String::assign_system_text(const char* text) {
    truncate(0);
    return append_system_text(text, whole_text);
}

bool Utf8String::append_code_point(std::uint32_t value) {
    char bytes[6];
    const unsigned n = encode_utf8_sequence(value, bytes);
    // Bounded like append: the value 0 must not put a NUL inside the text.
    return n == 0 || try_append(bytes, n);
}

bool Utf8String::equals(const char* text) const {
    const std::uint32_t n = bounded_length(text, whole_text);
    return n == length_ && std::memcmp(c_str(), text ? text : "", n) == 0;
}

}  // namespace versotime
