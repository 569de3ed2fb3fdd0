// Sequences of TrackInfoCopy operations with arbitrary positions, names and
// values (null included), checked after every step against a plain model:
// positions outside a list change nothing and read as "", names compare
// ignoring case, copies keep the meta order and one info entry per name.
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "host/stricmp_utf8.h"
#include "storage/track_info_copy.h"
#include "tests/fuzz/fuzz_check.h"

using namespace versotime;

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

struct Model {
    Fields meta;
    Fields info;
    std::string path;
    int subsong = 0;
    double length = 0.0;
};

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    // Mostly near the list, sometimes far outside it.
    int position(int count) {
        const std::uint8_t b = byte();
        if (b == 0xFF) return 0x7FFFFFFF;
        if (b == 0xFE) return -0x7FFFFFFF - 1;
        return static_cast<int>(b % (count + 4)) - 2;
    }

    // Null, or a short text from a small alphabet where case matters.
    const char* text(std::string& holder) {
        const std::uint8_t b = byte();
        if (b == 0) return nullptr;
        static const char* const words[] = {"", "LYRIC", "lyric", "Lyric", "title", "TITLE", "a", "\xC3\xA9t\xC3\xA9"};
        holder = words[b % 8];
        if (b & 0x80) holder += static_cast<char>('0' + (b >> 3) % 4);
        return holder.c_str();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::string as_text(const char* text) { return text ? text : ""; }

bool in_range(int index, const Fields& fields) { return index >= 0 && index < static_cast<int>(fields.size()); }

int model_find(const Fields& fields, const char* name, int nth) {
    if (nth < 0) return -1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (stricmp_utf8(fields[i].first.c_str(), name) != 0) continue;
        if (nth-- == 0) return static_cast<int>(i);
    }
    return -1;
}

void model_info_set(Fields& info, const char* name, const char* value) {
    for (int i = static_cast<int>(info.size()) - 1; i >= 0; --i) {
        if (stricmp_utf8(info[i].first.c_str(), name) == 0) info.erase(info.begin() + i);
    }
    info.emplace_back(as_text(name), as_text(value));
}

void model_copy(Model& to, const Model& from) {
    to.meta = from.meta;
    to.info.clear();
    for (const auto& field : from.info) model_info_set(to.info, field.first.c_str(), field.second.c_str());
    to.path = from.path;
    to.subsong = from.subsong;
    to.length = from.length;
}

void compare(const TrackInfoCopy& copy, const Model& model) {
    FUZZ_CHECK(copy.meta_count() == static_cast<int>(model.meta.size()));
    for (int i = 0; i < copy.meta_count(); ++i) {
        FUZZ_CHECK(model.meta[i].first == copy.meta_name(i) && model.meta[i].second == copy.meta_value(i));
    }
    FUZZ_CHECK(copy.info_count() == static_cast<int>(model.info.size()));
    for (int i = 0; i < copy.info_count(); ++i) {
        FUZZ_CHECK(model.info[i].first == copy.info_name(i) && model.info[i].second == copy.info_value(i));
    }
    FUZZ_CHECK(*copy.meta_name(-1) == 0 && *copy.meta_value(copy.meta_count()) == 0);
    FUZZ_CHECK(*copy.info_name(copy.info_count()) == 0 && *copy.info_value(-1) == 0);
    const TrackLocation* location = copy.get_location();
    FUZZ_CHECK(location && model.path == location->get_path() && model.subsong == location->get_subsong());
    const double length = copy.get_length();
    FUZZ_CHECK(std::memcmp(&length, &model.length, sizeof length) == 0);
}

void step(Input& in, TrackInfoCopy* copies, Model* models) {
    const std::uint8_t op = in.byte();
    const int which = op & 1;
    TrackInfoCopy& copy = copies[which];
    Model& model = models[which];
    std::string name_holder, value_holder;
    switch ((op >> 1) % 16) {
    case 0: {
        const int i = in.position(copy.meta_count());
        const char* value = in.text(value_holder);
        copy.meta_set_value(i, value);
        if (in_range(i, model.meta)) model.meta[i].second = as_text(value);
        break;
    }
    case 1: {
        const int i = in.position(copy.meta_count());
        const char* name = in.text(name_holder);
        const char* value = in.text(value_holder);
        copy.meta_insert(i, name, value);
        if (i >= 0 && i <= static_cast<int>(model.meta.size())) {
            model.meta.emplace(model.meta.begin() + i, as_text(name), as_text(value));
        }
        break;
    }
    case 2: {
        const char* name = in.text(name_holder);
        const char* value = in.text(value_holder);
        copy.meta_add(name, value);
        model.meta.emplace_back(as_text(name), as_text(value));
        break;
    }
    case 3: {
        const int i = in.position(copy.meta_count());
        copy.meta_remove(i);
        if (in_range(i, model.meta)) model.meta.erase(model.meta.begin() + i);
        break;
    }
    case 4:
        copy.meta_remove_all();
        model.meta.clear();
        break;
    case 5: {
        const char* name = in.text(name_holder);
        const int nth = in.position(4);
        FUZZ_CHECK(copy.meta_find(name, nth) == model_find(model.meta, name, nth));
        break;
    }
    case 6: {
        const char* name = in.text(name_holder);
        const char* value = in.text(value_holder);
        copy.info_set(name, value);
        model_info_set(model.info, name, value);
        break;
    }
    case 7: {
        const int i = in.position(copy.info_count());
        copy.info_remove(i);
        if (in_range(i, model.info)) model.info.erase(model.info.begin() + i);
        break;
    }
    case 8:
        copy.info_remove_all();
        model.info.clear();
        break;
    case 9: {
        const char* name = in.text(name_holder);
        FUZZ_CHECK(copy.info_find(name) == model_find(model.info, name, 0));
        break;
    }
    case 10:
        // From the other copy, or from itself, which changes nothing.
        if (in.byte() & 1) {
            copy.copy_from(copies[1 - which]);
            model_copy(model, models[1 - which]);
        } else {
            copy.copy_from(copy);
        }
        break;
    case 11: {
        OwnedTrackLocation location;
        const char* path = in.text(name_holder);
        location.set_path(path);
        location.set_subsong(in.position(8));
        // Sometimes its own location, whose path it is about to replace:
        // that changes nothing.
        if (in.byte() & 1) {
            copy.set_location(location);
            model.path = location.get_path();
            model.subsong = location.get_subsong();
        } else {
            copy.set_location(*copy.get_location());
        }
        break;
    }
    case 12: {
        std::uint64_t bits = 0;
        for (int k = 0; k < 8; ++k) bits = bits << 8 | in.byte();
        double length;
        std::memcpy(&length, &bits, sizeof length);
        copy.set_length(length);
        model.length = length;
        break;
    }
    case 13: {
        const char* name = in.text(name_holder);
        const char* value = in.text(value_holder);
        meta_replace(copy, name, value);
        for (int i = static_cast<int>(model.meta.size()) - 1; i >= 0; --i) {
            if (stricmp_utf8(model.meta[i].first.c_str(), name) == 0) model.meta.erase(model.meta.begin() + i);
        }
        model.meta.emplace_back(as_text(name), as_text(value));
        break;
    }
    default:
        copy.destroy();
        model.meta.clear();
        model.info.clear();
        model.path.clear();
        model.subsong = 0;
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    TrackInfoCopy copies[2];
    Model models[2];
    for (int steps = 0; !in.done() && steps < 512; ++steps) {
        step(in, copies, models);
        compare(copies[0], models[0]);
        compare(copies[1], models[1]);
    }
    return 0;
}
