// Any block handed to read_config: the walk stays inside the block, and
// whatever values it leaves survive write_config and read_config unchanged,
// even when every variable held something else in between.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "settings/config_variables.h"
#include "tests/fuzz/fuzz_check.h"

using namespace versotime;

namespace {

class BlockWriter final : public ConfigWriter {
public:
    void write(const void* data, std::uint32_t size) override {
        FUZZ_CHECK(size == 0 || data);
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        block.insert(block.end(), bytes, bytes + size);
    }
    std::vector<std::uint8_t> block;
};

std::vector<std::uint8_t> written() {
    BlockWriter writer;
    write_config(writer);
    return writer.block;
}

// Every variable to a value no block in the corpus is likely to carry.
void scramble() {
    lyric_auto_save.set(-7);
    lyric_filename_type.set(0x7FFFFFFF);
    at_toppest.set(12345);
    window_remember.set(-1);
    ConfigString* strings[] = {&lyric_filename_tag_value, &lyric_tag_value, &lrc_title, &lrc_suffix, &lrc_name};
    for (ConfigString* s : strings) s->set("scrambled \xE2\x99\xAA");
    WindowPlacementRecord record;
    std::memset(&record, 0xA5, sizeof record);
    window_placement.set(record);
}

// The written block is ten well-formed records that end exactly at its end.
void check_shape(const std::vector<std::uint8_t>& block) {
    std::size_t at = 0;
    int records = 0;
    while (at < block.size()) {
        FUZZ_CHECK(block.size() - at >= 4);
        std::uint32_t n;
        std::memcpy(&n, &block[at], 4);
        at += 4;
        FUZZ_CHECK(block.size() - at >= n + 4u);
        at += n;
        std::uint32_t s;
        std::memcpy(&s, &block[at], 4);
        at += 4;
        FUZZ_CHECK(block.size() - at >= s);
        at += s;
        ++records;
    }
    FUZZ_CHECK(records == 10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 0x100000) return 0;
    // An exact-size copy, so that reading past the block is caught.
    void* block = std::malloc(size ? size : 1);
    if (size) std::memcpy(block, data, size);
    scramble();
    read_config(block, static_cast<std::uint32_t>(size));
    std::free(block);

    const std::vector<std::uint8_t> first = written();
    check_shape(first);
    scramble();
    read_config(first.data(), static_cast<std::uint32_t>(first.size()));
    FUZZ_CHECK(written() == first);
    return 0;
}
