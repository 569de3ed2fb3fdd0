#include "player/title_format.h"

#include <vector>

namespace versotime {
namespace player {

namespace {

struct Piece {
    std::string text;
    bool found = false;  // some field in it had a value
};

class Formatter {
public:
    explicit Formatter(const PlayerTrackInfo& track) : track_(track) {}

    // Evaluates script[begin, end).
    Piece run(const std::string& s, std::size_t begin, std::size_t end) {
        Piece out;
        std::size_t i = begin;
        while (i < end) {
            char c = s[i];
            if (c == '%') {
                std::size_t close = s.find('%', i + 1);
                if (close == std::string::npos || close >= end) {
                    out.text.append(s, i, end - i);
                    break;
                }
                Piece field = lookup(s.substr(i + 1, close - i - 1));
                out.text += field.text;
                out.found = out.found || field.found;
                i = close + 1;
            } else if (c == '\'') {
                std::size_t close = s.find('\'', i + 1);
                if (close == std::string::npos || close >= end) close = end;
                if (close == i + 1)
                    out.text += '\'';
                else
                    out.text.append(s, i + 1, close - i - 1);
                i = close + 1;
            } else if (c == '$') {
                i = function(s, i, end, out);
            } else {
                out.text += c;
                ++i;
            }
        }
        return out;
    }

private:
    Piece lookup(const std::string& name) {
        Piece p;
        std::string value;
        if (same_field_name(name, "_filename")) {
            p.text = file_name_part(track_.location.get_path());
            p.found = true;
            return p;
        }
        if (same_field_name(name, "_path")) {
            p.text = track_.location.get_path();
            p.found = true;
            return p;
        }
        int at = track_.meta_find(name.c_str(), 0);
        if (at < 0) {
            p.text = "?";
            return p;
        }
        p.text = track_.meta_value(at);
        p.found = true;
        return p;
    }

    // $name(args...) starting at s[at] == '$'; returns the index after it.
    std::size_t function(const std::string& s, std::size_t at, std::size_t end, Piece& out) {
        std::size_t open = s.find('(', at);
        if (open == std::string::npos || open >= end) {
            out.text.append(s, at, end - at);
            return end;
        }
        std::string name = s.substr(at + 1, open - at - 1);
        std::vector<std::pair<std::size_t, std::size_t>> args;
        int depth = 0;
        std::size_t arg_start = open + 1;
        std::size_t i = open + 1;
        bool quoted = false;
        for (; i < end; ++i) {
            char c = s[i];
            if (c == '\'') quoted = !quoted;
            if (quoted) continue;
            if (c == '(') {
                ++depth;
            } else if (c == ')') {
                if (depth == 0) break;
                --depth;
            } else if (c == ',' && depth == 0) {
                args.emplace_back(arg_start, i);
                arg_start = i + 1;
            }
        }
        if (i >= end) {  // unclosed: shown as written
            out.text.append(s, at, end - at);
            return end;
        }
        args.emplace_back(arg_start, i);
        if (same_field_name(name, "if") && (args.size() == 2 || args.size() == 3)) {
            Piece condition = run(s, args[0].first, args[0].second);
            Piece chosen;
            if (condition.found)
                chosen = run(s, args[1].first, args[1].second);
            else if (args.size() == 3)
                chosen = run(s, args[2].first, args[2].second);
            out.text += chosen.text;
            out.found = out.found || chosen.found;
        } else {
            out.text += "[UNKNOWN FUNCTION]";
        }
        return i + 1;
    }

    const PlayerTrackInfo& track_;
};

}  // namespace

std::string file_name_part(const std::string& location) {
    std::size_t slash = location.find_last_of("\\/");
    std::string name = slash == std::string::npos ? location : location.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string format_title_script(const std::string& script, const PlayerTrackInfo& track) {
    Formatter f(track);
    return f.run(script, 0, script.size()).text;
}

}  // namespace player
}  // namespace versotime
