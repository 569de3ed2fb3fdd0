// Hands the player's configuration block to the configuration variables and
// back.
#pragma once

#include <cstdint>

namespace versotime {

class ConfigWriter;

void save_component_configuration(ConfigWriter* writer);
void load_component_configuration(const void* data, std::uint32_t size);

}  // namespace versotime
