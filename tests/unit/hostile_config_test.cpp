// Damaged configuration blocks: cut at every byte, and with name lengths or
// data sizes that point past the block's end. The walk keeps every complete
// record before the damage and nothing after it. Blocks are exact-size heap
// copies, so the sanitizer build catches a read past the end.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/config_variables.h"
#include "tests/unit/config_block_support.h"

namespace versotime {
namespace {

using namespace testing_support;

// read_config on exactly `size` bytes of the block.
void read_exactly(const Bytes& block, std::size_t size) {
    void* copy = std::malloc(size ? size : 1);
    if (size) std::memcpy(copy, block.data(), size);
    read_config(copy, static_cast<std::uint32_t>(size));
    std::free(copy);
}

Bytes text_data(const std::string& text) { return Bytes(text.begin(), text.end()); }

// One record per variable, in the written order, every value unlike its default.
std::vector<Bytes> changed_records() {
    Bytes placement;
    for (int i = 0; i < 11; ++i) put_le32(placement, i == 0 ? 44u : static_cast<std::uint32_t>(i * 10));
    return {
        record("window_placement", placement), record("window_remember", int_bytes(1)),
        record("at_toppest", int_bytes(0)),     record("lrc_name", text_data("changed name")),
        record("lrc_suffix", text_data("")),   record("lrc_title", text_data("changed title")),
        record("lyric_tag_value", text_data("%CHANGED%")),
        record("lyric_filename_tag_value", text_data("%CHANGEDFILE%")),
        record("lyric_filename_type", int_bytes(1)), record("lyric_auto_save", int_bytes(1)),
    };
}

// The written block split into its records.
std::vector<Bytes> split_records(const Bytes& block) {
    std::vector<Bytes> records;
    std::size_t at = 0;
    while (at < block.size()) {
        std::uint32_t n, s;
        std::memcpy(&n, &block[at], 4);
        std::memcpy(&s, &block[at + 4 + n], 4);
        const std::size_t end = at + 8 + n + s;
        records.emplace_back(block.begin() + static_cast<std::ptrdiff_t>(at), block.begin() + static_cast<std::ptrdiff_t>(end));
        at = end;
    }
    return records;
}

class HostileConfigBlock : public ::testing::Test {
protected:
    void SetUp() override { defaults_ = written_block(); }
    void TearDown() override { restore_defaults(); }
    void restore_defaults() { read_exactly(defaults_, defaults_.size()); }
    Bytes defaults_;
};

TEST_F(HostileConfigBlock, CutAtEveryByteKeepsTheCompleteRecordsBeforeTheCut) {
    const std::vector<Bytes> defaults = split_records(defaults_);
    const std::vector<Bytes> changed = changed_records();
    ASSERT_EQ(defaults.size(), changed.size());
    Bytes block;
    std::vector<std::size_t> ends;
    for (const Bytes& r : changed) {
        block.insert(block.end(), r.begin(), r.end());
        ends.push_back(block.size());
    }
    for (std::size_t cut = 0; cut <= block.size(); ++cut) {
        SCOPED_TRACE(cut);
        restore_defaults();
        read_exactly(block, cut);
        Bytes expected;
        for (std::size_t k = 0; k < changed.size(); ++k) {
            const Bytes& r = ends[k] <= cut ? changed[k] : defaults[k];
            expected.insert(expected.end(), r.begin(), r.end());
        }
        ASSERT_EQ(written_block(), expected);
    }
}

TEST_F(HostileConfigBlock, LengthsPastTheEndStopTheWalkThere) {
    const Bytes good = record("at_toppest", int_bytes(0));
    const Bytes later = record("window_remember", int_bytes(1));
    const struct {
        const char* name;
        std::uint32_t name_length;  // of the damaged record; its name is "lrc_suffix"
        std::uint32_t data_size;    // of the damaged record
    } cases[] = {
        {"name length all ones", 0xFFFFFFFFu, 3},
        {"name length near 2^32", 0xFFFFFFFCu, 3},
        {"name length one past the end", 0, 3},  // 0: computed below
        {"data size all ones", 10, 0xFFFFFFFFu},
        {"data size near 2^32", 10, 0xFFFFFFFCu},
        {"data size one past the end", 10, 0},  // 0: computed below
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes damaged;
        const std::string name = "lrc_suffix";
        const Bytes data = text_data("txt");
        const std::size_t rest = name.size() + 4 + data.size() + later.size();
        put_le32(damaged, c.name_length ? c.name_length : static_cast<std::uint32_t>(rest + 1));
        damaged.insert(damaged.end(), name.begin(), name.end());
        put_le32(damaged, c.data_size ? c.data_size : static_cast<std::uint32_t>(data.size() + later.size() + 1));
        damaged.insert(damaged.end(), data.begin(), data.end());

        Bytes block = good;
        block.insert(block.end(), damaged.begin(), damaged.end());
        block.insert(block.end(), later.begin(), later.end());
        restore_defaults();
        read_exactly(block, block.size());
        EXPECT_EQ(at_toppest.get(), 0);
        EXPECT_STREQ(lrc_suffix.get(), "lrc");
        EXPECT_EQ(window_remember.get(), 0);
    }
}

TEST_F(HostileConfigBlock, NullAndTinyBlocksChangeNothing) {
    read_config(nullptr, 1000);
    EXPECT_EQ(written_block(), defaults_);
    const Bytes tiny = {0xFF, 0xFF, 0xFF, 0xFF};
    for (std::size_t size = 0; size <= tiny.size(); ++size) {
        SCOPED_TRACE(size);
        read_exactly(tiny, size);
        EXPECT_EQ(written_block(), defaults_);
    }
}

}  // namespace
}  // namespace versotime
