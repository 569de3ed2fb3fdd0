// UTF-8 text held on the C heap. The text is never validated on entry.
#pragma once

#include <cstdint>

#include "host/growable_buffer.h"

namespace versotime {

// A max-bytes argument of all bits set stands for the whole NUL-terminated text.
constexpr std::uint32_t whole_text = 0xFFFFFFFFu;

// Bytes up to the first NUL, at most `max`; a null text has length 0.
std::uint32_t bounded_length(const char* text, std::uint32_t max);
std::uint32_t bounded_length16(const char16_t* text, std::uint32_t max);

// The string interface shared with the player: the player's output strings
// implement the same table, so the order of these operations is the contract.
class Utf8StringInterface {
public:
    virtual const char* c_str() const = 0;
    virtual void append(const char* text, std::uint32_t max_bytes) = 0;
    virtual void assign(const char* text, std::uint32_t max_bytes) = 0;
    virtual void truncate(std::uint32_t new_length) = 0;
    virtual std::uint32_t length() const = 0;

    void append(const char* text) { append(text, whole_text); }
    void assign(const char* text) { assign(text, whole_text); }
    bool empty() const { return length() == 0; }

protected:
    ~Utf8StringInterface() = default;
};

class Utf8String final : public Utf8StringInterface {
public:
    Utf8String() = default;
    explicit Utf8String(const char* text, std::uint32_t max_bytes = whole_text);
    Utf8String(const Utf8String& other);
    Utf8String& operator=(const Utf8String& other);
    ~Utf8String() = default;

    using Utf8StringInterface::append;
    using Utf8StringInterface::assign;

    const char* c_str() const override;
    void append(const char* text, std::uint32_t max_bytes) override { try_append(text, max_bytes); }
    void assign(const char* text, std::uint32_t max_bytes) override { try_assign(text, max_bytes); }
    void truncate(std::uint32_t new_length) override;
    std::uint32_t length() const override { return length_; }

    // As append and assign, telling whether the heap could supply the room.
    // On failure the string is unchanged.
    bool try_append(const char* text, std::uint32_t max_bytes = whole_text);
    bool try_assign(const char* text, std::uint32_t max_bytes = whole_text);
    bool append_bytes(const char* bytes, std::uint32_t count);
    bool append_char(char c) { return append_bytes(&c, 1); }

    // Positions are byte offsets; -1 means none.
    int find_char(char byte, int start = 0) const;
    int find_last_char(char byte, int start = -1) const;
    int find_text(const char* text, int start = 0) const;
    void remove_range(std::uint32_t start, std::uint32_t count);

    // Text in the system code page, converted to UTF-8.
    bool append_system_text(const char* text, std::uint32_t max_bytes = whole_text);
    bool assign_system_text(const char* text);
    // Appends nothing when the value cannot be encoded.
    bool append_code_point(std::uint32_t value);

    char operator[](std::uint32_t index) const { return c_str()[index]; }
    // Bytes of the block holding the text (text, NUL and slack).
    std::uint32_t buffer_size() const { return buffer_.size(); }
    bool equals(const char* text) const;

private:
    bool make_space(std::uint32_t needed);

    GrowableBuffer buffer_;
    std::uint32_t length_ = 0;
};

}  // namespace versotime
