#include "player/player_track.h"

#include <cctype>

#include "player/title_format.h"

namespace versotime {
namespace player {

namespace {

std::string text_or_empty(const char* text) { return text ? text : ""; }

bool in_range(int index, std::size_t size) { return index >= 0 && static_cast<std::size_t>(index) < size; }

}  // namespace

bool same_field_name(const std::string& a, const char* b) {
    if (!b) return false;
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

void PlayerTrackInfo::destroy() {
    meta.clear();
    info.clear();
    location.set_path("");
    location.set_subsong(0);
    length = 0.0;
}

void PlayerTrackInfo::copy_from(const TrackInfo& other) {
    if (&other == this) return;
    destroy();
    if (const TrackLocation* where = other.get_location()) set_location(*where);
    length = other.get_length();
    for (int i = 0; i < other.meta_count(); ++i) meta_add(other.meta_name(i), other.meta_value(i));
    for (int i = 0; i < other.info_count(); ++i) info_set(other.info_name(i), other.info_value(i));
}

const char* PlayerTrackInfo::meta_name(int index) const {
    return in_range(index, meta.size()) ? meta[index].first.c_str() : nullptr;
}

const char* PlayerTrackInfo::meta_value(int index) const {
    return in_range(index, meta.size()) ? meta[index].second.c_str() : nullptr;
}

void PlayerTrackInfo::meta_set_value(int index, const char* value) {
    if (in_range(index, meta.size())) meta[index].second = text_or_empty(value);
}

void PlayerTrackInfo::meta_insert(int index, const char* name, const char* value) {
    if (!name) return;
    if (index < 0 || static_cast<std::size_t>(index) > meta.size()) index = static_cast<int>(meta.size());
    meta.insert(meta.begin() + index, Field(name, text_or_empty(value)));
}

void PlayerTrackInfo::meta_add(const char* name, const char* value) {
    if (name) meta.emplace_back(name, text_or_empty(value));
}

void PlayerTrackInfo::meta_remove(int index) {
    if (in_range(index, meta.size())) meta.erase(meta.begin() + index);
}

int PlayerTrackInfo::meta_find(const char* name, int nth) const {
    for (std::size_t i = 0; i < meta.size(); ++i) {
        if (same_field_name(meta[i].first, name) && nth-- == 0) return static_cast<int>(i);
    }
    return -1;
}

void PlayerTrackInfo::info_set(const char* name, const char* value) {
    if (!name) return;
    int at = info_find(name);
    if (at >= 0)
        info[at].second = text_or_empty(value);
    else
        info.emplace_back(name, text_or_empty(value));
}

const char* PlayerTrackInfo::info_name(int index) const {
    return in_range(index, info.size()) ? info[index].first.c_str() : nullptr;
}

const char* PlayerTrackInfo::info_value(int index) const {
    return in_range(index, info.size()) ? info[index].second.c_str() : nullptr;
}

void PlayerTrackInfo::info_remove(int index) {
    if (in_range(index, info.size())) info.erase(info.begin() + index);
}

int PlayerTrackInfo::info_find(const char* name) const {
    for (std::size_t i = 0; i < info.size(); ++i) {
        if (same_field_name(info[i].first, name)) return static_cast<int>(i);
    }
    return -1;
}

void PlayerTrackInfo::set_location(const TrackLocation& other) {
    location.set_path(other.get_path());
    location.set_subsong(other.get_subsong());
}

PlayerTrack::PlayerTrack(const std::string& location, double length) {
    data.location.set_path(location.c_str());
    data.length = length;
}

int PlayerTrack::add_ref() { return ++refs; }

int PlayerTrack::release() {
    // The list entry keeps the last reference; going below it is a
    // component releasing what it never held.
    if (refs <= 1) {
        faults.push_back("released more often than referenced");
        return refs;
    }
    return --refs;
}

int PlayerTrack::get_info(TrackInfo* out, int) {
    if (!out || !get_info_works) return 0;
    out->set_location(data.location);
    out->set_length(data.length);
    for (const Field& f : data.meta) out->meta_add(f.first.c_str(), f.second.c_str());
    for (const Field& f : data.info) out->info_set(f.first.c_str(), f.second.c_str());
    return 1;
}

TrackInfo* PlayerTrack::query_info(int) {
    if (lock_count <= 0) faults.push_back("query_info called without lock");
    return &data;
}

bool PlayerTrack::format_title(Utf8StringInterface& out, const char* script, int) {
    std::string text = format_title_script(script ? script : "", data);
    out.assign(text.c_str(), static_cast<std::uint32_t>(text.size()));
    return true;
}

int PlayerTrack::update_info(TrackInfo* in, int) {
    ++update_calls;
    if (lock_count <= 0) faults.push_back("update_info called without lock");
    if (!in) return -1;
    if (update_result == UpdateResult::failed) return -1;
    // Written now or by the queued write: either way the fields change.
    std::vector<Field> fields;
    for (int i = 0; i < in->meta_count(); ++i) {
        const char* name = in->meta_name(i);
        if (name) fields.emplace_back(name, text_or_empty(in->meta_value(i)));
    }
    data.meta = fields;
    return static_cast<int>(update_result);
}

void PlayerTrack::unlock() {
    if (lock_count <= 0) {
        faults.push_back("unlock without lock");
        return;
    }
    --lock_count;
}

}  // namespace player
}  // namespace versotime
