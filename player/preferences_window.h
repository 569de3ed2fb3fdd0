// The player's preferences window: shows one component page at a time, as a
// child created by the page entry's create_page.
#pragma once

#include <windows.h>

#include <string>

#include "host/player_api.h"

namespace versotime {
namespace player {

// The window class of the preferences frame, for finding it from elsewhere.
constexpr const char* preferences_frame_class = "VersotimePlayerPreferences";

class PreferencesWindow {
public:
    PreferencesWindow() = default;
    ~PreferencesWindow() { close(); }
    PreferencesWindow(const PreferencesWindow&) = delete;
    PreferencesWindow& operator=(const PreferencesWindow&) = delete;

    // Opens the window (or keeps it) showing the page entry named `name`;
    // false when no entry has that name (the window opens without a page).
    bool show(ServiceRegistry& registry, const std::string& name);
    // Destroys the page and the window.
    void close();

    HWND frame() const { return frame_; }
    HWND page() const { return page_ && IsWindow(page_) ? page_ : nullptr; }
    const std::string& page_name() const { return page_name_; }

private:
    void drop_page();

    HWND frame_ = nullptr;
    HWND page_ = nullptr;
    PreferencesPageEntry* entry_ = nullptr;
    std::string page_name_;
};

}  // namespace player
}  // namespace versotime
