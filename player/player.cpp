#include "player/player.h"

#include <cstdio>
#include <cstring>

#include "player/config_file.h"

namespace versotime {
namespace player {

namespace {

constexpr int supported_interface_version = 35;

std::string file_name_of(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A dialog procedure that handles nothing: put in place of a component's
// before its windows are destroyed, so that no component code runs after
// its quit hook.
INT_PTR CALLBACK inert_dialog_procedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL CALLBACK collect_window(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool is_dialog(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, "#32770") == 0;
}

}  // namespace

Player::Player() : control_(*this), track_list_(*this) {}

Player::~Player() { unload_components(); }

bool Player::load_component(const std::string& path, std::string& error) {
    auto component = std::make_unique<LoadedComponent>();
    component->path = path;
    component->file_name = file_name_of(path);
    component->module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!component->module) {
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    auto entry = reinterpret_cast<GetInterfaceFunction>(
        reinterpret_cast<void*>(GetProcAddress(component->module, get_interface_export_name)));
    if (!entry) {
        error = path + " does not export " + get_interface_export_name;
        FreeLibrary(component->module);
        return false;
    }
    component->client = entry(this, component->module);
    if (!component->client) {
        error = path + ": the export answered no client";
        FreeLibrary(component->module);
        return false;
    }
    int version = component->client->get_interface_version();
    if (version != supported_interface_version) {
        error = path + " speaks interface version " + std::to_string(version) + ", not " +
                std::to_string(supported_interface_version);
        FreeLibrary(component->module);
        return false;
    }
    char full[MAX_PATH] = {};
    if (!GetModuleFileNameA(component->module, full, MAX_PATH)) std::snprintf(full, sizeof full, "%s", path.c_str());
    component->client->set_module_paths(full, file_name_of(full).c_str());

    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> blocks;
    read_config_file(blocks);
    static const std::uint8_t nothing = 0;
    const std::vector<std::uint8_t>* block = nullptr;
    for (const auto& b : blocks) {
        if (lstrcmpiA(b.first.c_str(), component->file_name.c_str()) == 0) block = &b.second;
    }
    if (block && !block->empty())
        component->client->load_configuration(block->data(), static_cast<std::uint32_t>(block->size()));
    else
        component->client->load_configuration(&nothing, 0);

    for (ServiceFactory* f = component->client->get_service_list(); f; f = f->next) {
        if (component->factories.size() > 1000) {
            error = path + ": the service chain does not end";
            break;
        }
        component->factories.push_back(f);
    }
    components_.push_back(std::move(component));
    return error.empty();
}

Service* Player::get_service(const Guid& class_id, int index) {
    if (index < 0) return nullptr;
    Service* own = nullptr;
    if (class_id == guid_player_control) own = &control_;
    if (class_id == guid_track_list) own = &track_list_;
    if (class_id == guid_modeless_dialog_registry) own = &modeless_;
    if (own) {
        if (index == 0) {
            own->add_ref();
            return own;
        }
        --index;
    }
    for (const auto& component : components_) {
        for (ServiceFactory* f : component->factories) {
            if (f->class_id == class_id && index-- == 0) return f->create_instance();
        }
    }
    return nullptr;
}

void Player::quit() {
    if (quit_) return;
    quit_ = true;
    for (int i = 0;; ++i) {
        Service* service = get_service(guid_quit_hook, i);
        if (!service) break;
        static_cast<QuitHook*>(service)->on_quit();
        service->release();
    }
    pump();
    preferences_.close();
    save_configuration();
}

bool Player::save_configuration() {
    for (const auto& component : components_) {
        BlockWriter writer;
        component->client->save_configuration(&writer);
        component->saved_block = writer.bytes;
        component->saved = true;
    }
    return write_config_file();
}

void Player::unload_components() {
    preferences_.close();
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collect_window, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        if (!IsWindow(window)) continue;
        if (is_dialog(window)) SetWindowLongPtrA(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(inert_dialog_procedure));
        DestroyWindow(window);
    }
    modeless_.windows.clear();
    pump();
    for (const auto& component : components_) {
        if (component->module) FreeLibrary(component->module);
    }
    components_.clear();
}

bool Player::restart(std::string& error) {
    quit();
    std::vector<std::string> paths;
    for (const auto& component : components_) paths.push_back(component->path);
    unload_components();
    quit_ = false;
    state = PlayState::stopped;
    now_playing = -1;
    position = 0.0;
    for (const std::string& path : paths) {
        if (!load_component(path, error)) return false;
    }
    return true;
}

void Player::read_config_file(std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& blocks) const {
    if (config_path_.empty()) return;
    std::vector<std::uint8_t> bytes;
    if (!read_whole_file(config_path_, bytes)) return;
    parse_config_file(bytes, blocks);
}

bool Player::write_config_file() const {
    if (config_path_.empty()) return true;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> blocks;
    for (const auto& component : components_) blocks.emplace_back(component->file_name, component->saved_block);
    return write_whole_file(config_path_, format_config_file(blocks));
}

// ---- Tracks and playback ----

int Player::add_track(const std::string& location, double length) {
    tracks_.push_back(std::make_unique<PlayerTrack>(location, length));
    if (focus < 0) focus = 0;
    return static_cast<int>(tracks_.size()) - 1;
}

PlayerTrack* Player::track(int index) {
    if (index < 0 || index >= track_count()) return nullptr;
    return tracks_[index].get();
}

void Player::notify_new_track() {
    PlayerTrack* playing = track(now_playing);
    if (!playing) return;
    for (int i = 0;; ++i) {
        Service* service = get_service(guid_playback_observer, i);
        if (!service) break;
        static_cast<PlaybackObserver*>(service)->on_new_track(playing);
        service->release();
    }
}

void Player::start_track(int index) {
    if (!track(index)) {
        stop();
        return;
    }
    now_playing = index;
    focus = index;
    state = PlayState::playing;
    position = 0.0;
    notify_new_track();
}

void Player::play() {
    if (state == PlayState::paused) {
        state = PlayState::playing;
        return;
    }
    start_track(track(focus) ? focus : 0);
}

void Player::move(int step) {
    int from = state == PlayState::stopped ? focus : now_playing;
    if (!track(from)) from = step > 0 ? -1 : track_count();
    int to = from + step;
    if (track(to))
        start_track(to);
    else if (state == PlayState::stopped)
        return;
    else
        stop();
}

void Player::stop() {
    state = PlayState::stopped;
    now_playing = -1;
    position = 0.0;
}

void Player::toggle_pause() {
    if (state == PlayState::playing)
        state = PlayState::paused;
    else if (state == PlayState::paused)
        state = PlayState::playing;
}

void Player::seek_to(double seconds) {
    last_seek = seconds;
    if (state == PlayState::stopped || !seekable) return;
    PlayerTrack* playing = track(now_playing);
    double length = playing ? playing->data.length : 0.0;
    if (seconds < 0.0) seconds = 0.0;
    if (length > 0.0 && seconds > length) seconds = length;
    position = seconds;
}

void Player::advance(double seconds) {
    if (state != PlayState::playing || seconds <= 0.0) return;
    position += seconds;
    PlayerTrack* playing = track(now_playing);
    if (playing && playing->data.length > 0.0 && position >= playing->data.length) move(1);
}

int Player::outstanding_references() const {
    int total = 0;
    for (const auto& t : tracks_) total += t->outstanding();
    return total;
}

std::vector<std::string> Player::track_faults() const {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
        for (const std::string& fault : tracks_[i]->faults) lines.push_back("track " + std::to_string(i) + ": " + fault);
        if (tracks_[i]->lock_count > 0) lines.push_back("track " + std::to_string(i) + ": still locked");
    }
    return lines;
}

// ---- Windows ----

void Player::dispatch(MSG& msg) {
    for (HWND dialog : modeless_.windows) {
        if (IsWindow(dialog) && (msg.hwnd == dialog || IsChild(dialog, msg.hwnd)) && IsDialogMessageA(dialog, &msg))
            return;
    }
    if (probe && IsWindow(probe) && (msg.hwnd == probe || IsChild(probe, msg.hwnd)) && IsDialogMessageA(probe, &msg))
        return;
    HWND page = preferences_.page();
    if (page && (msg.hwnd == page || IsChild(page, msg.hwnd)) && IsDialogMessageA(page, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void Player::pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) dispatch(msg);
    }
}

void Player::run_until_quit() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) dispatch(msg);
}

void Player::pump_for(int milliseconds) {
    DWORD start = GetTickCount();
    do {
        pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<int>(GetTickCount() - start) < milliseconds);
    pump();
}

HWND Player::editor_window() const {
    for (auto it = modeless_.windows.rbegin(); it != modeless_.windows.rend(); ++it) {
        if (IsWindow(*it)) return *it;
    }
    return nullptr;
}

// ---- Menus ----

MenuCommand* Player::find_menu_command(bool context, const std::string& path, int& item) {
    for (int i = 0;; ++i) {
        Service* service = get_service(guid_main_menu_command, i);
        if (!service) return nullptr;
        auto* command = static_cast<MenuCommand*>(service);
        if (command->get_kind() == (context ? 1 : 0)) {
            int count = command->get_item_count();
            for (int k = 0; k < count && k < 1000; ++k) {
                Utf8String item_path;
                command->get_item_path(k, item_path);
                if (path == item_path.c_str()) {
                    item = k;
                    return command;
                }
            }
        }
        command->release();
    }
}

bool Player::run_menu_command(bool context, const std::string& path, int selection) {
    int item = 0;
    MenuCommand* command = find_menu_command(context, path, item);
    if (!command) return false;
    PlayerTrackHandleList list(selection);
    command->execute(item, &list);
    command->release();
    return true;
}

bool Player::menu_command_shown(bool context, const std::string& path, int selection, bool& found) {
    int item = 0;
    MenuCommand* command = find_menu_command(context, path, item);
    found = command != nullptr;
    if (!command) return false;
    PlayerTrackHandleList list(selection);
    Utf8String name;
    unsigned flags = 0;
    bool shown = command->get_display(item, &list, name, &flags);
    command->release();
    return shown;
}

}  // namespace player
}  // namespace versotime
