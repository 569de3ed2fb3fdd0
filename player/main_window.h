// The player's interactive window: the track list, transport buttons, the
// components' main-menu commands, their preferences pages, a context menu on
// the list, and a clock that runs in real time.
#pragma once

#include <windows.h>

namespace versotime {
namespace player {

class Player;

// Creates the window; closing it quits the player and ends the loop.
HWND create_main_window(Player& player);

}  // namespace player
}  // namespace versotime
