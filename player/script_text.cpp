#include "player/script_text.h"

#include <cstdio>
#include <cstdlib>

namespace versotime {
namespace player {

namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads ${NAME} at line[i] == '$'; appends the value.
bool expand(const std::string& line, std::size_t& i, const Lookup& lookup, std::string& out, std::string& error) {
    std::size_t close = line.find('}', i + 2);
    if (close == std::string::npos) {
        error = "unclosed ${";
        return false;
    }
    std::string name = line.substr(i + 2, close - i - 2);
    std::string value;
    if (name.empty() || !lookup(name, value)) {
        error = "the variable ${" + name + "} is not set";
        return false;
    }
    out += value;
    i = close + 1;
    return true;
}

}  // namespace

bool split_line(const std::string& line, const Lookup& lookup, std::vector<std::string>& words, std::string& error) {
    words.clear();
    std::size_t i = 0;
    const std::size_t n = line.size();
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < n && blank(line[i])) ++i;
    if (i == n || line[i] == '#') return true;
    while (i < n) {
        while (i < n && blank(line[i])) ++i;
        if (i == n) break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                char c = line[i];
                if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (c == '$' && i + 1 < n && line[i + 1] == '{') {
                    if (!expand(line, i, lookup, word, error)) return false;
                    continue;
                }
                if (c != '\\') {
                    word += c;
                    ++i;
                    continue;
                }
                if (i + 1 >= n) {
                    error = "a backslash ends the line";
                    return false;
                }
                char e = line[i + 1];
                i += 2;
                switch (e) {
                case 'n': word += '\n'; break;
                case 'r': word += '\r'; break;
                case 't': word += '\t'; break;
                case '\\': word += '\\'; break;
                case '"': word += '"'; break;
                case '$': word += '$'; break;
                case 'x': {
                    int high = i < n ? hex_value(line[i]) : -1;
                    int low = i + 1 < n ? hex_value(line[i + 1]) : -1;
                    if (high < 0 || low < 0) {
                        error = "\\x needs two hex digits";
                        return false;
                    }
                    word += static_cast<char>(high * 16 + low);
                    i += 2;
                    break;
                }
                default:
                    error = std::string("unknown escape \\") + e;
                    return false;
                }
            }
            if (!closed) {
                error = "unclosed quote";
                return false;
            }
            if (i < n && !blank(line[i])) {
                error = "a quoted string must be followed by a blank";
                return false;
            }
        } else {
            while (i < n && !blank(line[i])) {
                if (line[i] == '$' && i + 1 < n && line[i + 1] == '{') {
                    if (!expand(line, i, lookup, word, error)) return false;
                    continue;
                }
                if (line[i] == '"') {
                    error = "a quote inside a bare word";
                    return false;
                }
                word += line[i++];
            }
        }
        words.push_back(word);
    }
    return true;
}

std::string quoted(const std::string& bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string joined(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? " " : "") + quoted(items[i]);
    return out + "]";
}

bool environment_lookup(const std::string& name, std::string& value) {
    const char* raw = std::getenv(name.c_str());
    if (!raw) return false;
    value = raw;
    if (!value.empty() && value[0] == '/') {
        std::string wine = "Z:";
        for (char c : value) wine += c == '/' ? '\\' : c;
        value = wine;
    }
    return true;
}

}  // namespace player
}  // namespace versotime
