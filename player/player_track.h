// The player's tracks: location, length, meta and info fields in memory,
// handed to components as counted TrackHandle references.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/player_api.h"

namespace versotime {
namespace player {

using Field = std::pair<std::string, std::string>;

class PlayerLocation final : public TrackLocation {
public:
    const char* get_path() const override { return path_.c_str(); }
    void set_path(const char* path) override { path_ = path ? path : ""; }
    int get_subsong() const override { return subsong_; }
    void set_subsong(int subsong) override { subsong_ = subsong; }

private:
    std::string path_;
    int subsong_ = 0;
};

// The player's own TrackInfo: what query_info hands out.
class PlayerTrackInfo final : public TrackInfo {
public:
    void destroy() override;
    void copy_from(const TrackInfo& other) override;
    int meta_count() const override { return static_cast<int>(meta.size()); }
    const char* meta_name(int index) const override;
    const char* meta_value(int index) const override;
    void meta_set_value(int index, const char* value) override;
    void meta_insert(int index, const char* name, const char* value) override;
    void meta_add(const char* name, const char* value) override;
    void meta_remove(int index) override;
    void meta_remove_all() override { meta.clear(); }
    int meta_find(const char* name, int nth) const override;
    void info_set(const char* name, const char* value) override;
    int info_count() const override { return static_cast<int>(info.size()); }
    const char* info_name(int index) const override;
    const char* info_value(int index) const override;
    void info_remove(int index) override;
    void info_remove_all() override { info.clear(); }
    int info_find(const char* name) const override;
    const TrackLocation* get_location() const override { return &location; }
    void set_location(const TrackLocation& other) override;
    void set_length(double seconds) override { length = seconds; }
    double get_length() const override { return length; }

    PlayerLocation location;
    double length = 0.0;
    std::vector<Field> meta;
    std::vector<Field> info;
};

// Result a scenario chooses for update_info.
enum class UpdateResult { written = 1, queued = 0, failed = -1 };

class PlayerTrack final : public TrackHandle {
public:
    PlayerTrack(const std::string& location, double length);

    int add_ref() override;
    int release() override;
    int get_info(TrackInfo* out, int reserved) override;
    TrackInfo* query_info(int reserved) override;
    const TrackLocation* get_location() override { return &data.location; }
    bool format_title(Utf8StringInterface& out, const char* script, int reserved) override;
    int update_info(TrackInfo* in, int reserved) override;
    void lock() override { ++lock_count; }
    void unlock() override;

    // References held by others than the player's own list entry.
    int outstanding() const { return refs - 1; }

    PlayerTrackInfo data;
    UpdateResult update_result = UpdateResult::written;
    bool get_info_works = true;
    int refs = 1;  // the player's own
    int lock_count = 0;
    int update_calls = 0;
    std::vector<std::string> faults;  // misuse seen, reported at exit
};

// Case-insensitive ASCII comparison, as the player matches field names.
bool same_field_name(const std::string& a, const char* b);

}  // namespace player
}  // namespace versotime
