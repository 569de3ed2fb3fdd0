#include "player/main_window.h"

#include <cstdio>
#include <string>
#include <vector>

#include "player/player.h"

namespace versotime {
namespace player {

namespace {

constexpr const char* main_class = "VersotimePlayerMain";
constexpr int list_id = 10;
constexpr int status_id = 11;
constexpr int play_id = 20, pause_id = 21, stop_id = 22, previous_id = 23, next_id = 24;
constexpr int first_menu_id = 1000;     // main-menu and context-menu commands
constexpr int first_page_id = 3000;     // preferences pages
constexpr UINT_PTR clock_timer = 1;

struct MenuEntry {
    bool context;
    std::string path;
};

struct State {
    Player* player = nullptr;
    std::vector<MenuEntry> commands;  // main-menu ones first
    std::size_t main_command_count = 0;
    std::vector<std::string> pages;
    DWORD last_tick = 0;
};

State state;

std::string time_text(double seconds) {
    if (seconds < 0) seconds = 0;
    int tenths = static_cast<int>(seconds * 10.0);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d.%d", tenths / 600, tenths / 10 % 60, tenths % 10);
    return text;
}

// Every command of one kind, as (path) entries.
std::vector<std::string> command_paths(Player& player, bool context) {
    std::vector<std::string> paths;
    for (int i = 0;; ++i) {
        Service* service = player.get_service(guid_main_menu_command, i);
        if (!service) break;
        auto* command = static_cast<MenuCommand*>(service);
        if (command->get_kind() == (context ? 1 : 0)) {
            for (int k = 0; k < command->get_item_count() && k < 100; ++k) {
                Utf8String path;
                command->get_item_path(k, path);
                if (!path.empty()) paths.push_back(path.c_str());
            }
        }
        command->release();
    }
    return paths;
}

HMENU build_menu(Player& player) {
    HMENU bar = CreateMenu();
    HMENU playback = CreatePopupMenu();
    AppendMenuA(playback, MF_STRING, play_id, "Play");
    AppendMenuA(playback, MF_STRING, pause_id, "Pause");
    AppendMenuA(playback, MF_STRING, stop_id, "Stop");
    AppendMenuA(playback, MF_STRING, previous_id, "Previous");
    AppendMenuA(playback, MF_STRING, next_id, "Next");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(playback), "Playback");

    // Main-menu paths: "Components/Make lyrics" goes under "Components".
    std::vector<std::pair<std::string, HMENU>> popups;
    for (const std::string& path : command_paths(player, false)) {
        std::size_t slash = path.rfind('/');
        std::string folder = slash == std::string::npos ? "Commands" : path.substr(0, slash);
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        HMENU popup = nullptr;
        for (auto& p : popups) {
            if (p.first == folder) popup = p.second;
        }
        if (!popup) {
            popup = CreatePopupMenu();
            popups.emplace_back(folder, popup);
        }
        AppendMenuA(popup, MF_STRING, first_menu_id + state.commands.size(), name.c_str());
        state.commands.push_back({false, path});
    }
    state.main_command_count = state.commands.size();
    for (auto& p : popups) AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(p.second), p.first.c_str());

    HMENU preferences = CreatePopupMenu();
    for (int i = 0;; ++i) {
        Service* service = player.get_service(guid_preferences_page_entry, i);
        if (!service) break;
        auto* entry = static_cast<PreferencesPageEntry*>(service);
        const char* name = entry->get_page_name();
        if (name) {
            AppendMenuA(preferences, MF_STRING, first_page_id + state.pages.size(), name);
            state.pages.push_back(name);
        }
        entry->release();
    }
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(preferences), "Preferences");
    return bar;
}

void fill_list(HWND window) {
    HWND list = GetDlgItem(window, list_id);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < state.player->track_count(); ++i) {
        PlayerTrack* track = state.player->track(i);
        std::string line = std::string(track->data.location.get_path()) + "  " + time_text(track->data.length);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, state.player->focus, 0);
}

void show_status(HWND window) {
    Player& player = *state.player;
    std::string text = player.state == PlayState::playing  ? "Playing "
                       : player.state == PlayState::paused ? "Paused "
                                                           : "Stopped";
    if (PlayerTrack* track = player.state == PlayState::stopped ? nullptr : player.track(player.now_playing))
        text += time_text(player.position) + " / " + time_text(track->data.length) + "  " + track->data.location.get_path();
    SetDlgItemTextA(window, status_id, text.c_str());
}

void on_clock(HWND window) {
    DWORD now = GetTickCount();
    double elapsed = (now - state.last_tick) / 1000.0;
    state.last_tick = now;
    int before = state.player->now_playing;
    state.player->advance(elapsed);
    if (state.player->now_playing != before) SendDlgItemMessageA(window, list_id, LB_SETCURSEL, state.player->focus, 0);
    show_status(window);
}

void on_context_menu(HWND window, LPARAM where) {
    // The entries of the previous context menu go; the chosen one's
    // WM_COMMAND has run by now.
    state.commands.resize(state.main_command_count);
    HMENU popup = CreatePopupMenu();
    for (const std::string& path : command_paths(*state.player, true)) {
        AppendMenuA(popup, MF_STRING, first_menu_id + state.commands.size(), path.c_str());
        state.commands.push_back({true, path});
    }
    POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (at.x == -1 && at.y == -1) GetCursorPos(&at);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(popup);
}

void on_command(HWND window, int id, int code) {
    Player& player = *state.player;
    if (id == list_id) {
        int selected = static_cast<int>(SendDlgItemMessageA(window, list_id, LB_GETCURSEL, 0, 0));
        if (selected >= 0) player.focus = selected;
        if (code == LBN_DBLCLK && selected >= 0) player.start_track(selected);
    } else if (id == play_id) {
        player.play();
    } else if (id == pause_id) {
        player.toggle_pause();
    } else if (id == stop_id) {
        player.stop();
    } else if (id == previous_id) {
        player.move(-1);
    } else if (id == next_id) {
        player.move(1);
    } else if (id >= first_menu_id && id < first_menu_id + static_cast<int>(state.commands.size())) {
        const MenuEntry& entry = state.commands[id - first_menu_id];
        player.run_menu_command(entry.context, entry.path, entry.context && player.track(player.focus) ? 1 : 0);
    } else if (id >= first_page_id && id < first_page_id + static_cast<int>(state.pages.size())) {
        player.preferences().show(player, state.pages[id - first_page_id]);
    }
    show_status(window);
}

HWND add_child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK main_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        add_child(window, "LISTBOX", "", WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 8, 8, 464, 200, list_id);
        add_child(window, "BUTTON", "|<", BS_PUSHBUTTON, 8, 216, 50, 24, previous_id);
        add_child(window, "BUTTON", "[#]", BS_PUSHBUTTON, 62, 216, 50, 24, stop_id);
        add_child(window, "BUTTON", "|>", BS_PUSHBUTTON, 116, 216, 50, 24, play_id);
        add_child(window, "BUTTON", "||", BS_PUSHBUTTON, 170, 216, 50, 24, pause_id);
        add_child(window, "BUTTON", ">|", BS_PUSHBUTTON, 224, 216, 50, 24, next_id);
        add_child(window, "STATIC", "", SS_LEFT, 8, 248, 464, 20, status_id);
        return 0;
    case WM_COMMAND:
        on_command(window, LOWORD(wparam), HIWORD(wparam));
        return 0;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wparam) == GetDlgItem(window, list_id)) on_context_menu(window, lparam);
        return 0;
    case WM_TIMER:
        if (wparam == clock_timer) on_clock(window);
        return 0;
    case WM_CLOSE:
        KillTimer(window, clock_timer);
        state.player->quit();
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace

HWND create_main_window(Player& player) {
    state = State{};
    state.player = &player;
    WNDCLASSA wc{};
    wc.lpfnWndProc = main_procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = main_class;
    static bool registered = false;
    if (!registered) registered = RegisterClassA(&wc) != 0;
    if (!registered) return nullptr;
    HMENU menu = build_menu(player);
    HWND window = CreateWindowExA(0, main_class, "Versotime player", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 496,
                                  340, nullptr, menu, GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        DestroyMenu(menu);
        return nullptr;
    }
    fill_list(window);
    show_status(window);
    state.last_tick = GetTickCount();
    SetTimer(window, clock_timer, 100, nullptr);
    return window;
}

}  // namespace player
}  // namespace versotime
