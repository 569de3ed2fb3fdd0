// Scenario commands for hostile file and clipboard cases: a clipboard filled
// from a file, the read-only attribute, and a folder's listing.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "player/clipboard.h"
#include "player/config_file.h"
#include "player/scenario.h"
#include "player/script_text.h"

namespace versotime {
namespace player {

bool Scenario::clipboard_set_file(const Args& a) {
    std::vector<std::uint8_t> bytes;
    if (!read_whole_file(a[0], bytes)) {
        error_ = "cannot read " + a[0];
        return false;
    }
    if (clipboard_set_text(std::string(bytes.begin(), bytes.end()))) return true;
    error_ = "cannot set the clipboard";
    return false;
}

bool Scenario::set_read_only(const Args& a) {
    bool read_only = false;
    if (!to_flag(a[1], read_only)) return false;
    DWORD attributes = GetFileAttributesA(a[0].c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error_ = "no such file " + a[0];
        return false;
    }
    attributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_NORMAL);
    if (read_only) attributes |= FILE_ATTRIBUTE_READONLY;
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    if (SetFileAttributesA(a[0].c_str(), attributes)) return true;
    error_ = "cannot set the attributes of " + a[0];
    return false;
}

bool Scenario::clipboard_hold_cmd(const Args& a) {
    bool hold = false;
    if (!to_flag(a[0], hold)) return false;
    if (clipboard_hold(hold)) return true;
    error_ = hold ? "cannot open the clipboard" : "the clipboard is not held";
    return false;
}

// The names (files and folders, "." and ".." left out), sorted byte by byte.
bool Scenario::expect_folder_files(const Args& a) {
    std::vector<std::string> got;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((a[0] + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return differ("the folder " + a[0], "a folder", "none");
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") got.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(got.begin(), got.end());
    std::vector<std::string> want(a.begin() + 1, a.end());
    std::sort(want.begin(), want.end());
    if (got == want) return true;
    auto join = [](const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& name : names) text += (text.empty() ? "" : " ") + quoted(name);
        return text.empty() ? std::string("nothing") : text;
    };
    return differ("the names in " + a[0], join(want), join(got));
}

// Large texts are compared with a file instead of a quoted word.
bool Scenario::expect_clipboard_same(const Args& a) {
    std::vector<std::uint8_t> want;
    if (!read_whole_file(a[0], want)) {
        error_ = "cannot read " + a[0];
        return false;
    }
    std::string got;
    if (!clipboard_text(got)) return differ("the clipboard text", "the bytes of " + a[0], "no text");
    // As unsigned bytes on both sides: a char above 0x7F is negative.
    if (got.size() == want.size() && (want.empty() || std::memcmp(want.data(), got.data(), want.size()) == 0))
        return true;
    std::size_t at = 0;
    while (at < got.size() && at < want.size() && static_cast<std::uint8_t>(got[at]) == want[at]) ++at;
    return differ("the clipboard text", "the " + std::to_string(want.size()) + " bytes of " + a[0],
                  std::to_string(got.size()) + " bytes, differing from byte " + std::to_string(at));
}

}  // namespace player
}  // namespace versotime
