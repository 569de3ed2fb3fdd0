// The preferences page: check boxes, radio buttons and the tag-name fields
// take effect at once; the extension and the two formatting scripts on Save.
#include "settings/preferences_page.h"

#include "editor/editor_state.h"
#include "editor/playback_tracking.h"
#include "host/host_services.h"
#include "host/utf8_string.h"
#include "host/utf8api.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "settings/config_variables.h"
#include "storage/file_names.h"

namespace versotime {

namespace {

// The two formatting scripts are kept to this many bytes of UTF-8.
constexpr std::uint32_t max_script_bytes = 128;

int check_state(HWND page, int control_id) {
    return IsDlgButtonChecked(page, control_id) == BST_CHECKED ? 1 : 0;
}

void show_message(HWND page, const char* system_text) {
    Utf8String text;
    text.append_system_text(system_text);
    uMessageBox(page, text.c_str(), nullptr, 0);
}

void store_field(HWND page, int control_id, ConfigString& setting) {
    Utf8String text;
    uGetDlgItemText(page, control_id, text);
    setting.set(text.c_str());
}

// A script longer than the limit is reported, cut on a character boundary
// and shown cut before it is stored. False when the page was destroyed
// while the message was open (the player may rebuild it meanwhile): nothing
// more may be read from it, and nothing is stored.
bool store_script(HWND page, int control_id, ConfigString& setting, const char* too_long) {
    Utf8String text;
    uGetDlgItemText(page, control_id, text);
    if (text.length() > max_script_bytes) {
        show_message(page, too_long);
        if (!IsWindow(page)) return false;
        text.truncate(utf8_fit_length(text.c_str(), text.length(), max_script_bytes));
        uSetDlgItemText(page, control_id, text.c_str());
    }
    setting.set(text.c_str());
    return true;
}

void on_init_dialog(HWND page) {
    CheckDlgButton(page, IDC_PREF_REMEMBER_POSITION, window_remember.get() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_PREF_ALWAYS_ON_TOP, at_toppest.get() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_PREF_AUTO_SAVE, lyric_auto_save.get() ? BST_CHECKED : BST_UNCHECKED);
    uSetDlgItemText(page, IDC_PREF_EXTENSION, lrc_suffix.get());
    uSetDlgItemText(page, IDC_PREF_TITLE_FORMAT, lrc_title.get());
    uSetDlgItemText(page, IDC_PREF_NAME_FORMAT, lrc_name.get());
    uSetDlgItemText(page, IDC_PREF_LYRIC_TAG, lyric_tag_value.get());
    uSetDlgItemText(page, IDC_PREF_FILEPATH_TAG, lyric_filename_tag_value.get());
    CheckDlgButton(page, lyric_filename_type.get() != 0 ? IDC_PREF_NAME_FORMATTED : IDC_PREF_NAME_SAME_AS_MEDIA,
                   BST_CHECKED);
}

void on_always_on_top(HWND page) {
    const int state = check_state(page, IDC_PREF_ALWAYS_ON_TOP);
    at_toppest.set(state);
    HWND editor = editor_window();
    if (!editor) return;
    RECT rect;
    if (!GetWindowRect(editor, &rect)) return;
    SetWindowPos(editor, state ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOMOVE);
}

void on_save(HWND page) {
    store_field(page, IDC_PREF_EXTENSION, lrc_suffix);
    if (!store_script(page, IDC_PREF_TITLE_FORMAT, lrc_title, texts::title_too_long)) return;
    if (!store_script(page, IDC_PREF_NAME_FORMAT, lrc_name, texts::filename_too_long)) return;
    if (editor_window()) refresh_title_bar();
}

// By the full command value: only a click or the named notification counts.
void on_command(HWND page, WPARAM command) {
    switch (command) {
    case MAKEWPARAM(IDC_PREF_ALWAYS_ON_TOP, BN_CLICKED): on_always_on_top(page); break;
    case MAKEWPARAM(IDC_PREF_REMEMBER_POSITION, BN_CLICKED):
        window_remember.set(check_state(page, IDC_PREF_REMEMBER_POSITION));
        break;
    case MAKEWPARAM(IDC_PREF_AUTO_SAVE, BN_CLICKED): lyric_auto_save.set(check_state(page, IDC_PREF_AUTO_SAVE)); break;
    case MAKEWPARAM(IDC_PREF_NAME_SAME_AS_MEDIA, BN_CLICKED): lyric_filename_type.set(0); break;
    case MAKEWPARAM(IDC_PREF_NAME_FORMATTED, BN_CLICKED): lyric_filename_type.set(1); break;
    case MAKEWPARAM(IDC_PREF_LYRIC_TAG, EN_CHANGE): store_field(page, IDC_PREF_LYRIC_TAG, lyric_tag_value); break;
    case MAKEWPARAM(IDC_PREF_FILEPATH_TAG, EN_CHANGE):
        store_field(page, IDC_PREF_FILEPATH_TAG, lyric_filename_tag_value);
        break;
    case MAKEWPARAM(IDC_PREF_SAVE, BN_CLICKED): on_save(page); break;
    default: break;
    }
}

INT_PTR CALLBACK preferences_procedure(HWND page, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: on_init_dialog(page); break;
    case WM_COMMAND: on_command(page, wparam); break;
    default: break;  // WM_DESTROY: the window's own teardown is all
    }
    return 0;
}

}  // namespace

HWND create_preferences_page(HWND parent) {
    return uCreateDialog(module_instance, texts::preferences_dialog, parent, preferences_procedure, 0);
}

}  // namespace versotime
