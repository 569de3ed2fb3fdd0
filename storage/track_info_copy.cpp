#include "storage/track_info_copy.h"

#include <cstdlib>
#include <cstring>

#include "host/stricmp_utf8.h"

namespace versotime {

namespace {

// A heap copy of `text` (null reads as ""); null when the heap is exhausted.
char* copy_text(const char* text) {
    if (!text) text = "";
    const std::size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy) std::memcpy(copy, text, size);
    return copy;
}

}  // namespace

const char* OwnedTrackLocation::get_path() const { return path_ ? path_ : ""; }

void OwnedTrackLocation::set_path(const char* path) {
    // Copy first: `path` may point into the text being replaced.
    char* copy = (path && *path) ? copy_text(path) : nullptr;
    std::free(path_);
    path_ = copy;
}

void OwnedTrackLocation::clear() {
    std::free(path_);
    path_ = nullptr;
    subsong_ = 0;
}

FieldList::~FieldList() {
    remove_all();
    std::free(entries_);
}

const char* FieldList::name(int index) const { return in_range(index) ? entries_[index].name : ""; }

const char* FieldList::value(int index) const { return in_range(index) ? entries_[index].value : ""; }

void FieldList::set_value(int index, const char* value) {
    if (!in_range(index)) return;
    char* copy = copy_text(value);
    if (!copy) return;
    std::free(entries_[index].value);
    entries_[index].value = copy;
}

bool FieldList::insert(int index, const char* name, const char* value) {
    if (index < 0 || index > count_) return false;
    if (count_ == capacity_) {
        if (capacity_ > 0x3FFFFFFF / static_cast<int>(sizeof(FieldEntry))) return false;
        const int capacity = capacity_ ? capacity_ * 2 : 8;
        void* grown = std::realloc(entries_, static_cast<std::size_t>(capacity) * sizeof(FieldEntry));
        if (!grown) return false;
        entries_ = static_cast<FieldEntry*>(grown);
        capacity_ = capacity;
    }
    FieldEntry entry{copy_text(name), copy_text(value)};
    if (!entry.name || !entry.value) {
        std::free(entry.name);
        std::free(entry.value);
        return false;
    }
    std::memmove(entries_ + index + 1, entries_ + index, static_cast<std::size_t>(count_ - index) * sizeof(FieldEntry));
    entries_[index] = entry;
    ++count_;
    return true;
}

void FieldList::remove(int index) {
    if (!in_range(index)) return;
    std::free(entries_[index].name);
    std::free(entries_[index].value);
    std::memmove(entries_ + index, entries_ + index + 1,
                 static_cast<std::size_t>(count_ - index - 1) * sizeof(FieldEntry));
    --count_;
}

void FieldList::remove_all() {
    for (int i = 0; i < count_; ++i) {
        std::free(entries_[i].name);
        std::free(entries_[i].value);
    }
    count_ = 0;
}

int FieldList::find(const char* name, int nth) const {
    if (nth < 0) return -1;
    for (int i = 0; i < count_; ++i) {
        if (stricmp_utf8(entries_[i].name, name ? name : "") != 0) continue;
        if (nth == 0) return i;
        --nth;
    }
    return -1;
}

void TrackInfoCopy::destroy() {
    meta_.remove_all();
    info_.remove_all();
    location_.clear();
}

void TrackInfoCopy::copy_from(const TrackInfo& other) {
    // Copying from itself would empty the lists before reading them.
    if (&other == this) return;
    meta_remove_all();
    info_remove_all();
    const TrackLocation* location = other.get_location();
    if (location) {
        set_location(*location);
    } else {
        location_.clear();
    }
    set_length(other.get_length());
    const int meta = other.meta_count();
    for (int i = 0; i < meta; ++i) meta_add(other.meta_name(i), other.meta_value(i));
    const int info = other.info_count();
    for (int i = 0; i < info; ++i) info_set(other.info_name(i), other.info_value(i));
}

void TrackInfoCopy::info_set(const char* name, const char* value) {
    for (int i = info_.count() - 1; i >= 0; --i) {
        if (stricmp_utf8(info_.name(i), name ? name : "") == 0) info_.remove(i);
    }
    info_.insert(info_.count(), name, value);
}

void TrackInfoCopy::set_location(const TrackLocation& location) {
    if (&location == &location_) return;
    location_.set_path(location.get_path());
    location_.set_subsong(location.get_subsong());
}

void meta_replace(TrackInfo& info, const char* name, const char* value) {
    for (int i = info.meta_count() - 1; i >= 0; --i) {
        if (stricmp_utf8(info.meta_name(i), name ? name : "") == 0) info.meta_remove(i);
    }
    info.meta_add(name, value);
}

}  // namespace versotime
