// Scenario commands for Unicode text: the clipboard's CF_UNICODETEXT and a
// list's items read through the wide calls, both as UTF-8.
#include <string>
#include <vector>

#include "player/clipboard.h"
#include "player/scenario.h"
#include "player/script_text.h"
#include "player/window_driver.h"

namespace versotime {
namespace player {

bool Scenario::clipboard_set_text_utf8_cmd(const Args& a) {
    if (clipboard_set_text_utf8(a[0])) return true;
    error_ = "cannot set the clipboard";
    return false;
}

bool Scenario::expect_clipboard_utf8(const Args& a) {
    std::string got;
    if (!clipboard_unicode_text(got)) return differ("the clipboard's Unicode text", quoted(a[0]), "no text");
    return got == a[0] || differ("the clipboard's Unicode text", quoted(a[0]), quoted(got));
}

bool Scenario::expect_list_utf8(const Args& a) {
    HWND c = nullptr;
    if (!control(a[0], a[1], c)) return false;
    std::vector<std::string> want(a.begin() + 2, a.end());
    std::vector<std::string> got = list_items_utf8(c);
    return got == want || differ("the UTF-8 items of " + a[0] + " " + a[1], joined(want), joined(got));
}

}  // namespace player
}  // namespace versotime
