// The six service records, the module path copies and the client, in the
// order the library constructs them at load.
//
// Order of static construction in the DLL: configuration variables, the two
// current tracks, the lyric document, then everything in this file. Across
// units GCC gives no order, so each of those groups carries its own
// init_priority (editor/editor_state.h); this unit uses the last one. Inside
// this unit the definition order below is the construction order: each
// record pushes itself on the front of the chain, so the player walks them
// in the reverse order (quit hook first, main-menu command last).
#include "editor/editor_state.h"
#include "host/component_client.h"
#include "host/component_services.h"
#include "host/menu_commands.h"

#define VERSOTIME_SERVICE_ORDER __attribute__((init_priority(VERSOTIME_INIT_PRIORITY_SERVICES)))

namespace versotime {

ServiceFactory* factory_chain_head = nullptr;

ServiceRecord<MainMenuCommandService> main_menu_record VERSOTIME_SERVICE_ORDER(guid_main_menu_command);
ServiceRecord<PlaybackObserverService> playback_observer_record VERSOTIME_SERVICE_ORDER(guid_playback_observer);
ServiceRecord<PreferencesPageEntryService> preferences_page_record VERSOTIME_SERVICE_ORDER(
    guid_preferences_page_entry);
ServiceRecord<ContextMenuCommandService> context_menu_record VERSOTIME_SERVICE_ORDER(guid_main_menu_command);
ServiceRecord<ComponentVersionService> version_record VERSOTIME_SERVICE_ORDER(guid_component_version);
ServiceRecord<QuitHookService> quit_hook_record VERSOTIME_SERVICE_ORDER(guid_quit_hook);

OwnedText module_full_path VERSOTIME_SERVICE_ORDER;
OwnedText module_file_name_copy VERSOTIME_SERVICE_ORDER;
std::uint8_t host_flag = 0;

ComponentClientImpl component_client VERSOTIME_SERVICE_ORDER;

}  // namespace versotime
