// TrackInfoCopy and meta_replace.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "storage/track_info_copy.h"

namespace versotime {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

Fields meta_of(const TrackInfo& info) {
    Fields out;
    for (int i = 0; i < info.meta_count(); ++i) out.emplace_back(info.meta_name(i), info.meta_value(i));
    return out;
}

Fields info_of(const TrackInfo& info) {
    Fields out;
    for (int i = 0; i < info.info_count(); ++i) out.emplace_back(info.info_name(i), info.info_value(i));
    return out;
}

TEST(TrackInfoCopy, StartsEmpty) {
    TrackInfoCopy copy;
    EXPECT_EQ(copy.meta_count(), 0);
    EXPECT_EQ(copy.info_count(), 0);
    EXPECT_STREQ(copy.get_location()->get_path(), "");
    EXPECT_EQ(copy.get_location()->get_subsong(), 0);
    EXPECT_EQ(copy.get_length(), 0.0);
}

TEST(TrackInfoCopy, MetaOperationsKeepOrderAndPositions) {
    TrackInfoCopy info;
    info.meta_add("ARTIST", "a");
    info.meta_add("TITLE", "t");
    info.meta_insert(0, "ALBUM", "b");
    info.meta_insert(3, "LYRIC", "l");  // at the end
    EXPECT_EQ(meta_of(info), (Fields{{"ALBUM", "b"}, {"ARTIST", "a"}, {"TITLE", "t"}, {"LYRIC", "l"}}));
    info.meta_set_value(1, "artist two");
    info.meta_remove(0);
    EXPECT_EQ(meta_of(info), (Fields{{"ARTIST", "artist two"}, {"TITLE", "t"}, {"LYRIC", "l"}}));
    info.meta_remove_all();
    EXPECT_EQ(info.meta_count(), 0);
}

TEST(TrackInfoCopy, MetaFindCountsMatchesIgnoringCase) {
    TrackInfoCopy info;
    info.meta_add("Lyric", "1");
    info.meta_add("TITLE", "t");
    info.meta_add("LYRIC", "2");
    info.meta_add("lyric", "3");
    const struct {
        const char* name;
        int nth;
        int expected;
    } cases[] = {
        {"LYRIC", 0, 0}, {"lyric", 1, 2}, {"lYrIc", 2, 3}, {"LYRIC", 3, -1},
        {"LYRIC", -1, -1}, {"title", 0, 1}, {"ALBUM", 0, -1}, {"", 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " #" + std::to_string(c.nth));
        EXPECT_EQ(info.meta_find(c.name, c.nth), c.expected);
    }
}

TEST(TrackInfoCopy, InfoSetKeepsOneEntryPerNameWithTheLastValue) {
    TrackInfoCopy info;
    info.info_set("bitrate", "128");
    info.info_set("codec", "MP3");
    info.info_set("BITRATE", "192");
    EXPECT_EQ(info_of(info), (Fields{{"codec", "MP3"}, {"BITRATE", "192"}}));
    EXPECT_EQ(info.info_find("Bitrate"), 1);
    EXPECT_EQ(info.info_find("channels"), -1);
    info.info_remove(0);
    EXPECT_EQ(info_of(info), (Fields{{"BITRATE", "192"}}));
    info.info_remove_all();
    EXPECT_EQ(info.info_count(), 0);
}

TEST(TrackInfoCopy, CopyFromTakesMetaAsIsAndInfoOnePerName) {
    TrackInfoCopy source;
    OwnedTrackLocation location;
    location.set_path("C:\\music\\song.mp3");
    location.set_subsong(3);
    source.set_location(location);
    source.set_length(212.5);
    source.meta_add("ARTIST", "a");
    source.meta_add("LYRIC", "one");
    source.meta_add("lyric", "two");
    source.meta_add("ARTIST", "a");
    // A source may hold duplicate info names; insert them behind info_set's back.
    source.info_set("codec", "MP3");
    source.info_set("bitrate", "128");

    class DuplicateInfo final : public TrackInfo {
    public:
        explicit DuplicateInfo(const TrackInfoCopy& base) : base_(base) {}
        void destroy() override {}
        void copy_from(const TrackInfo&) override {}
        int meta_count() const override { return base_.meta_count(); }
        const char* meta_name(int i) const override { return base_.meta_name(i); }
        const char* meta_value(int i) const override { return base_.meta_value(i); }
        void meta_set_value(int, const char*) override {}
        void meta_insert(int, const char*, const char*) override {}
        void meta_add(const char*, const char*) override {}
        void meta_remove(int) override {}
        void meta_remove_all() override {}
        int meta_find(const char*, int) const override { return -1; }
        void info_set(const char*, const char*) override {}
        int info_count() const override { return 3; }
        const char* info_name(int i) const override { return i == 2 ? "CODEC" : base_.info_name(i); }
        const char* info_value(int i) const override { return i == 2 ? "FLAC" : base_.info_value(i); }
        void info_remove(int) override {}
        void info_remove_all() override {}
        int info_find(const char*) const override { return -1; }
        const TrackLocation* get_location() const override { return base_.get_location(); }
        void set_location(const TrackLocation&) override {}
        void set_length(double) override {}
        double get_length() const override { return base_.get_length(); }

    private:
        const TrackInfoCopy& base_;
    } other(source);

    TrackInfoCopy copy;
    copy.meta_add("OLD", "gone");
    copy.info_set("old", "gone");
    copy.copy_from(other);
    EXPECT_EQ(meta_of(copy), meta_of(source));
    EXPECT_EQ(info_of(copy), (Fields{{"bitrate", "128"}, {"CODEC", "FLAC"}}));
    EXPECT_STREQ(copy.get_location()->get_path(), "C:\\music\\song.mp3");
    EXPECT_EQ(copy.get_location()->get_subsong(), 3);
    EXPECT_EQ(copy.get_length(), 212.5);

    copy.copy_from(copy);  // from itself: nothing lost
    EXPECT_EQ(meta_of(copy), meta_of(source));
}

TEST(TrackInfoCopy, PositionsOutsideTheListsDoNothing) {
    TrackInfoCopy info;
    info.meta_add("A", "1");
    info.info_set("b", "2");
    for (int index : {-1, 1, 2, 1000, -1000}) {
        SCOPED_TRACE(index);
        EXPECT_STREQ(info.meta_name(index), "");
        EXPECT_STREQ(info.meta_value(index), "");
        EXPECT_STREQ(info.info_name(index), "");
        EXPECT_STREQ(info.info_value(index), "");
        info.meta_set_value(index, "x");
        info.meta_remove(index);
        info.info_remove(index);
        if (index != 1) info.meta_insert(index, "C", "3");
    }
    EXPECT_EQ(meta_of(info), (Fields{{"A", "1"}}));
    EXPECT_EQ(info_of(info), (Fields{{"b", "2"}}));
}

TEST(TrackInfoCopy, NullTextsReadAsEmpty) {
    TrackInfoCopy info;
    info.meta_add(nullptr, nullptr);
    info.meta_set_value(0, nullptr);
    EXPECT_EQ(meta_of(info), (Fields{{"", ""}}));
    EXPECT_EQ(info.meta_find(nullptr, 0), 0);
}

TEST(TrackInfoCopy, DestroyEmptiesEverythingAndLeavesItUsable) {
    TrackInfoCopy info;
    OwnedTrackLocation location;
    location.set_path("x.mp3");
    info.set_location(location);
    info.meta_add("A", "1");
    info.info_set("b", "2");
    info.destroy();
    EXPECT_EQ(info.meta_count(), 0);
    EXPECT_EQ(info.info_count(), 0);
    EXPECT_STREQ(info.get_location()->get_path(), "");
    info.meta_add("C", "3");
    EXPECT_EQ(info.meta_count(), 1);
}

TEST(OwnedTrackLocation, EmptyPathLeavesNone) {
    OwnedTrackLocation location;
    location.set_path("a.mp3");
    location.set_path("");
    EXPECT_STREQ(location.get_path(), "");
    location.set_path("b.mp3");
    location.set_path(location.get_path() + 1);  // from its own text
    EXPECT_STREQ(location.get_path(), ".mp3");
    location.set_path(nullptr);
    EXPECT_STREQ(location.get_path(), "");
}

TEST(MetaReplace, LeavesOneFieldNamedAsGiven) {
    const struct {
        const char* name;
        Fields before;
        Fields after;
    } cases[] = {
        {"LYRIC",
         {{"LYRIC", "old1"}, {"ARTIST", "a"}, {"lyric", "old2"}},
         {{"ARTIST", "a"}, {"LYRIC", "new"}}},
        {"Lyric", {{"TITLE", "t"}}, {{"TITLE", "t"}, {"Lyric", "new"}}},
        {"", {{"", "x"}, {"A", "1"}}, {{"A", "1"}, {"", "new"}}},
        {"LYRIC", {}, {{"LYRIC", "new"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TrackInfoCopy info;
        for (const auto& field : c.before) info.meta_add(field.first.c_str(), field.second.c_str());
        meta_replace(info, c.name, "new");
        EXPECT_EQ(meta_of(info), c.after);
    }
}

}  // namespace
}  // namespace versotime
