// The byte sink the player hands to save_configuration.
#pragma once

#include <cstdint>
#include <vector>

#include "host/player_api.h"
#include "settings/config_variables.h"

namespace versotime {
namespace player {

class BlockWriter final : public ConfigWriter {
public:
    void write(const void* data, std::uint32_t size) override {
        if (!data || size == 0) return;
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
    }

    std::vector<std::uint8_t> bytes;
};

}  // namespace player
}  // namespace versotime
