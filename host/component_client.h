// The object the export hands to the player: configuration exchange, the
// chain of service records and the library's own paths.
#pragma once

#include "host/player_api.h"

namespace versotime {

class ComponentClientImpl final : public ComponentClient {
public:
    int get_interface_version() override;
    ServiceFactory* get_service_list() override;
    void save_configuration(ConfigWriter* writer) override;
    void load_configuration(const void* data, std::uint32_t size) override;
    void reset_configuration() override;
    void set_module_paths(const char* full_path, const char* file_name) override;
    void set_host_flag(std::uint8_t flag) override;
};

// An owned NUL-terminated copy of a text, or null; freed at unload.
class OwnedText {
public:
    OwnedText() = default;
    OwnedText(const OwnedText&) = delete;
    OwnedText& operator=(const OwnedText&) = delete;
    ~OwnedText();

    // A null or empty text clears the copy.
    void set(const char* text);
    const char* get() const { return text_; }

private:
    char* text_ = nullptr;
};

// Defined with the service records, whose construction order they share.
extern ComponentClientImpl component_client;
extern OwnedText module_full_path;
extern OwnedText module_file_name_copy;
extern std::uint8_t host_flag;

// The library's file name as the player gave it; null before it is set.
inline const char* module_file_name() { return module_file_name_copy.get(); }

}  // namespace versotime
