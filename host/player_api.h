// The player's service interfaces as the component and the stand-in player
// both see them. Every class is an abstract table of virtual operations in a
// fixed order (single inheritance, no virtual destructor): the table layout
// is the contract across the DLL boundary, so never reorder, insert or remove
// an operation.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/track_info.h"
#include "host/utf8_string.h"

namespace versotime {

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};
static_assert(sizeof(Guid) == 16, "class identifiers are 16 bytes");

bool operator==(const Guid& a, const Guid& b);
inline bool operator!=(const Guid& a, const Guid& b) { return !(a == b); }

// Class identifiers of the services the component uses or registers.
extern const Guid guid_null;
extern const Guid guid_menu_command_interface;  // asked of menu commands
extern const Guid guid_main_menu_command;       // also the context-menu class
extern const Guid guid_playback_observer;
extern const Guid guid_preferences_page_entry;
extern const Guid guid_component_version;
extern const Guid guid_quit_hook;
extern const Guid guid_player_control;
extern const Guid guid_track_list;
extern const Guid guid_modeless_dialog_registry;

// The three operations every service begins with.
class Service {
public:
    virtual int release() = 0;
    virtual int add_ref() = 0;
    virtual Service* query_interface(const Guid& id) = 0;

protected:
    ~Service() = default;
};

class ServiceRegistry {
public:
    // A new reference to the index-th service of the class, or null.
    virtual Service* get_service(const Guid& class_id, int index) = 0;

protected:
    ~ServiceRegistry() = default;
};

// Passed in by the player: a byte sink for the configuration block.
class ConfigWriter;

class TrackHandle {
public:
    virtual int add_ref() = 0;
    virtual int release() = 0;
    // Fills a component-owned TrackInfo; nonzero on success.
    virtual int get_info(TrackInfo* info, int reserved) = 0;
    // The player's own information, valid between lock and unlock; or null.
    virtual TrackInfo* query_info(int reserved) = 0;
    // Borrowed: valid while the handle is held.
    virtual const TrackLocation* get_location() = 0;
    virtual bool format_title(Utf8StringInterface& out, const char* script, int reserved) = 0;
    // Called between lock and unlock: 1 written, 0 busy and queued, -1 failed.
    virtual int update_info(TrackInfo* info, int reserved) = 0;
    virtual void lock() = 0;
    virtual void unlock() = 0;

protected:
    ~TrackHandle() = default;
};

class TrackHandleList {
public:
    virtual int count() const = 0;

protected:
    ~TrackHandleList() = default;
};

enum class PlaybackCommand : int { play = 1, next = 2, previous = 3 };

class PlayerControl : public Service {
public:
    virtual TrackHandle* get_now_playing() = 0;  // new reference or null
    virtual void start_playback(PlaybackCommand command) = 0;
    virtual void stop_playback(int reason) = 0;
    virtual bool is_playing() = 0;
    virtual void toggle_pause() = 0;
    virtual void show_preferences(const char* page_name) = 0;
    virtual void seek_to(double seconds) = 0;
    virtual void seek_by(double delta_seconds) = 0;
    virtual bool can_seek() = 0;
    virtual double get_position() = 0;

protected:
    ~PlayerControl() = default;
};

class TrackList : public Service {
public:
    virtual TrackHandle* get_track_at(int index) = 0;  // new reference or null
    virtual int get_focus_index() = 0;

protected:
    ~TrackList() = default;
};

class ModelessDialogRegistry : public Service {
public:
    virtual void add_modeless_dialog(HWND window) = 0;
    virtual void remove_modeless_dialog(HWND window) = 0;

protected:
    ~ModelessDialogRegistry() = default;
};

// ---- Services the component registers; the player calls them. ----

// Operations 4 to 14, shared by the main-menu and context-menu commands.
class MenuCommand : public Service {
public:
    virtual int query_value(int value) = 0;
    virtual int get_kind() = 0;  // 0 main menu, 1 context menu
    virtual int get_item_count() = 0;
    virtual void get_item_path(int index, Utf8StringInterface& out) = 0;
    virtual bool get_display(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                             unsigned* out_flags) = 0;
    virtual void execute(int index, const TrackHandleList* tracks) = 0;
    virtual bool get_description(int index, Utf8StringInterface& out) = 0;
    virtual int query_value_b(int value) = 0;
    virtual bool get_display_from(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                                  unsigned* out_flags, const Guid& caller) = 0;
    virtual void execute_from(int index, const TrackHandleList* tracks, const Guid& caller) = 0;
    virtual bool query_pair(int a, int b) = 0;

protected:
    ~MenuCommand() = default;
};

class MainMenuCommand : public MenuCommand {
public:
    virtual void execute_item(int index) = 0;
    virtual bool is_item_flag_a(int index) = 0;
    virtual bool is_item_flag_b(int index) = 0;
    virtual bool is_item_available(int index) = 0;
    virtual bool flag_a() = 0;
    virtual bool flag_b() = 0;
    virtual bool get_single_description(Utf8StringInterface& out) = 0;
    virtual void get_single_path(Utf8StringInterface& out) = 0;
    virtual void run() = 0;

protected:
    ~MainMenuCommand() = default;
};

class ContextMenuCommand : public MenuCommand {
public:
    virtual bool query_pair_b(int a, int b) = 0;
    virtual void execute_on(int index, const TrackHandleList* tracks, const Guid& caller) = 0;
    virtual bool get_display_on(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                                unsigned* out_flags, const Guid& caller) = 0;

protected:
    ~ContextMenuCommand() = default;
};

class PlaybackObserver : public Service {
public:
    virtual unsigned query_events() = 0;  // which notifications are wanted
    virtual void on_playback_starting() = 0;
    virtual void on_new_track(TrackHandle* track) = 0;
    virtual void on_playback_stop(int reason) = 0;
    virtual void on_seek(double seconds, int flags) = 0;
    virtual void on_pause(int paused) = 0;
    virtual void on_edited(TrackHandle* track) = 0;
    virtual void on_dynamic_info(TrackHandle* track, int flags) = 0;
    virtual void on_dynamic_track(TrackHandle* track, int flags, int extra) = 0;
    virtual void on_time(double seconds) = 0;

protected:
    ~PlaybackObserver() = default;
};

class PreferencesPageEntry : public Service {
public:
    virtual HWND create_page(HWND parent) = 0;
    virtual const char* get_page_name() = 0;
    virtual const char* get_parent_name() = 0;

protected:
    ~PreferencesPageEntry() = default;
};

class ComponentVersion : public Service {
public:
    virtual void get_file_name(Utf8StringInterface& out) = 0;
    virtual void get_component_name(Utf8StringInterface& out) = 0;
    virtual void get_version(Utf8StringInterface& out) = 0;
    virtual void get_about_text(Utf8StringInterface& out) = 0;

protected:
    ~ComponentVersion() = default;
};

class QuitHook : public Service {
public:
    virtual void on_init() = 0;
    virtual void on_quit() = 0;
    virtual void on_other() = 0;

protected:
    ~QuitHook() = default;
};

// A record of the component's chain of services. The player reads `next`
// and `class_id` directly, so they follow the table pointer in this order.
class ServiceFactory {
public:
    virtual Service* create_instance() = 0;
    virtual void on_last_release(Service* service) = 0;

    ServiceFactory* next = nullptr;
    Guid class_id{};

protected:
    ~ServiceFactory() = default;
};

class ComponentClient {
public:
    virtual int get_interface_version() = 0;
    virtual ServiceFactory* get_service_list() = 0;
    virtual void save_configuration(ConfigWriter* writer) = 0;
    virtual void load_configuration(const void* data, std::uint32_t size) = 0;
    virtual void reset_configuration() = 0;
    virtual void set_module_paths(const char* full_path, const char* file_name) = 0;
    virtual void set_host_flag(std::uint8_t flag) = 0;

protected:
    ~ComponentClient() = default;
};

// The one export of a component DLL (cdecl, undecorated name).
using GetInterfaceFunction = ComponentClient*(__cdecl*)(ServiceRegistry* registry, HINSTANCE module);
constexpr const char* get_interface_export_name = "foobar2000_get_interface";

}  // namespace versotime
