// Building and capturing configuration blocks in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/config_variables.h"

namespace versotime {
namespace testing_support {

using Bytes = std::vector<std::uint8_t>;

// Keeps every write call apart, so tests can see how the block was cut.
class RecordingWriter final : public ConfigWriter {
public:
    void write(const void* data, std::uint32_t size) override {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        calls.emplace_back(bytes, bytes + size);
    }
    Bytes block() const {
        Bytes all;
        for (const Bytes& call : calls) all.insert(all.end(), call.begin(), call.end());
        return all;
    }
    std::vector<Bytes> calls;
};

inline Bytes written_block() {
    RecordingWriter writer;
    write_config(writer);
    return writer.block();
}

inline void put_le32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// One record: name length, name, data size, data.
inline Bytes record(const std::string& name, const Bytes& data) {
    Bytes out;
    put_le32(out, static_cast<std::uint32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    put_le32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

inline Bytes int_bytes(std::int32_t value) {
    Bytes out;
    put_le32(out, static_cast<std::uint32_t>(value));
    return out;
}

}  // namespace testing_support
}  // namespace versotime
