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
    // `button`: IDOK, IDCANCEL, IDYES, IDNO.
    void arm_message_box(int button, int line);

    std::vector<SeenFileDialog> file_dialogs();
    std::vector<SeenMessageBox> message_boxes();
    // Dialogs nobody expected, as messages; cleared by the call.
    std::vector<std::string> take_errors();
    // Lines whose answers were never used.
    std::vector<int> unused_answers();

    // A command that runs longer than the limit (a dialog nobody can answer,
    // a loop that never ends) ends the process with `where` and status 3,
    // rather than leaving the test to its timeout.
    void command_started(const std::string& where);
    void command_finished();
    static constexpr DWORD command_limit_ms = 60000;

private:
    struct Answer {
        bool file = false;
        std::string path;
        bool cancel = false;
        int button = IDOK;
        int line = 0;
    };

    static DWORD WINAPI thread_main(void* self);
    void watch();
    void handle(HWND dialog);
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
    DWORD command_start_ = 0;
    bool command_running_ = false;
};

}  // namespace player
}  // namespace versotime
