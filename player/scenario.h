// Runs a scenario script against a player: one command a line; the first
// expectation that does not hold ends the run with FILE:LINE and what
// differed. The language is described in docs/scenarios.md.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "player/dialog_watcher.h"
#include "player/player.h"

namespace versotime {
namespace player {

class Scenario {
public:
    Scenario(Player& player, std::string file_name);

    // 0 when every command ran and every expectation held; 1 otherwise.
    // Reports go to stdout.
    int run();
    // The same over text given directly (for tests), `file_name` naming it.
    int run_text(const std::string& text);
    // The report of the failure that ended the last run ("FILE:LINE: ..."),
    // empty when it passed.
    const std::string& report() const { return report_; }

private:
    using Args = std::vector<std::string>;
    using Handler = bool (Scenario::*)(const Args&);
    struct CommandInfo {
        Handler handler;
        int min_args;
        int max_args;  // -1: any
    };

    bool execute(const Args& words);
    // The command the words name and its arguments; false (error set) for an
    // unknown command or a wrong number of arguments.
    bool find_command(const Args& words, const CommandInfo*& info, Args& args);
    bool finish();
    bool fail(const std::string& message);
    bool differ(const std::string& what, const std::string& expected, const std::string& got);

    // Argument helpers; each sets the error on failure.
    bool to_int(const std::string& text, int& value);
    bool to_double(const std::string& text, double& value);
    bool to_flag(const std::string& text, bool& value);
    bool window(const std::string& name, HWND& found);
    bool control(const std::string& window_name, const std::string& id, HWND& found);
    bool track_at(const std::string& index, PlayerTrack*& found);
    bool components_loaded();
    LoadedComponent* chosen_component();
    bool check_after_quit();

    // ---- Commands ----
    bool track_add(const Args& a);
    bool track_meta(const Args& a);
    bool track_info(const Args& a);
    bool track_update(const Args& a);
    bool track_get_info(const Args& a);
    bool focus(const Args& a);
    bool play(const Args& a);
    bool pause(const Args& a);
    bool stop(const Args& a);
    bool next(const Args& a);
    bool previous(const Args& a);
    bool position(const Args& a);
    bool can_seek(const Args& a);
    bool advance(const Args& a);
    bool tick(const Args& a);
    bool pump(const Args& a);
    bool menu(const Args& a);
    bool context_menu(const Args& a);
    bool click(const Args& a);
    bool set_text(const Args& a);
    bool set_text_utf8(const Args& a);
    bool type(const Args& a);
    bool select(const Args& a);
    bool double_click(const Args& a);
    bool key(const Args& a);
    bool slider(const Args& a);
    bool close(const Args& a);
    bool move_window(const Args& a);
    bool picture(const Args& a);
    bool open_preferences(const Args& a);
    bool close_preferences(const Args& a);
    bool open_probe(const Args& a);
    bool answer_file_dialog(const Args& a);
    bool cancel_file_dialog(const Args& a);
    bool answer_message_box(const Args& a);
    bool clipboard_set_text_cmd(const Args& a);
    bool clipboard_set_picture_cmd(const Args& a);
    bool clipboard_clear_cmd(const Args& a);
    bool write_file(const Args& a);
    bool copy_file(const Args& a);
    bool delete_file(const Args& a);
    bool truncate_file(const Args& a);
    bool clear_calls(const Args& a);
    bool save_config(const Args& a);
    bool use_component(const Args& a);
    bool quit(const Args& a);
    bool restart(const Args& a);
    bool log(const Args& a);
    // Runs one command of the same line N times.
    bool repeat(const Args& a);
    // A track bar's thumb held and let go (scenario_slider.cpp).
    bool slider_hold(const Args& a);
    bool slider_release(const Args& a);
    // Hostile file and clipboard cases (scenario_files.cpp).
    bool clipboard_set_file(const Args& a);
    bool set_read_only(const Args& a);
    bool clipboard_hold_cmd(const Args& a);
    // Unicode text on the clipboard (scenario_unicode.cpp).
    bool clipboard_set_text_utf8_cmd(const Args& a);

    // ---- Expectations ----
    bool expect_text(const Args& a);
    bool expect_text_utf8(const Args& a);
    bool expect_enabled(const Args& a);
    bool expect_checked(const Args& a);
    bool expect_visible(const Args& a);
    bool expect_list(const Args& a);
    bool expect_list_count(const Args& a);
    bool expect_selection(const Args& a);
    bool expect_caption(const Args& a);
    bool expect_caption_utf8(const Args& a);
    bool expect_window(const Args& a);
    bool expect_topmost(const Args& a);
    bool expect_window_position(const Args& a);
    bool expect_file(const Args& a);
    bool expect_file_same(const Args& a);
    bool expect_file_exists(const Args& a);
    bool expect_meta(const Args& a);
    bool expect_meta_missing(const Args& a);
    bool expect_meta_fields(const Args& a);
    bool expect_update_calls(const Args& a);
    bool expect_clipboard(const Args& a);
    bool expect_clipboard_has_text(const Args& a);
    bool expect_file_dialog(const Args& a);
    bool expect_file_dialogs(const Args& a);
    bool expect_message_box(const Args& a);
    bool expect_message_box_utf8(const Args& a);
    bool expect_message_boxes(const Args& a);
    bool expect_track_refs(const Args& a);
    bool expect_config(const Args& a);
    bool expect_config_missing(const Args& a);
    bool expect_last_seek(const Args& a);
    bool expect_calls(const Args& a);
    bool expect_playback(const Args& a);
    bool expect_position(const Args& a);
    bool expect_now_playing(const Args& a);
    bool expect_menu_shown(const Args& a);
    bool expect_context_menu_shown(const Args& a);
    bool expect_preferences_page(const Args& a);
    bool expect_slider(const Args& a);
    bool expect_tip(const Args& a);
    bool expect_list_extent(const Args& a);
    bool expect_folder_files(const Args& a);
    bool expect_clipboard_same(const Args& a);
    bool expect_clipboard_utf8(const Args& a);
    bool expect_list_utf8(const Args& a);

    Player& player_;
    DialogWatcher watcher_;
    std::string file_name_;
    int line_ = 0;
    std::string error_;
    std::string report_;
    std::string chosen_component_;
    std::map<std::string, CommandInfo> commands_;
};

}  // namespace player
}  // namespace versotime
