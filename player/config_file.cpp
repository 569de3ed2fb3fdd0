#include "player/config_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace versotime {
namespace player {

namespace {

constexpr const char* header = "VERSOTIME-PLAYER-CONFIG 1\n";

std::uint32_t read_u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

bool read_whole_file(const std::string& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::uint8_t chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool write_whole_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

void parse_config_file(const std::vector<std::uint8_t>& bytes, std::vector<NamedBlock>& blocks) {
    blocks.clear();
    std::size_t header_size = std::strlen(header);
    if (bytes.size() < header_size || std::memcmp(bytes.data(), header, header_size) != 0) return;
    std::size_t at = header_size;
    while (at < bytes.size()) {
        std::size_t line_end = at;
        while (line_end < bytes.size() && bytes[line_end] != '\n') ++line_end;
        if (line_end >= bytes.size()) return;  // header line cut short
        std::string line(bytes.begin() + at, bytes.begin() + line_end);
        // "component NAME SIZE": the name may hold spaces, the size is last.
        const std::string prefix = "component ";
        std::size_t space = line.rfind(' ');
        if (line.compare(0, prefix.size(), prefix) != 0 || space == std::string::npos || space < prefix.size())
            return;
        std::string name = line.substr(prefix.size(), space - prefix.size());
        char* end = nullptr;
        unsigned long long size = std::strtoull(line.c_str() + space + 1, &end, 10);
        if (!end || *end != '\0' || space + 1 == line.size()) return;
        at = line_end + 1;
        std::size_t available = bytes.size() - at;
        std::size_t take = size < available ? static_cast<std::size_t>(size) : available;
        blocks.emplace_back(name, std::vector<std::uint8_t>(bytes.begin() + at, bytes.begin() + at + take));
        at += take;
        if (take < size) return;
        if (at < bytes.size() && bytes[at] == '\n') ++at;
    }
}

std::vector<std::uint8_t> format_config_file(const std::vector<NamedBlock>& blocks) {
    std::string text = header;
    std::vector<std::uint8_t> out(text.begin(), text.end());
    for (const NamedBlock& block : blocks) {
        std::string line = "component " + block.first + " " + std::to_string(block.second.size()) + "\n";
        out.insert(out.end(), line.begin(), line.end());
        out.insert(out.end(), block.second.begin(), block.second.end());
        out.push_back('\n');
    }
    return out;
}

std::vector<ConfigRecord> parse_component_block(const std::vector<std::uint8_t>& block) {
    std::vector<ConfigRecord> records;
    std::size_t at = 0;
    const std::size_t size = block.size();
    while (size - at >= 4) {
        std::uint32_t name_length = read_u32(&block[at]);
        at += 4;
        if (name_length > size - at) break;
        std::string key(block.begin() + at, block.begin() + at + name_length);
        at += name_length;
        if (size - at < 4) break;
        std::uint32_t data_size = read_u32(&block[at]);
        at += 4;
        if (data_size > size - at) break;
        records.push_back({key, std::vector<std::uint8_t>(block.begin() + at, block.begin() + at + data_size)});
        at += data_size;
    }
    return records;
}

}  // namespace player
}  // namespace versotime
