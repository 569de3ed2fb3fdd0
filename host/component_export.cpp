// The library's one export: the player calls it to reach the component.
#include "host/component_client.h"
#include "host/host_services.h"

extern "C" __declspec(dllexport) versotime::ComponentClient* __cdecl foobar2000_get_interface(
    versotime::ServiceRegistry* registry, HINSTANCE module) {
    // Every call replaces both: later lookups go to the newest registry.
    versotime::service_registry = registry;
    versotime::module_instance = module;
    return &versotime::component_client;
}
