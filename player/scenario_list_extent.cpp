// Scenario expectation on how far a list box scrolls sideways.
#include <windows.h>

#include "player/scenario.h"

namespace versotime {
namespace player {

// expect list_extent WIN ID N: the list box's horizontal extent in pixels.
bool Scenario::expect_list_extent(const Args& a) {
    HWND c = nullptr;
    int want = 0;
    if (!control(a[0], a[1], c) || !to_int(a[2], want)) return false;
    int got = static_cast<int>(SendMessageA(c, LB_GETHORIZONTALEXTENT, 0, 0));
    return got == want || differ("the horizontal extent of " + a[0] + " " + a[1], a[2], std::to_string(got));
}

}  // namespace player
}  // namespace versotime
