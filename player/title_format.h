// The player's title formatting: %field%, %_filename%, %_path%, $if(a,b) and
// $if(a,b,c), 'quoted literals'. A missing field reads "?" except where a
// $if condition only tests it.
#pragma once

#include <string>

#include "player/player_track.h"

namespace versotime {
namespace player {

std::string format_title_script(const std::string& script, const PlayerTrackInfo& track);

// The location's file name without folder and extension.
std::string file_name_part(const std::string& location);

}  // namespace player
}  // namespace versotime
