#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "settings/config_variables.h"
#include "tests/unit/config_block_support.h"

namespace versotime {
namespace {

using namespace testing_support;

void read_block(const Bytes& block) {
    read_config(block.data(), static_cast<std::uint32_t>(block.size()));
}

Bytes text_bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes concat(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const char* const default_lrc_name = "$if(%artist%,%artist%-)$if(%title%,%title%,%_filename%)";
const char* const default_lrc_title = "$if(%title%,%title%,%_filename%)";

void restore_defaults() {
    lyric_auto_save.set(0);
    lyric_filename_type.set(0);
    lyric_filename_tag_value.set("%LYRICFILENAME%");
    lyric_tag_value.set("%LYRIC%");
    lrc_title.set(default_lrc_title);
    lrc_suffix.set("lrc");
    lrc_name.set(default_lrc_name);
    at_toppest.set(1);
    window_remember.set(0);
    window_placement.set(WindowPlacementRecord{});
}

// Every value at once, comparable as a whole.
struct Snapshot {
    std::int32_t ints[4];
    std::string strings[5];
    Bytes placement;

    bool operator==(const Snapshot& other) const {
        return std::equal(ints, ints + 4, other.ints) && std::equal(strings, strings + 5, other.strings) &&
               placement == other.placement;
    }
};

Bytes placement_bytes(const WindowPlacementRecord& p) {
    Bytes out;
    for (std::uint32_t field : {p.length, p.flags, p.show_cmd, std::uint32_t(p.min_position_x),
                                std::uint32_t(p.min_position_y), std::uint32_t(p.max_position_x),
                                std::uint32_t(p.max_position_y), std::uint32_t(p.normal_position_left),
                                std::uint32_t(p.normal_position_top), std::uint32_t(p.normal_position_right),
                                std::uint32_t(p.normal_position_bottom)}) {
        put_le32(out, field);
    }
    return out;
}

Snapshot snapshot() {
    return Snapshot{{lyric_auto_save.get(), lyric_filename_type.get(), at_toppest.get(), window_remember.get()},
                    {lyric_filename_tag_value.get(), lyric_tag_value.get(), lrc_title.get(), lrc_suffix.get(),
                     lrc_name.get()},
                    placement_bytes(window_placement.get())};
}

::testing::AssertionResult same_values(const Snapshot& actual, const Snapshot& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    auto result = ::testing::AssertionFailure();
    for (int i = 0; i < 4; ++i) result << "int " << i << ": " << actual.ints[i] << " vs " << expected.ints[i] << "\n";
    for (int i = 0; i < 5; ++i) result << "string " << i << ": \"" << actual.strings[i] << "\" vs \"" << expected.strings[i] << "\"\n";
    result << "placement equal: " << (actual.placement == expected.placement);
    return result;
}

WindowPlacementRecord sample_placement() {
    WindowPlacementRecord p{};
    p.length = 44;
    p.flags = 2;
    p.show_cmd = 1;
    p.min_position_x = -1;
    p.min_position_y = -1;
    p.max_position_x = -32000;
    p.max_position_y = 7;
    p.normal_position_left = 100;
    p.normal_position_top = 120;
    p.normal_position_right = 740;
    p.normal_position_bottom = 600;
    return p;
}

// Every setting away from its default.
void set_sample_values() {
    lyric_auto_save.set(1);
    lyric_filename_type.set(1);
    lyric_filename_tag_value.set("%LRCPATH%");
    lyric_tag_value.set("%UNSYNCED LYRICS%");
    lrc_title.set("%title% \xE2\x80\x94 \xE4\xB8\xAD\xE6\x96\x87");
    lrc_suffix.set("txt");
    lrc_name.set("%album%-%title%");
    at_toppest.set(0);
    window_remember.set(-2);
    window_placement.set(sample_placement());
}

class Config : public ::testing::Test {
protected:
    void SetUp() override { restore_defaults(); }
    void TearDown() override { restore_defaults(); }
};

// The values as loaded, taken before any test can change them.
Snapshot values_at_load;

class CaptureValuesAtLoad : public ::testing::Environment {
public:
    void SetUp() override { values_at_load = snapshot(); }
};
const auto* const capture_environment = ::testing::AddGlobalTestEnvironment(new CaptureValuesAtLoad);

TEST(ConfigAtLoad, HoldsExactlyTheDefaults) {
    ASSERT_NE(capture_environment, nullptr);
    const Snapshot& v = values_at_load;
    EXPECT_EQ(v.ints[0], 0);  // lyric_auto_save
    EXPECT_EQ(v.ints[1], 0);  // lyric_filename_type
    EXPECT_EQ(v.ints[2], 1);  // at_toppest
    EXPECT_EQ(v.ints[3], 0);  // window_remember
    EXPECT_EQ(v.strings[0], "%LYRICFILENAME%");
    EXPECT_EQ(v.strings[1], "%LYRIC%");
    EXPECT_EQ(v.strings[2], "$if(%title%,%title%,%_filename%)");
    EXPECT_EQ(v.strings[3], "lrc");
    EXPECT_EQ(v.strings[4], "$if(%artist%,%artist%-)$if(%title%,%title%,%_filename%)");
    EXPECT_EQ(v.placement, Bytes(44, 0));

    // An empty block changes none of them.
    restore_defaults();
    read_config("", 0);
    EXPECT_TRUE(same_values(snapshot(), values_at_load));
}

TEST_F(Config, ListRunsFromTheLastDefinedToTheFirst) {
    const char* const expected[] = {"window_placement", "window_remember", "at_toppest", "lrc_name",
                                    "lrc_suffix",       "lrc_title",       "lyric_tag_value",
                                    "lyric_filename_tag_value", "lyric_filename_type", "lyric_auto_save"};
    std::vector<std::string> keys;
    for (ConfigVariable* v = first_config_variable(); v; v = v->next()) keys.push_back(v->key());
    ASSERT_EQ(keys.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(keys[i], expected[i]) << i;
    EXPECT_EQ(first_config_variable(), &window_placement);
}

Bytes default_block() {
    return concat({
        record("window_placement", Bytes(44, 0)),
        record("window_remember", int_bytes(0)),
        record("at_toppest", int_bytes(1)),
        record("lrc_name", text_bytes(default_lrc_name)),
        record("lrc_suffix", text_bytes("lrc")),
        record("lrc_title", text_bytes(default_lrc_title)),
        record("lyric_tag_value", text_bytes("%LYRIC%")),
        record("lyric_filename_tag_value", text_bytes("%LYRICFILENAME%")),
        record("lyric_filename_type", int_bytes(0)),
        record("lyric_auto_save", int_bytes(0)),
    });
}

TEST_F(Config, WritesTheDefaultBlockExactly) {
    EXPECT_EQ(written_block(), default_block());
}

TEST_F(Config, WritesEachLengthAsItsOwnFourByteCall) {
    lrc_suffix.set("");
    RecordingWriter writer;
    write_config(writer);
    std::vector<std::uint32_t> sizes;
    for (const Bytes& call : writer.calls) sizes.push_back(static_cast<std::uint32_t>(call.size()));
    // name length, name, data size, data (left out when empty)
    const std::vector<std::uint32_t> expected = {
        4, 16, 4, 44,                                                 // window_placement
        4, 15, 4, 4,                                                  // window_remember
        4, 10, 4, 4,                                                  // at_toppest
        4, 8, 4, static_cast<std::uint32_t>(std::strlen(default_lrc_name)),  // lrc_name
        4, 10, 4,                                                     // lrc_suffix, empty
        4, 9, 4, static_cast<std::uint32_t>(std::strlen(default_lrc_title)),  // lrc_title
        4, 15, 4, 7,                                                  // lyric_tag_value
        4, 24, 4, 15,                                                 // lyric_filename_tag_value
        4, 19, 4, 4,                                                  // lyric_filename_type
        4, 15, 4, 4,                                                  // lyric_auto_save
    };
    EXPECT_EQ(sizes, expected);
}

TEST_F(Config, IntegersAndPlacementAreLittleEndian) {
    window_remember.set(-2);
    WindowPlacementRecord p{};
    p.length = 44;
    p.normal_position_bottom = 0x01020304;
    window_placement.set(p);
    const Bytes block = written_block();
    const Bytes expected_int = record("window_remember", {0xFE, 0xFF, 0xFF, 0xFF});
    EXPECT_NE(std::search(block.begin(), block.end(), expected_int.begin(), expected_int.end()), block.end());
    ASSERT_GE(block.size(), 4u + 16 + 4 + 44);
    const Bytes placement(block.begin() + 24, block.begin() + 68);
    EXPECT_EQ(placement[0], 44);
    EXPECT_EQ(Bytes(placement.begin() + 40, placement.end()), Bytes({0x04, 0x03, 0x02, 0x01}));
}

TEST_F(Config, PlacementFieldsKeepTheirOrder) {
    Bytes data;
    for (std::uint32_t i = 1; i <= 11; ++i) put_le32(data, i);
    read_block(record("window_placement", data));
    const WindowPlacementRecord& p = window_placement.get();
    const std::uint32_t fields[] = {p.length,
                                    p.flags,
                                    p.show_cmd,
                                    std::uint32_t(p.min_position_x),
                                    std::uint32_t(p.min_position_y),
                                    std::uint32_t(p.max_position_x),
                                    std::uint32_t(p.max_position_y),
                                    std::uint32_t(p.normal_position_left),
                                    std::uint32_t(p.normal_position_top),
                                    std::uint32_t(p.normal_position_right),
                                    std::uint32_t(p.normal_position_bottom)};
    for (std::uint32_t i = 0; i < 11; ++i) EXPECT_EQ(fields[i], i + 1) << i;
}

// Splits a well-formed block into its records.
std::vector<Bytes> split_records(const Bytes& block) {
    std::vector<Bytes> records;
    std::size_t at = 0;
    auto le32 = [&block](std::size_t i) {
        return std::uint32_t(block[i]) | std::uint32_t(block[i + 1]) << 8 | std::uint32_t(block[i + 2]) << 16 |
               std::uint32_t(block[i + 3]) << 24;
    };
    while (at < block.size()) {
        const std::size_t name_length = le32(at);
        const std::size_t data_size = le32(at + 4 + name_length);
        const std::size_t end = at + 8 + name_length + data_size;
        records.emplace_back(block.begin() + at, block.begin() + end);
        at = end;
    }
    return records;
}

TEST_F(Config, RoundTripRestoresEveryValueInAnyRecordOrder) {
    set_sample_values();
    const Snapshot changed = snapshot();
    const std::vector<Bytes> records = split_records(written_block());
    ASSERT_EQ(records.size(), 10u);

    std::vector<std::vector<Bytes>> orders = {records, records, records, records};
    std::reverse(orders[1].begin(), orders[1].end());
    std::rotate(orders[2].begin(), orders[2].begin() + 3, orders[2].end());
    for (std::size_t i = 0; i + 1 < orders[3].size(); i += 2) std::swap(orders[3][i], orders[3][i + 1]);
    for (std::size_t i = 0; i < orders.size(); ++i) {
        SCOPED_TRACE(i);
        restore_defaults();
        read_block(concat(orders[i]));
        EXPECT_TRUE(same_values(snapshot(), changed));
    }
}

TEST_F(Config, EmptyStringIsWrittenWithSizeZeroAndReadBackEmpty) {
    lrc_suffix.set("");
    EXPECT_STREQ(lrc_suffix.get(), "");
    const Bytes block = written_block();
    const Bytes empty_record = record("lrc_suffix", {});
    EXPECT_NE(std::search(block.begin(), block.end(), empty_record.begin(), empty_record.end()), block.end());

    restore_defaults();
    ASSERT_STREQ(lrc_suffix.get(), "lrc");
    read_block(block);
    EXPECT_STREQ(lrc_suffix.get(), "");  // not the default
}

TEST_F(Config, StringValueStopsAtTheSizeOrTheFirstNul) {
    struct Case {
        Bytes data;
        const char* expected;
    };
    const Case cases[] = {
        {text_bytes("abc"), "abc"},
        {{'a', 'b', 0, 'c', 'd'}, "ab"},
        {{0, 'x'}, ""},
        {{}, ""},
        {text_bytes("\xE4\xB8\xAD"), "\xE4\xB8\xAD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        lrc_name.set("previous");
        // An exactly-sized heap copy: reading past it would be caught.
        std::vector<std::uint8_t> exact(c.data);
        lrc_name.set_data(exact.data(), static_cast<std::uint32_t>(exact.size()));
        EXPECT_STREQ(lrc_name.get(), c.expected);
    }
}

TEST_F(Config, SettingAStringCopiesIt) {
    std::string source = "abc";
    lrc_suffix.set(source.c_str());
    source[0] = 'x';
    EXPECT_STREQ(lrc_suffix.get(), "abc");
    lrc_suffix.set(lrc_suffix.get());  // its own text
    EXPECT_STREQ(lrc_suffix.get(), "abc");
    lrc_suffix.set(lrc_suffix.get() + 1);
    EXPECT_STREQ(lrc_suffix.get(), "bc");
    lrc_suffix.set(nullptr);
    EXPECT_STREQ(lrc_suffix.get(), "");
    lrc_suffix.set("abcdef", 2);
    EXPECT_STREQ(lrc_suffix.get(), "ab");
}

TEST_F(Config, BlocksOfFourBytesOrFewerAreEmpty) {
    // A complete record lies in memory; only the first `size` bytes are given.
    const Bytes full = record("at_toppest", int_bytes(0));
    const Snapshot before = snapshot();
    for (std::uint32_t size = 0; size <= 4; ++size) {
        SCOPED_TRACE(size);
        read_config(full.data(), size);
        EXPECT_TRUE(same_values(snapshot(), before));
    }
    read_config(nullptr, 100);
    EXPECT_TRUE(same_values(snapshot(), before));
    read_config(full.data(), static_cast<std::uint32_t>(full.size()));
    EXPECT_EQ(at_toppest.get(), 0);
}

TEST_F(Config, EveryTruncationKeepsTheCompleteRecords) {
    set_sample_values();
    const Bytes block = written_block();
    const std::vector<Bytes> records = split_records(block);
    restore_defaults();

    for (std::size_t cut = 0; cut <= block.size(); ++cut) {
        SCOPED_TRACE(cut);
        // What the records complete within the first `cut` bytes give.
        restore_defaults();
        std::size_t end = 0;
        for (const Bytes& r : records) {
            end += r.size();
            if (end > cut) break;
            read_block(r);
        }
        const Snapshot expected = snapshot();

        restore_defaults();
        const Bytes prefix(block.begin(), block.begin() + cut);  // exactly sized
        read_config(prefix.data(), static_cast<std::uint32_t>(cut));
        EXPECT_TRUE(same_values(snapshot(), expected));
    }
}

TEST_F(Config, LengthsPastTheEndStopTheWalk) {
    const Bytes good = record("lrc_suffix", text_bytes("txt"));
    auto raw = [](std::uint32_t name_length, const std::string& name) {
        Bytes out;
        put_le32(out, name_length);
        out.insert(out.end(), name.begin(), name.end());
        return out;
    };
    auto with_data = [](Bytes head, std::uint32_t data_size, const Bytes& data) {
        put_le32(head, data_size);
        head.insert(head.end(), data.begin(), data.end());
        return head;
    };
    struct Case {
        const char* name;
        Bytes tail;
    };
    const Case cases[] = {
        {"name length 2^32-1", with_data(raw(0xFFFFFFFFu, "at_toppest"), 4, int_bytes(0))},
        {"name length 2^32-4", with_data(raw(0xFFFFFFFCu, "at_toppest"), 4, int_bytes(0))},
        {"name length one past the end", raw(11, "at_toppest")},
        {"name cut short", raw(10, "at_top")},
        {"no data size", raw(10, "at_toppest")},
        {"half a data size", concat({raw(10, "at_toppest"), Bytes{4, 0}})},
        {"data size 2^32-1", with_data(raw(10, "at_toppest"), 0xFFFFFFFFu, int_bytes(0))},
        {"data size 2^32-4", with_data(raw(10, "at_toppest"), 0xFFFFFFFCu, int_bytes(0))},
        {"data size one past the end", with_data(raw(10, "at_toppest"), 5, int_bytes(0))},
        {"name length only", Bytes{10, 0, 0, 0, 'a'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restore_defaults();
        read_block(concat({good, c.tail}));
        EXPECT_STREQ(lrc_suffix.get(), "txt");  // the record before is kept
        EXPECT_EQ(at_toppest.get(), 1);
    }
}

TEST_F(Config, KeysMatchByteForByte) {
    struct Case {
        std::string name;
        bool matches;
    };
    const Case cases[] = {
        {"lrc_suffix", true},
        {std::string("lrc_suffix\0junk", 15), true},  // the name ends at its first NUL
        {"LRC_SUFFIX", false},
        {"Lrc_suffix", false},
        {"lrc_suffi", false},
        {"lrc_suffixx", false},
        {" lrc_suffix", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restore_defaults();
        read_block(concat({record(c.name, text_bytes("txt")), record("window_remember", int_bytes(1))}));
        EXPECT_STREQ(lrc_suffix.get(), c.matches ? "txt" : "lrc");
        EXPECT_EQ(window_remember.get(), 1);  // the walk goes on either way
    }
}

TEST_F(Config, WrongSizedRecordsLeaveTheValueAndTheWalkGoesOn) {
    struct Case {
        const char* key;
        std::uint32_t size;
        bool taken;
    };
    const Case cases[] = {
        {"at_toppest", 0, false},       {"at_toppest", 3, false},       {"at_toppest", 5, false},
        {"at_toppest", 8, false},       {"at_toppest", 4, true},        {"window_placement", 0, false},
        {"window_placement", 43, false}, {"window_placement", 45, false}, {"window_placement", 88, false},
        {"window_placement", 44, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.size));
        restore_defaults();
        const Snapshot before = snapshot();
        read_block(concat({record(c.key, Bytes(c.size, 0x11)), record("lrc_suffix", text_bytes("txt"))}));
        EXPECT_STREQ(lrc_suffix.get(), "txt");
        const bool changed = std::string(c.key) == "at_toppest"
                                 ? at_toppest.get() != before.ints[2]
                                 : placement_bytes(window_placement.get()) != before.placement;
        EXPECT_EQ(changed, c.taken);
    }
}

TEST_F(Config, UnknownKeysAreSkipped) {
    read_block(concat({record("no_such_setting", text_bytes("whatever")), record("lyric_auto_save", int_bytes(1)),
                       record("", {}), record("lrc_suffix", text_bytes("txt"))}));
    EXPECT_EQ(lyric_auto_save.get(), 1);
    EXPECT_STREQ(lrc_suffix.get(), "txt");
}

TEST_F(Config, ResetChangesNothing) {
    set_sample_values();
    const Snapshot before = snapshot();
    reset_config();
    EXPECT_TRUE(same_values(snapshot(), before));
}

}  // namespace
}  // namespace versotime
