// The player's configuration file: one block of bytes per component, named
// by the component's file name.
//
//   VERSOTIME-PLAYER-CONFIG 1\n
//   component <file name> <byte count>\n
//   <bytes>\n
//   ... one such entry per component
//
// A file cut short hands over what is left of the last block; an entry
// whose header line is damaged ends the reading.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/player_api.h"
#include "player/block_writer.h"

namespace versotime {
namespace player {

using NamedBlock = std::pair<std::string, std::vector<std::uint8_t>>;

bool read_whole_file(const std::string& path, std::vector<std::uint8_t>& bytes);
bool write_whole_file(const std::string& path, const std::vector<std::uint8_t>& bytes);

void parse_config_file(const std::vector<std::uint8_t>& bytes, std::vector<NamedBlock>& blocks);
std::vector<std::uint8_t> format_config_file(const std::vector<NamedBlock>& blocks);

// A record of a component's block: key and data.
struct ConfigRecord {
    std::string key;
    std::vector<std::uint8_t> data;
};
// Reads the records of a component's block (32-bit little-endian lengths
// before key and data) up to the last complete one.
std::vector<ConfigRecord> parse_component_block(const std::vector<std::uint8_t>& block);

}  // namespace player
}  // namespace versotime
