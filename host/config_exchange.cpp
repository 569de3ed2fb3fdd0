#include "host/config_exchange.h"

#include "settings/config_variables.h"

namespace versotime {

void save_component_configuration(ConfigWriter* writer) {
    if (writer != nullptr) write_config(*writer);
}

void load_component_configuration(const void* data, std::uint32_t size) { read_config(data, size); }

}  // namespace versotime
