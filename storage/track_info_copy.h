// The component's own TrackInfo: an in-memory copy of a track's information
// that the player fills with get_info and reads back in update_info. It lives
// only within one tag write. Portable: no Win32 types.
#pragma once

#include <cstdint>

#include "host/track_info.h"

namespace versotime {

// A location whose path the object owns (none reads as "").
class OwnedTrackLocation final : public TrackLocation {
public:
    OwnedTrackLocation() = default;
    OwnedTrackLocation(const OwnedTrackLocation&) = delete;
    OwnedTrackLocation& operator=(const OwnedTrackLocation&) = delete;
    ~OwnedTrackLocation() { clear(); }

    const char* get_path() const override;
    // Copies; an empty or null path leaves none.
    void set_path(const char* path) override;
    int get_subsong() const override { return subsong_; }
    void set_subsong(int subsong) override { subsong_ = subsong; }

    void clear();

private:
    char* path_ = nullptr;
    int subsong_ = 0;
};

// A name and value pair on the C heap.
struct FieldEntry {
    char* name;
    char* value;
};

// An ordered list of fields. Positions outside the list are ignored and read
// as "" so that a confused caller never reaches memory outside it.
class FieldList {
public:
    FieldList() = default;
    FieldList(const FieldList&) = delete;
    FieldList& operator=(const FieldList&) = delete;
    ~FieldList();

    int count() const { return count_; }
    const char* name(int index) const;
    const char* value(int index) const;
    void set_value(int index, const char* value);
    // Position 0..count; false when out of range or out of memory.
    bool insert(int index, const char* name, const char* value);
    void remove(int index);
    void remove_all();
    // Position of the nth entry (from 0) named `name` ignoring case, or -1.
    int find(const char* name, int nth) const;

private:
    bool in_range(int index) const { return index >= 0 && index < count_; }

    FieldEntry* entries_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};

class TrackInfoCopy final : public TrackInfo {
public:
    TrackInfoCopy() = default;
    TrackInfoCopy(const TrackInfoCopy&) = delete;
    TrackInfoCopy& operator=(const TrackInfoCopy&) = delete;
    ~TrackInfoCopy() { destroy(); }

    // Frees every entry and the location path; the object stays usable.
    void destroy() override;
    void copy_from(const TrackInfo& other) override;
    int meta_count() const override { return meta_.count(); }
    const char* meta_name(int index) const override { return meta_.name(index); }
    const char* meta_value(int index) const override { return meta_.value(index); }
    void meta_set_value(int index, const char* value) override { meta_.set_value(index, value); }
    void meta_insert(int index, const char* name, const char* value) override { meta_.insert(index, name, value); }
    void meta_add(const char* name, const char* value) override { meta_.insert(meta_.count(), name, value); }
    void meta_remove(int index) override { meta_.remove(index); }
    void meta_remove_all() override { meta_.remove_all(); }
    int meta_find(const char* name, int nth) const override { return meta_.find(name, nth); }
    void info_set(const char* name, const char* value) override;
    int info_count() const override { return info_.count(); }
    const char* info_name(int index) const override { return info_.name(index); }
    const char* info_value(int index) const override { return info_.value(index); }
    void info_remove(int index) override { info_.remove(index); }
    void info_remove_all() override { info_.remove_all(); }
    int info_find(const char* name) const override { return info_.find(name, 0); }
    const TrackLocation* get_location() const override { return &location_; }
    void set_location(const TrackLocation& location) override;
    void set_length(double seconds) override { length_ = seconds; }
    double get_length() const override { return length_; }

private:
    OwnedTrackLocation location_;
    double length_ = 0.0;
    FieldList meta_;
    FieldList info_;
};

// Removes every meta field named `name` ignoring case, from the last to the
// first, then appends (name, value): one field, named exactly as given.
void meta_replace(TrackInfo& info, const char* name, const char* value);

}  // namespace versotime
