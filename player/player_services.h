// The player's own services: playback control over a simulated clock, the
// track list with its focused entry, and the modeless-dialog registry.
#pragma once

#include <string>
#include <vector>

#include "host/player_api.h"

namespace versotime {
namespace player {

class Player;

// One base for the three: a count that is only watched, never frees.
template <class Interface>
class OwnService : public Interface {
public:
    int release() override { return --refs; }
    int add_ref() override { return ++refs; }
    Service* query_interface(const Guid&) override { return nullptr; }

    int refs = 1;
};

class PlayerControlService final : public OwnService<PlayerControl> {
public:
    explicit PlayerControlService(Player& owner) : player_(owner) {}

    TrackHandle* get_now_playing() override;
    void start_playback(PlaybackCommand command) override;
    void stop_playback(int reason) override;
    bool is_playing() override;
    void toggle_pause() override;
    void show_preferences(const char* page_name) override;
    void seek_to(double seconds) override;
    void seek_by(double delta_seconds) override;
    bool can_seek() override;
    double get_position() override;

private:
    Player& player_;
};

class TrackListService final : public OwnService<TrackList> {
public:
    explicit TrackListService(Player& owner) : player_(owner) {}

    TrackHandle* get_track_at(int index) override;
    int get_focus_index() override;

private:
    Player& player_;
};

class ModelessRegistryService final : public OwnService<ModelessDialogRegistry> {
public:
    void add_modeless_dialog(HWND window) override;
    void remove_modeless_dialog(HWND window) override;

    // Registered windows, oldest first.
    std::vector<HWND> windows;
};

// The track list a menu command is given.
class PlayerTrackHandleList final : public TrackHandleList {
public:
    explicit PlayerTrackHandleList(int track_count) : count_(track_count) {}
    int count() const override { return count_; }

private:
    int count_;
};

}  // namespace player
}  // namespace versotime
