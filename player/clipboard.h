// The clipboard as a user of other programs leaves it.
#pragma once

#include <string>

namespace versotime {
namespace player {

bool clipboard_set_text(const std::string& bytes);  // CF_TEXT, NUL added
bool clipboard_set_picture();                        // a small CF_BITMAP only
bool clipboard_clear();
// CF_TEXT bytes up to the NUL; false when the clipboard holds no text.
bool clipboard_text(std::string& bytes);

}  // namespace player
}  // namespace versotime
