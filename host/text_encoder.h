// Writing UTF-8 document text in a lyric file's encoding, a piece at a time
// into a sink (a file handle, a clipboard block), and choosing that
// encoding so that nothing a user wrote is lost.
#pragma once

#include <cstdint>

#include "host/text_encoding.h"

namespace versotime {

// Receives the encoded bytes in order; false stops the writing.
class ByteSink {
public:
    virtual bool write(const char* bytes, std::uint32_t count) = 0;

protected:
    ~ByteSink() = default;
};

// Counts the bytes, to size a block before filling it.
class CountingSink final : public ByteSink {
public:
    bool write(const char*, std::uint32_t count) override {
        count_ += count;
        return true;
    }
    std::uint64_t count() const { return count_; }

private:
    std::uint64_t count_ = 0;
};

// Fills a caller's block; refuses (and writes nothing of) a piece that does
// not fit.
class BlockSink final : public ByteSink {
public:
    BlockSink(char* block, std::uint32_t capacity) : block_(block), capacity_(capacity) {}
    bool write(const char* bytes, std::uint32_t count) override;
    std::uint32_t used() const { return used_; }

private:
    char* block_;
    std::uint32_t capacity_;
    std::uint32_t used_ = 0;
};

enum class EncodeResult {
    done,
    out_of_memory,   // no scratch space; the sink got nothing or a part
    not_converted,   // the code page's conversion failed; as above
    write_failed,    // the sink refused a piece
};

// Encodes exactly `length` bytes of UTF-8 text (NUL bytes are characters):
// - system code page: no mark; each byte that is not part of a well-formed
//   character becomes one "?", every other character what the code page's
//   conversion makes of it (its best fit or its "?" included);
// - UTF-8: the bytes as they stand (the mark first for utf8_with_mark);
// - UTF-16: the mark, then the units in that byte order; each byte that is
//   not part of a well-formed character becomes one U+FFFD (the save never
//   picks UTF-16 for such text: choose_save_encoding).
// Scratch space is at most a megabyte, whatever the length.
EncodeResult encode_text(const char* utf8, std::uint32_t length, TextEncoding encoding, ByteSink& sink,
                         const NarrowCodec& codec = system_codec());

// Whether the text is well-formed UTF-8 and every character comes back
// unchanged from the code page (no best fit, no "?"). False too when the
// scratch space cannot be had: the caller then saves as UTF-8, which needs
// none.
bool converts_exactly(const char* utf8, std::uint32_t length, const NarrowCodec& codec = system_codec());

// The encoding to save a document in, from the encoding its text came in
// (system_code_page for a tag, the clipboard or typing):
// - a byte that is not well-formed UTF-8 makes it UTF-8, without the mark
//   only when the text came from a UTF-8 file without one;
// - otherwise the system code page when the text came in it and converts
//   exactly, else UTF-8 with the mark;
// - otherwise the encoding it came in.
TextEncoding choose_save_encoding(TextEncoding came_in, const char* utf8, std::uint32_t length,
                                  const NarrowCodec& codec = system_codec());

}  // namespace versotime
