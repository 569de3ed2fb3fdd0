// The track information interfaces exchanged with the player. Portable: the
// component's own TrackInfoCopy implements TrackInfo without any Win32 type.
// The order of the virtual operations is the contract with the player.
#pragma once

#include <cstdint>

namespace versotime {

// A track's location: a path and a subsong index.
class TrackLocation {
public:
    virtual const char* get_path() const = 0;
    virtual void set_path(const char* path) = 0;
    virtual int get_subsong() const = 0;
    virtual void set_subsong(int subsong) = 0;

protected:
    ~TrackLocation() = default;
};

// A track's information: location, length, meta fields and info fields.
class TrackInfo {
public:
    virtual void destroy() = 0;  // frees every entry and the location
    virtual void copy_from(const TrackInfo& other) = 0;
    virtual int meta_count() const = 0;
    virtual const char* meta_name(int index) const = 0;
    virtual const char* meta_value(int index) const = 0;
    virtual void meta_set_value(int index, const char* value) = 0;
    virtual void meta_insert(int index, const char* name, const char* value) = 0;
    virtual void meta_add(const char* name, const char* value) = 0;
    virtual void meta_remove(int index) = 0;
    virtual void meta_remove_all() = 0;
    virtual int meta_find(const char* name, int nth) const = 0;
    virtual void info_set(const char* name, const char* value) = 0;
    virtual int info_count() const = 0;
    virtual const char* info_name(int index) const = 0;
    virtual const char* info_value(int index) const = 0;
    virtual void info_remove(int index) = 0;
    virtual void info_remove_all() = 0;
    virtual int info_find(const char* name) const = 0;
    virtual const TrackLocation* get_location() const = 0;
    virtual void set_location(const TrackLocation& location) = 0;
    virtual void set_length(double seconds) = 0;
    virtual double get_length() const = 0;

protected:
    ~TrackInfo() = default;
};

}  // namespace versotime
