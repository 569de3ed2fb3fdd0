// versotime-lrc: reads LRC text the way the component does and prints what it
// understood (dump, as JSON) or what it would save (write, as LRC).
//   versotime-lrc dump [--code-page N] [--detect] [FILE|-]
//   versotime-lrc write [--offset MS] [--code-page N] [--detect] [--encoding E] [FILE|-]
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/lyric_document.h"
#include "host/text_convert.h"
#include "host/text_encoder.h"
#include "host/utf8_string.h"
#include "tools/code_page.h"

namespace versotime {
namespace {

const char usage[] =
    "usage: versotime-lrc dump [--code-page N] [--detect] [FILE|-] | "
    "write [--offset MS] [--code-page N] [--detect] [--encoding system|utf-8|utf-8-bom|utf-16|utf-16be] [FILE|-]";

// The longest text the string type and the reader take.
constexpr std::size_t max_input = 0x7FFFFFF0u;
// The editor refuses a lyric file larger than this.
constexpr std::size_t max_lyric_file = 64u * 1024u * 1024u;

// The code page of --code-page for the shared decoder and encoder.
const NarrowCodec tool_codec = {code_page_to_utf16, utf16_to_code_page};

bool parse_encoding(const std::string& name, TextEncoding& encoding) {
    const struct {
        const char* name;
        TextEncoding encoding;
    } names[] = {
        {"system", TextEncoding::system_code_page}, {"utf-8", TextEncoding::utf8},
        {"utf-8-bom", TextEncoding::utf8_with_mark}, {"utf-16", TextEncoding::utf16le},
        {"utf-16le", TextEncoding::utf16le},         {"utf-16be", TextEncoding::utf16be},
    };
    for (const auto& n : names) {
        if (name == n.name) {
            encoding = n.encoding;
            return true;
        }
    }
    return false;
}

class StringSink final : public ByteSink {
public:
    explicit StringSink(std::string& text) : text_(text) {}
    bool write(const char* bytes, std::uint32_t count) override {
        text_.append(bytes, count);
        return true;
    }

private:
    std::string& text_;
};

int fail(const std::string& message) {
    std::fprintf(stderr, "versotime-lrc: %s\n", message.c_str());
    return 1;
}

template <typename Number>
bool parse_number(const char* text, Number& value) {
    const char* end = text + std::strlen(text);
    const std::from_chars_result r = std::from_chars(text, end, value);
    return r.ec == std::errc() && r.ptr == end && end != text;
}

struct Options {
    bool help = false;
    bool dump = false;
    bool has_offset = false;
    std::int32_t offset_ms = 0;
    bool has_code_page = false;
    unsigned code_page = 0;
    bool detect = false;
    bool has_encoding = false;
    TextEncoding encoding = TextEncoding::utf8;
    const char* path = "-";
};

// Empty on success, else what is wrong.
std::string parse_options(int argc, char** argv, Options& options) {
    if (argc < 2) return "missing command";
    if (std::strcmp(argv[1], "--help") == 0) {
        options.help = true;
        return "";
    }
    const std::string command = argv[1];
    if (command != "dump" && command != "write") return "unknown command '" + command + "'";
    options.dump = command == "dump";
    bool has_path = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--detect") {
            options.detect = true;
        } else if (arg == "--encoding") {
            if (i + 1 >= argc) return arg + " needs a value";
            const char* value = argv[++i];
            if (options.dump) return "--encoding is only for write";
            if (!parse_encoding(value, options.encoding)) return "unknown encoding '" + std::string(value) + "'";
            options.has_encoding = true;
        } else if (arg == "--code-page" || arg == "--offset") {
            if (i + 1 >= argc) return arg + " needs a value";
            const char* value = argv[++i];
            if (arg == "--code-page") {
                if (!parse_number(value, options.code_page)) return "bad code page '" + std::string(value) + "'";
                options.has_code_page = true;
            } else {
                if (options.dump) return "--offset is only for write";
                if (!parse_number(value, options.offset_ms)) return "bad offset '" + std::string(value) + "'";
                options.has_offset = true;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else {
            if (has_path) return "more than one input";
            options.path = argv[i];
            has_path = true;
        }
    }
    return "";
}

// The input read whole. A file's size is known up front: it is read
// straight into one block of that size (a string would clear the block
// first, and growing one by doubling copies it over and over).
class InputBytes {
public:
    InputBytes() = default;
    ~InputBytes() {
#ifndef _WIN32
        if (mapped_) munmap(data_, size_);
#endif
        if (!mapped_) std::free(data_);
    }
    InputBytes(const InputBytes&) = delete;
    InputBytes& operator=(const InputBytes&) = delete;

    const char* data() const { return data_ ? data_ : ""; }
    std::size_t size() const { return size_; }

    bool read(std::FILE* file) {
        if (std::fseek(file, 0, SEEK_END) == 0) {
            const long size = std::ftell(file);
            std::rewind(file);
            if (size > 0 && static_cast<unsigned long>(size) <= max_input && !reserve(static_cast<std::size_t>(size))) {
                return false;
            }
        }
        for (;;) {
            if (size_ == capacity_ && !reserve(capacity_ ? 2 * capacity_ : 65536)) return false;
            const std::size_t n = std::fread(data_ + size_, 1, capacity_ - size_, file);
            if (n == 0) break;
            size_ += n;
            if (size_ > max_input) return false;
        }
        return !std::ferror(file);
    }

    // A regular file mapped whole, its pages filled in one go rather than
    // copied and faulted in one at a time. False when it cannot be: read it.
    bool map(const char* path) {
#ifdef _WIN32
        (void)path;
        return false;
#else
        const int fd = open(path, O_RDONLY);
        if (fd < 0) return false;
        struct stat info;
        void* view = MAP_FAILED;
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
            static_cast<unsigned long long>(info.st_size) <= max_input) {
            view = mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        }
        close(fd);
        if (view == MAP_FAILED) return false;
        data_ = static_cast<char*>(view);
        size_ = static_cast<std::size_t>(info.st_size);
        mapped_ = true;
        return true;
#endif
    }

private:
    bool reserve(std::size_t capacity) {
        void* block = std::realloc(data_, capacity);
        if (!block) return false;
        data_ = static_cast<char*>(block);
        capacity_ = capacity;
        return true;
    }

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool mapped_ = false;
};

bool put_to_stdout(void*, const char* bytes, std::uint32_t count) {
    return std::fwrite(bytes, 1, count, stdout) == count;
}

// The conversions work on NUL-free pieces; NUL bytes pass through as they are.
template <typename Convert>
bool convert_pieces(const char* in, std::size_t size, std::string& out, Convert convert) {
    std::size_t start = 0;
    while (start <= size) {
        const void* found = std::memchr(in + start, '\0', size - start);
        const std::size_t nul = found ? static_cast<std::size_t>(static_cast<const char*>(found) - in) : size;
        if (nul > start && !convert(in + start, static_cast<std::uint32_t>(nul - start), out)) return false;
        if (nul < size) out += '\0';
        start = nul + 1;
    }
    return true;
}

bool code_page_to_utf8(const char* text, std::uint32_t count, std::string& out) {
    std::vector<char16_t> units(count);
    const std::uint32_t n = code_page_to_utf16(text, count, units.data(), count);
    if (n == 0) return false;
    std::vector<char> utf8(3 * static_cast<std::size_t>(n) + 1);
    out.append(utf8.data(), convert_utf16_to_utf8(units.data(), utf8.data(), n));
    return true;
}

bool utf8_to_code_page(const char* text, std::uint32_t count, std::string& out) {
    std::vector<char16_t> units(static_cast<std::size_t>(count) + 1);
    const std::uint32_t n = convert_utf8_to_utf16(text, units.data(), count);
    if (n == 0) return true;  // not even one valid character
    std::vector<char> bytes(4 * static_cast<std::size_t>(n));
    const std::uint32_t written = utf16_to_code_page(units.data(), n, bytes.data(), 4 * n);
    if (written == 0) return false;
    out.append(bytes.data(), written);
    return true;
}

void append_json_string(std::string& out, const char* text, std::uint32_t length) {
    out += '"';
    for (std::uint32_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

std::string to_json(const LyricDocument& doc, const char* encoding) {
    std::string out = "{\"offset_ms\":" + std::to_string(doc.offset_ms()) + ",\"lines\":[";
    for (int i = 0; i < doc.line_count(); ++i) {
        const LineView line = doc.view(i);
        out += i ? ",{\"text\":" : "{\"text\":";
        append_json_string(out, line.text(), line.text_length());
        out += ",\"tags\":[";
        for (int k = 0; k < line.tag_count(); ++k) {
            char time[64];
            const std::to_chars_result r = std::to_chars(time, time + sizeof time, line.tag_time(k));
            out += k ? ",{\"time\":" : "{\"time\":";
            out.append(time, r.ptr);
            out += ",\"text\":";
            char printed[time_tag_capacity];
            append_json_string(out, printed, line.tag_text(k, printed));
            out += '}';
        }
        out += "]}";
    }
    out += ']';
    if (encoding) {
        out += ",\"encoding\":";
        append_json_string(out, encoding, static_cast<std::uint32_t>(std::strlen(encoding)));
    }
    out += "}\n";
    return out;
}

int run(int argc, char** argv) {
    Options options;
    const std::string wrong = parse_options(argc, argv, options);
    if (!wrong.empty()) return fail(wrong + "; " + usage);
    if (options.help) {
        std::printf("%s\n", usage);
        return 0;
    }
    if (options.has_code_page && !use_code_page(options.code_page)) {
        return fail("unknown code page " + std::to_string(options.code_page));
    }

    InputBytes input;
    const bool from_stdin = std::strcmp(options.path, "-") == 0;
    if (from_stdin || !input.map(options.path)) {
        std::FILE* file = from_stdin ? stdin : std::fopen(options.path, "rb");
        if (!file) return fail(std::string("cannot open ") + options.path);
        const bool read = input.read(file);
        if (!from_stdin) std::fclose(file);
        if (!read) return fail(std::string("cannot read ") + (from_stdin ? "standard input" : options.path));
    }

    std::string utf8;
    TextEncoding detected = TextEncoding::system_code_page;
    const char* text = input.data();
    std::size_t text_size = input.size();
    if (options.detect) {
        if (input.size() > max_lyric_file) return fail("the input is larger than 64 MB; the editor refuses such a file");
        // The decoder works in place: a copy, since the input may be a
        // read-only mapping.
        std::string bytes(input.data(), input.size());
        Utf8String decoded;
        if (!decode_detected_text(bytes.empty() ? nullptr : &bytes[0], bytes.size(), decoded, detected, tool_codec)) {
            return fail("out of memory");
        }
        utf8.assign(decoded.c_str(), decoded.length());
        text = utf8.data();
        text_size = utf8.size();
    } else if (options.has_code_page) {
        if (!convert_pieces(input.data(), input.size(), utf8, code_page_to_utf8) || utf8.size() > max_input) {
            return fail("cannot convert the input from code page " + std::to_string(options.code_page));
        }
        text = utf8.data();
        text_size = utf8.size();
    }

    LyricDocument doc;
    if (!doc.read_lrc(text, static_cast<std::uint32_t>(text_size))) return fail("out of memory");

    std::string output;
    Utf8String lrc;
    const char* out_data;
    std::size_t out_size;
    if (options.dump) {
        output = to_json(doc, options.detect ? text_encoding_name(detected) : nullptr);
        out_data = output.data();
        out_size = output.size();
    } else if (!options.has_code_page && !options.has_encoding && !options.detect) {
        // Straight to the output a piece at a time: no second copy of the text.
        const std::int32_t offset = options.has_offset ? options.offset_ms : doc.offset_ms();
        if (!doc.write_lrc(offset, put_to_stdout, nullptr) || std::fflush(stdout) != 0) {
            return fail("cannot write the output");
        }
        std::_Exit(0);
    } else {
        if (!doc.write_lrc(options.has_offset ? options.offset_ms : doc.offset_ms(), lrc)) {
            return fail("out of memory");
        }
        if (options.has_encoding || options.detect) {
            // As the editor saves: the encoding the text came in, unless
            // that would lose a character; or the one asked for.
            const TextEncoding encoding =
                options.has_encoding ? options.encoding : choose_save_encoding(detected, lrc.c_str(), lrc.length(), tool_codec);
            StringSink sink(output);
            if (encode_text(lrc.c_str(), lrc.length(), encoding, sink, tool_codec) != EncodeResult::done) {
                return fail(std::string("cannot write the output as ") + text_encoding_name(encoding));
            }
        } else if (!convert_pieces(lrc.c_str(), lrc.length(), output, utf8_to_code_page)) {
            return fail("cannot convert the output to code page " + std::to_string(options.code_page));
        }
        out_data = output.data();
        out_size = output.size();
    }
    if (std::fwrite(out_data, 1, out_size, stdout) != out_size || std::fflush(stdout) != 0) {
        return fail("cannot write the output");
    }
    // Done: end without destroying the document; the system takes back its
    // memory faster than freeing it would.
    std::_Exit(0);
}

}  // namespace
}  // namespace versotime

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    try {
        return versotime::run(argc, argv);
    } catch (const std::bad_alloc&) {
        return versotime::fail("out of memory");
    }
}
