#include "host/menu_commands.h"

#include "editor/editor_window.h"
#include "resources/texts.h"

namespace versotime {

namespace {

// What the menu shows: the item path after its last "/", or all of it.
void assign_display_name(MenuCommand& command, int index, Utf8StringInterface& out) {
    Utf8String path;
    command.get_item_path(index, path);
    int slash = path.find_last_char('/');
    out.assign(path.c_str() + (slash >= 0 ? slash + 1 : 0));
}

Service* answer_menu_query(Service& self, const Guid& id) {
    if (id != guid_menu_command_interface && id != guid_main_menu_command) return nullptr;
    self.add_ref();
    return &self;
}

int track_count(const TrackHandleList* tracks) { return tracks != nullptr ? tracks->count() : 0; }

}  // namespace

// ---- Main menu ----

Service* MainMenuCommandService::query_interface(const Guid& id) { return answer_menu_query(*this, id); }
int MainMenuCommandService::query_value(int) { return 1; }
int MainMenuCommandService::get_kind() { return 0; }
int MainMenuCommandService::get_item_count() { return 1; }

void MainMenuCommandService::get_item_path(int index, Utf8StringInterface& out) {
    if (index == 0) get_single_path(out);
}

bool MainMenuCommandService::get_display(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                                         unsigned* out_flags) {
    return get_display_from(index, tracks, out_name, out_flags, guid_null);
}

void MainMenuCommandService::execute(int index, const TrackHandleList* tracks) {
    execute_from(index, tracks, guid_null);
}

bool MainMenuCommandService::get_description(int, Utf8StringInterface& out) { return get_single_description(out); }
int MainMenuCommandService::query_value_b(int) { return 0; }

bool MainMenuCommandService::get_display_from(int index, const TrackHandleList*, Utf8StringInterface& out_name,
                                              unsigned* out_flags, const Guid&) {
    if (!is_item_available(index)) return false;
    assign_display_name(*this, index, out_name);
    if (out_flags != nullptr) {
        *out_flags = (is_item_flag_a(index) ? 1u : 0u) | (is_item_flag_b(index) ? 2u : 0u);
    }
    return true;
}

void MainMenuCommandService::execute_from(int index, const TrackHandleList*, const Guid&) { execute_item(index); }
bool MainMenuCommandService::query_pair(int, int) { return false; }

void MainMenuCommandService::execute_item(int index) {
    if (index == 0) run();
}

bool MainMenuCommandService::is_item_flag_a(int) { return flag_a(); }
bool MainMenuCommandService::is_item_flag_b(int) { return flag_b(); }
bool MainMenuCommandService::is_item_available(int) { return true; }
bool MainMenuCommandService::flag_a() { return false; }
bool MainMenuCommandService::flag_b() { return false; }
bool MainMenuCommandService::get_single_description(Utf8StringInterface&) { return false; }
void MainMenuCommandService::get_single_path(Utf8StringInterface& out) { out.assign(texts::main_menu_path); }
void MainMenuCommandService::run() { open_editor(); }

// ---- Context menu ----

Service* ContextMenuCommandService::query_interface(const Guid& id) { return answer_menu_query(*this, id); }
int ContextMenuCommandService::query_value(int) { return 1; }
int ContextMenuCommandService::get_kind() { return 1; }
int ContextMenuCommandService::get_item_count() { return 1; }

void ContextMenuCommandService::get_item_path(int index, Utf8StringInterface& out) {
    if (index == 0) {
        out.assign(texts::context_menu_path);
    } else {
        out.truncate(0);
    }
}

bool ContextMenuCommandService::get_display(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                                            unsigned* out_flags) {
    return get_display_from(index, tracks, out_name, out_flags, guid_null);
}

void ContextMenuCommandService::execute(int index, const TrackHandleList* tracks) {
    execute_from(index, tracks, guid_null);
}

bool ContextMenuCommandService::get_description(int, Utf8StringInterface&) { return false; }
int ContextMenuCommandService::query_value_b(int) { return 0; }

bool ContextMenuCommandService::get_display_from(int index, const TrackHandleList* tracks,
                                                 Utf8StringInterface& out_name, unsigned* out_flags,
                                                 const Guid& caller) {
    if (track_count(tracks) <= 0) return false;
    return get_display_on(index, tracks, out_name, out_flags, caller);
}

void ContextMenuCommandService::execute_from(int index, const TrackHandleList* tracks, const Guid& caller) {
    if (track_count(tracks) <= 0) return;
    execute_on(index, tracks, caller);
}

bool ContextMenuCommandService::query_pair(int, int) { return false; }
bool ContextMenuCommandService::query_pair_b(int, int) { return false; }

void ContextMenuCommandService::execute_on(int index, const TrackHandleList* tracks, const Guid&) {
    if (index == 0 && track_count(tracks) > 0) open_editor();
}

bool ContextMenuCommandService::get_display_on(int index, const TrackHandleList*, Utf8StringInterface& out_name,
                                               unsigned*, const Guid&) {
    assign_display_name(*this, index, out_name);
    return true;
}

}  // namespace versotime
