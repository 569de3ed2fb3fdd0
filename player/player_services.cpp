#include "player/player_services.h"

#include <algorithm>
#include <cstdio>

#include "player/player.h"

namespace versotime {
namespace player {

namespace {

std::string with_number(const char* name, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %g", name, value);
    return text;
}

}  // namespace

TrackHandle* PlayerControlService::get_now_playing() {
    PlayerTrack* track = player_.state == PlayState::stopped ? nullptr : player_.track(player_.now_playing);
    if (track) track->add_ref();
    return track;
}

void PlayerControlService::start_playback(PlaybackCommand command) {
    switch (command) {
    case PlaybackCommand::play:
        player_.control_calls.push_back("play");
        player_.play();
        break;
    case PlaybackCommand::next:
        player_.control_calls.push_back("next");
        player_.move(1);
        break;
    case PlaybackCommand::previous:
        player_.control_calls.push_back("previous");
        player_.move(-1);
        break;
    default:
        player_.control_calls.push_back(with_number("start_playback", static_cast<int>(command)));
        break;
    }
}

void PlayerControlService::stop_playback(int) {
    player_.control_calls.push_back("stop");
    player_.stop();
}

bool PlayerControlService::is_playing() { return player_.state != PlayState::stopped; }

void PlayerControlService::toggle_pause() {
    player_.control_calls.push_back("pause");
    player_.toggle_pause();
}

void PlayerControlService::show_preferences(const char* page_name) {
    player_.control_calls.push_back(std::string("show_preferences ") + (page_name ? page_name : ""));
    player_.preferences().show(player_, page_name ? page_name : "");
}

void PlayerControlService::seek_to(double seconds) {
    player_.control_calls.push_back(with_number("seek_to", seconds));
    player_.seek_to(seconds);
}

void PlayerControlService::seek_by(double delta_seconds) {
    player_.control_calls.push_back(with_number("seek_by", delta_seconds));
    player_.seek_to(player_.position + delta_seconds);
}

bool PlayerControlService::can_seek() { return player_.seekable && player_.state != PlayState::stopped; }

double PlayerControlService::get_position() { return player_.state == PlayState::stopped ? 0.0 : player_.position; }

TrackHandle* TrackListService::get_track_at(int index) {
    PlayerTrack* track = player_.track(index);
    if (track) track->add_ref();
    return track;
}

int TrackListService::get_focus_index() { return player_.track(player_.focus) ? player_.focus : -1; }

void ModelessRegistryService::add_modeless_dialog(HWND window) {
    if (window && std::find(windows.begin(), windows.end(), window) == windows.end()) windows.push_back(window);
}

void ModelessRegistryService::remove_modeless_dialog(HWND window) {
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

}  // namespace player
}  // namespace versotime
