#include "host/host_services.h"

namespace versotime {

HINSTANCE module_instance = nullptr;
ServiceRegistry* service_registry = nullptr;

namespace {

PlayerControl* cached_player_control = nullptr;
TrackList* cached_track_list = nullptr;

Service* lookup(const Guid& class_id, int index) {
    return service_registry != nullptr ? service_registry->get_service(class_id, index) : nullptr;
}

// Visits every registry instance; each lookup is a reference to release.
template <class Visit>
void for_each_dialog_registry(Visit visit) {
    for (int index = 0;; ++index) {
        auto* registry = static_cast<ModelessDialogRegistry*>(lookup(guid_modeless_dialog_registry, index));
        if (registry == nullptr) break;
        visit(*registry);
        registry->release();
    }
}

}  // namespace

PlayerControl* player_control() {
    if (cached_player_control == nullptr) {
        cached_player_control = static_cast<PlayerControl*>(lookup(guid_player_control, 0));
    }
    return cached_player_control;
}

TrackList* track_list() {
    if (cached_track_list == nullptr) {
        cached_track_list = static_cast<TrackList*>(lookup(guid_track_list, 0));
    }
    return cached_track_list;
}

void register_modeless_dialog(HWND window) {
    for_each_dialog_registry([window](ModelessDialogRegistry& r) { r.add_modeless_dialog(window); });
}

void unregister_modeless_dialog(HWND window) {
    for_each_dialog_registry([window](ModelessDialogRegistry& r) { r.remove_modeless_dialog(window); });
}

double read_track_length(TrackHandle* track) {
    if (track == nullptr) return 0.0;
    track->lock();
    const TrackInfo* info = track->query_info(0);
    double length = info != nullptr ? info->get_length() : 0.0;
    track->unlock();
    return length;
}

bool read_meta_field(TrackHandle* track, const char* name, int index, Utf8StringInterface& out) {
    if (track == nullptr || name == nullptr || index < 0) return false;
    bool found = false;
    track->lock();
    const TrackInfo* info = track->query_info(0);
    if (info != nullptr) {
        int position = info->meta_find(name, index);
        const char* value = position >= 0 ? info->meta_value(position) : nullptr;
        if (value != nullptr) {
            out.assign(value);
            found = true;
        }
    }
    track->unlock();
    return found;
}

}  // namespace versotime
