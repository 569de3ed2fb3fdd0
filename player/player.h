// The stand-in player: loads component DLLs, answers their service lookups,
// plays tracks on a simulated clock, keeps their configuration in a file and
// counts the track references it gives out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/player_api.h"
#include "player/player_services.h"
#include "player/player_track.h"
#include "player/preferences_window.h"

namespace versotime {
namespace player {

struct LoadedComponent {
    std::string path;       // as given
    std::string file_name;  // without folder
    HMODULE module = nullptr;
    ComponentClient* client = nullptr;
    std::vector<ServiceFactory*> factories;  // chain order
    std::vector<std::uint8_t> saved_block;   // from the last save
    bool saved = false;
};

enum class PlayState { stopped, playing, paused };

class Player final : public ServiceRegistry {
public:
    Player();
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // ---- Components ----
    // Loads the DLL, calls its export, hands it its paths and its block.
    // False with a reason in `error`.
    bool load_component(const std::string& path, std::string& error);
    // The configuration file; blocks are handed over at load_component.
    void set_config_path(const std::string& path) { config_path_ = path; }
    const std::string& config_path() const { return config_path_; }
    const std::vector<std::unique_ptr<LoadedComponent>>& components() const { return components_; }

    Service* get_service(const Guid& class_id, int index) override;

    // Quit hooks, preferences closed, configuration saved to the file.
    void quit();
    // Destroys what is left of the components' windows and unloads them.
    void unload_components();
    // Quit, unload and load the same components again from the saved file.
    bool restart(std::string& error);
    bool has_quit() const { return quit_; }

    // Asks every component for its block now and writes the file.
    bool save_configuration();

    // ---- Tracks and playback ----
    int add_track(const std::string& location, double length);
    PlayerTrack* track(int index);
    int track_count() const { return static_cast<int>(tracks_.size()); }
    int focus = -1;
    int now_playing = -1;
    PlayState state = PlayState::stopped;
    double position = 0.0;
    bool seekable = true;
    double last_seek = -1.0;
    // Calls the components made on PlayerControl, in order ("play", "seek_to 12.5", ...).
    std::vector<std::string> control_calls;

    void play();  // resumes when paused, else starts the focused track from 0
    void start_track(int index);
    void move(int step);  // next (+1) or previous (-1)
    void stop();
    void toggle_pause();
    void seek_to(double seconds);
    // Runs the clock while playing; the end of a track moves to the next.
    void advance(double seconds);
    // Total references held outside the player's list.
    int outstanding_references() const;
    // Misuse of tracks seen so far, as readable lines.
    std::vector<std::string> track_faults() const;

    // ---- Windows ----
    // Runs every queued message through the loop the player uses.
    void pump();
    // Keeps pumping for `milliseconds` of real time.
    void pump_for(int milliseconds);
    // The interactive loop: runs until WM_QUIT.
    void run_until_quit();
    // One message through the player's loop: registered dialogs, the probe
    // and the preferences page see their keys through IsDialogMessage.
    void dispatch(MSG& msg);
    // Newest registered modeless dialog that still exists, or null.
    HWND editor_window() const;
    const std::vector<HWND>& modeless_windows() const { return modeless_.windows; }
    PreferencesWindow& preferences() { return preferences_; }
    // The player's probe window, when a scenario opened it.
    HWND probe = nullptr;

    // ---- Menus ----
    // Runs a main-menu (context = false) or context-menu command by its path.
    // `track_count` is the size of the selection handed to a context command.
    bool run_menu_command(bool context, const std::string& path, int track_count);
    // Whether the player would show the command (get_display).
    bool menu_command_shown(bool context, const std::string& path, int track_count, bool& found);

    PlayerControlService& control() { return control_; }

private:
    void notify_new_track();
    void read_config_file(std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& blocks) const;
    bool write_config_file() const;
    MenuCommand* find_menu_command(bool context, const std::string& path, int& item);

    std::vector<std::unique_ptr<LoadedComponent>> components_;
    std::vector<std::unique_ptr<PlayerTrack>> tracks_;
    std::string config_path_;
    PlayerControlService control_;
    TrackListService track_list_;
    ModelessRegistryService modeless_;
    PreferencesWindow preferences_;
    bool quit_ = false;
};

}  // namespace player
}  // namespace versotime
