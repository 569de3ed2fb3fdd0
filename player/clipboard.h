// The clipboard as a user of other programs leaves it.
#pragma once

#include <string>

namespace versotime {
namespace player {

bool clipboard_set_text(const std::string& bytes);  // CF_TEXT, NUL added
bool clipboard_set_picture();                        // a small CF_BITMAP only
bool clipboard_clear();
// Keeps the clipboard open (as a program in the middle of using it does), so
// that every other window's OpenClipboard fails; 0 closes it again.
bool clipboard_hold(bool hold);
// CF_TEXT bytes up to the NUL; false when the clipboard holds no text.
bool clipboard_text(std::string& bytes);

}  // namespace player
}  // namespace versotime
