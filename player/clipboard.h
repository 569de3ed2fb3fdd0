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
// CF_UNICODETEXT only, from UTF-8 (a byte that is not UTF-8 becomes U+FFFD).
bool clipboard_set_text_utf8(const std::string& utf8);
// CF_UNICODETEXT as UTF-8, up to the zero unit and never past the block;
// false when the clipboard offers no such text.
bool clipboard_unicode_text(std::string& utf8);

}  // namespace player
}  // namespace versotime
