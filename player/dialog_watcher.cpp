#include "player/dialog_watcher.h"
#include "player/preferences_window.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "player/window_driver.h"

namespace versotime {
namespace player {

namespace {

constexpr int file_name_combo = 0x47C;
constexpr int file_name_edit = 0x480;
constexpr int message_text = 0xFFFF;

struct Found {
    DWORD process;
    std::vector<HWND> dialogs;
};

BOOL CALLBACK collect_dialog(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != found->process || !IsWindowVisible(window)) return TRUE;
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") == 0) found->dialogs.push_back(window);
    return TRUE;
}

BOOL CALLBACK check_child(HWND child, LPARAM param) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") != 0 && lstrcmpiA(name, "Button") != 0) *reinterpret_cast<bool*>(param) = false;
    return TRUE;
}

// A message box holds only its text, its icon and its buttons; the
// components' own dialogs have unnamed statics too, so the text's ID alone
// does not tell.
bool is_message_box(HWND dialog) {
    if (!GetDlgItem(dialog, message_text)) return false;
    bool only_statics_and_buttons = true;
    EnumChildWindows(dialog, check_child, reinterpret_cast<LPARAM>(&only_statics_and_buttons));
    return only_statics_and_buttons;
}

HWND file_name_control(HWND dialog) {
    HWND control = GetDlgItem(dialog, file_name_combo);
    return control ? control : GetDlgItem(dialog, file_name_edit);
}

}  // namespace

DialogWatcher::DialogWatcher() {
    InitializeCriticalSection(&lock_);
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, thread_main, this, 0, nullptr);
}

DialogWatcher::~DialogWatcher() {
    SetEvent(stop_);
    if (thread_) {
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
    }
    CloseHandle(stop_);
    DeleteCriticalSection(&lock_);
}

void DialogWatcher::arm_file_dialog(const std::string& path, bool cancel, int line) {
    EnterCriticalSection(&lock_);
    Answer a;
    a.file = true;
    a.path = path;
    a.cancel = cancel;
    a.line = line;
    answers_.push_back(a);
    LeaveCriticalSection(&lock_);
}

void DialogWatcher::arm_message_box(int button, int line, bool close_preferences) {
    EnterCriticalSection(&lock_);
    Answer a;
    a.button = button;
    a.close_preferences = close_preferences;
    a.line = line;
    answers_.push_back(a);
    LeaveCriticalSection(&lock_);
}

std::vector<SeenFileDialog> DialogWatcher::file_dialogs() {
    EnterCriticalSection(&lock_);
    auto copy = file_dialogs_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::vector<SeenMessageBox> DialogWatcher::message_boxes() {
    EnterCriticalSection(&lock_);
    auto copy = message_boxes_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::vector<std::string> DialogWatcher::take_errors() {
    EnterCriticalSection(&lock_);
    std::vector<std::string> taken;
    taken.swap(errors_);
    LeaveCriticalSection(&lock_);
    return taken;
}

std::vector<int> DialogWatcher::unused_answers() {
    EnterCriticalSection(&lock_);
    std::vector<int> lines;
    for (const Answer& a : answers_) lines.push_back(a.line);
    LeaveCriticalSection(&lock_);
    return lines;
}

void DialogWatcher::command_started(const std::string& where) {
    EnterCriticalSection(&lock_);
    command_where_ = where;
    command_running_ = true;
    LeaveCriticalSection(&lock_);
}

void DialogWatcher::command_finished() {
    EnterCriticalSection(&lock_);
    command_running_ = false;
    LeaveCriticalSection(&lock_);
}

bool DialogWatcher::take_answer(bool file, Answer& answer) {
    EnterCriticalSection(&lock_);
    bool found = false;
    for (auto it = answers_.begin(); it != answers_.end(); ++it) {
        if (it->file == file) {
            answer = *it;
            answers_.erase(it);
            found = true;
            break;
        }
    }
    LeaveCriticalSection(&lock_);
    return found;
}

DWORD WINAPI DialogWatcher::thread_main(void* self) {
    static_cast<DialogWatcher*>(self)->watch();
    return 0;
}

void DialogWatcher::watch() {
    while (WaitForSingleObject(stop_, 25) == WAIT_TIMEOUT) {
        Found found{GetCurrentProcessId(), {}};
        EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&found));
        handled_.erase(std::remove_if(handled_.begin(), handled_.end(), [](HWND w) { return !IsWindow(w); }),
                       handled_.end());
        for (HWND dialog : found.dialogs) {
            if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end()) continue;
            bool file = file_name_control(dialog) != nullptr;
            bool message = !file && is_message_box(dialog);
            if (!file && !message) {  // some other dialog: the editor, a page
                check_stuck(dialog);
                continue;
            }
            // Let the dialog finish its own set-up before reading it.
            Sleep(100);
            if (!IsWindow(dialog)) continue;
            handled_.push_back(dialog);
            handle(dialog);
        }
    }
}

// A modal dialog disables its owner; the editor and the pages have none
// or a live one.
void DialogWatcher::check_stuck(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || IsWindowEnabled(owner)) {
        if (stuck_dialog_ == dialog) stuck_dialog_ = nullptr;
        return;
    }
    if (stuck_dialog_ != dialog) {
        stuck_dialog_ = dialog;
        stuck_since_ = GetTickCount();
        return;
    }
    if (GetTickCount() - stuck_since_ < stuck_dialog_limit_ms) return;
    EnterCriticalSection(&lock_);
    std::string where = command_running_ ? command_where_ : std::string("(between commands)");
    LeaveCriticalSection(&lock_);
    std::printf("%s: a dialog \"%s\" opened that no scenario command can answer\n", where.c_str(),
                window_text(dialog).c_str());
    std::fflush(stdout);
    ExitProcess(3);
}

void DialogWatcher::handle(HWND dialog) {
    HWND name_control = file_name_control(dialog);
    if (name_control) {
        SeenFileDialog seen{window_text(dialog), window_text(name_control)};
        Answer answer;
        bool armed = take_answer(true, answer);
        EnterCriticalSection(&lock_);
        file_dialogs_.push_back(seen);
        if (!armed) errors_.push_back("a file dialog \"" + seen.title + "\" opened that no answer was armed for");
        LeaveCriticalSection(&lock_);
        if (armed && !answer.cancel) {
            SetWindowTextA(name_control, answer.path.c_str());
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        } else {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        }
        return;
    }
    HWND text = GetDlgItem(dialog, message_text);
    SeenMessageBox seen{window_text(text), window_text_utf8(text)};
    Answer answer;
    bool armed = take_answer(false, answer);
    EnterCriticalSection(&lock_);
    message_boxes_.push_back(seen);
    if (!armed) errors_.push_back("a message box \"" + seen.text + "\" opened that no answer was armed for");
    LeaveCriticalSection(&lock_);
    if (armed && answer.close_preferences) {
        // Closing the frame destroys the page and the box it owns; the
        // button below then reaches nothing, or closes a box that outlived it.
        if (HWND frame = FindWindowA(preferences_frame_class, nullptr)) PostMessageA(frame, WM_CLOSE, 0, 0);
    }
    int button = armed ? answer.button : IDOK;
    if (!GetDlgItem(dialog, button)) button = GetDlgItem(dialog, IDOK) ? IDOK : IDCANCEL;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace player
}  // namespace versotime
