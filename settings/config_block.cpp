// The stored block: records of (name length, name, data size, data), the
// lengths 32-bit little-endian, no header and no terminator.
#include <cstring>

#include "host/growable_buffer.h"
#include "host/utf8_string.h"
#include "settings/config_variables.h"

namespace versotime {

namespace {

class ScratchWriter final : public ConfigWriter {
public:
    void write(const void* data, std::uint32_t size) override { buffer_.append(data, size); }
    void clear() { buffer_.resize(0); }
    const std::uint8_t* data() const { return buffer_.data(); }
    std::uint32_t size() const { return buffer_.size(); }

private:
    GrowableBuffer buffer_{GrowthMode::grow_only};
};

// Each 32-bit value goes out as its own 4-byte write.
void write_le32(ConfigWriter& writer, std::uint32_t value) {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    writer.write(bytes, 4);
}

std::uint32_t read_le32(const std::uint8_t* in) {
    return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
           std::uint32_t(in[3]) << 24;
}

ConfigVariable* find_variable(const std::uint8_t* name, std::uint32_t length) {
    for (ConfigVariable* v = first_config_variable(); v; v = v->next()) {
        const char* key = v->key();
        if (key && bounded_length(key, whole_text) == length && std::memcmp(key, name, length) == 0) {
            return v;
        }
    }
    return nullptr;
}

}  // namespace

void write_config(ConfigWriter& writer) {
    ScratchWriter scratch;
    for (ConfigVariable* v = first_config_variable(); v; v = v->next()) {
        scratch.clear();
        if (!v->get_data(scratch)) continue;
        const char* key = v->key() ? v->key() : "";
        const std::uint32_t key_length = bounded_length(key, whole_text);
        write_le32(writer, key_length);
        writer.write(key, key_length);
        write_le32(writer, scratch.size());
        if (scratch.size() > 0) writer.write(scratch.data(), scratch.size());
    }
}

void read_config(const void* block, std::uint32_t size) {
    if (!block) return;
    const auto* p = static_cast<const std::uint8_t*>(block);
    // Every length is checked against what remains before it is used, so
    // lengths near 2^32 stop the walk instead of wrapping around.
    std::uint32_t remaining = size;
    while (remaining > 4) {
        const std::uint32_t name_length = read_le32(p);
        p += 4;
        remaining -= 4;
        if (remaining < name_length) return;
        const std::uint8_t* name = p;
        const std::uint32_t name_used = bounded_length(reinterpret_cast<const char*>(name), name_length);
        p += name_length;
        remaining -= name_length;

        if (remaining < 4) return;
        const std::uint32_t data_size = read_le32(p);
        p += 4;
        remaining -= 4;
        if (data_size > remaining) return;

        if (ConfigVariable* v = find_variable(name, name_used)) v->set_data(p, data_size);
        p += data_size;
        remaining -= data_size;
    }
}

}  // namespace versotime
