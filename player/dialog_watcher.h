// Answers the file dialogs and message boxes that the components open, from
// a second thread, while the first is inside the modal loop. Answers are
// armed in advance; a dialog that nobody expected is closed and reported.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace versotime {
namespace player {

struct SeenFileDialog {
    std::string title;
    std::string file_name;  // the name the dialog offered
};

struct SeenMessageBox {
    std::string text;       // narrow bytes
    std::string text_utf8;
};

class DialogWatcher {
public:
    DialogWatcher();
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // `path` empty with `cancel` set answers Cancel. `line` names the arming.
    void arm_file_dialog(const std::string& path, bool cancel, int line);
    // `button`: IDOK, IDCANCEL, IDYES, IDNO. With `close_preferences` the
    // player's preferences window is closed first, while the box is open
    // (as when the player rebuilds the page meanwhile).
    void arm_message_box(int button, int line, bool close_preferences = false);

    std::vector<SeenFileDialog> file_dialogs();
    std::vector<SeenMessageBox> message_boxes();
    // Dialogs nobody expected, as messages; cleared by the call.
    std::vector<std::string> take_errors();
    // Lines whose answers were never used.
    std::vector<int> unused_answers();

    // A modal dialog that no answer can close (neither a file dialog nor a
    // message box) and that stays open for the limit ends the process with
    // status 3 and the line of the command that opened it, rather than
    // leaving the test to hang until its timeout. Long commands are fine.
    void command_started(const std::string& where);
    void command_finished();
    static constexpr DWORD stuck_dialog_limit_ms = 20000;

private:
    struct Answer {
        bool file = false;
        std::string path;
        bool cancel = false;
        int button = IDOK;
        bool close_preferences = false;
        int line = 0;
    };

    static DWORD WINAPI thread_main(void* self);
    void watch();
    void handle(HWND dialog);
    void check_stuck(HWND dialog);
    bool take_answer(bool file, Answer& answer);

    CRITICAL_SECTION lock_;
    HANDLE thread_ = nullptr;
    HANDLE stop_ = nullptr;
    std::deque<Answer> answers_;
    std::vector<SeenFileDialog> file_dialogs_;
    std::vector<SeenMessageBox> message_boxes_;
    std::vector<std::string> errors_;
    std::vector<HWND> handled_;
    std::string command_where_;
    bool command_running_ = false;
    HWND stuck_dialog_ = nullptr;
    DWORD stuck_since_ = 0;
};

}  // namespace player
}  // namespace versotime
