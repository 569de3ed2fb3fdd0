// What a user does to windows, done with the messages a real user's input
// produces, and what a scenario reads back from them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace versotime {
namespace player {

class Player;

// Texts of a control: the narrow bytes (system code page) and UTF-8.
std::string window_text(HWND window);
std::string window_text_utf8(HWND window);

// Clicks a push button, check box or radio button; a disabled or hidden
// control ignores the click, as it would a real one.
void click_control(HWND control);
// Replaces an edit's text through WM_SETTEXT, so EN_CHANGE reaches the owner.
void set_control_text(HWND control, const std::string& bytes);
void set_control_text_utf8(HWND control, const std::string& utf8);
// Chooses an item of a list box by clicking it, or of a combo box by choosing
// it from its list; false when the index is out of range.
bool select_item(Player& player, HWND control, int index, std::string& error);
bool double_click_item(Player& player, HWND control, int index, std::string& error);
// Items and selection of a list box or combo box (narrow bytes).
std::vector<std::string> list_items(HWND control);
// The items read through the wide calls, as UTF-8.
std::vector<std::string> list_items_utf8(HWND control);
int list_selection(HWND control);
int list_count(HWND control);
// Moves a track bar the way a drag does: track, thumb position, end.
void drag_slider(HWND slider, int value);

// A key press posted to the focused control and run through the player's
// loop. Names: Down Up Left Right Home End PageUp PageDown Enter Escape Tab
// Space Delete Backspace F1..F12, a single character, with optional
// "Alt+", "Ctrl+" and "Shift+" prefixes.
bool press_key(Player& player, HWND control, const std::string& name, std::string& error);
// Characters as WM_CHAR messages, one per byte.
void type_characters(Player& player, HWND control, const std::string& bytes);

// The close box: WM_SYSCOMMAND SC_CLOSE.
void close_window(Player& player, HWND window);

// A BMP of the window as it is on the screen.
bool save_window_picture(Player& player, HWND window, const std::string& path, std::string& error);

}  // namespace player
}  // namespace versotime
