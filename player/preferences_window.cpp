#include "player/preferences_window.h"

#include <cstring>

namespace versotime {
namespace player {

namespace {

LRESULT CALLBACK frame_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_preferences_frame_class() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = frame_procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = preferences_frame_class;
    registered = RegisterClassA(&wc) != 0;
    return registered;
}

}  // namespace

bool PreferencesWindow::show(ServiceRegistry& registry, const std::string& name) {
    if (!frame_ || !IsWindow(frame_)) {
        frame_ = nullptr;
        if (!register_preferences_frame_class()) return false;
        frame_ = CreateWindowExA(0, preferences_frame_class, "Preferences", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 640,
                                 560, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!frame_) return false;
    }
    drop_page();
    for (int i = 0;; ++i) {
        Service* service = registry.get_service(guid_preferences_page_entry, i);
        if (!service) break;
        auto* entry = static_cast<PreferencesPageEntry*>(service);
        const char* entry_name = entry->get_page_name();
        if (entry_name && name == entry_name) {
            entry_ = entry;
            page_name_ = name;
            page_ = entry->create_page(frame_);
            if (page_) {
                SetWindowPos(page_, nullptr, 8, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                ShowWindow(page_, SW_SHOW);
            }
            break;
        }
        entry->release();
    }
    ShowWindow(frame_, SW_SHOW);
    SetForegroundWindow(frame_);
    return entry_ != nullptr;
}

void PreferencesWindow::drop_page() {
    if (page_ && IsWindow(page_)) DestroyWindow(page_);
    page_ = nullptr;
    if (entry_) entry_->release();
    entry_ = nullptr;
    page_name_.clear();
}

void PreferencesWindow::close() {
    drop_page();
    if (frame_ && IsWindow(frame_)) DestroyWindow(frame_);
    frame_ = nullptr;
}

}  // namespace player
}  // namespace versotime
