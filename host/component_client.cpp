#include "host/component_client.h"

#include <cstdlib>
#include <cstring>

#include "host/config_exchange.h"
#include "host/service_base.h"

namespace versotime {

int ComponentClientImpl::get_interface_version() { return 35; }
ServiceFactory* ComponentClientImpl::get_service_list() { return factory_chain_head; }

void ComponentClientImpl::save_configuration(ConfigWriter* writer) {
    if (writer != nullptr) save_component_configuration(writer);
}

void ComponentClientImpl::load_configuration(const void* data, std::uint32_t size) {
    load_component_configuration(data, data != nullptr ? size : 0);
}

void ComponentClientImpl::reset_configuration() {}

void ComponentClientImpl::set_module_paths(const char* full_path, const char* file_name) {
    module_full_path.set(full_path);
    module_file_name_copy.set(file_name);
}

void ComponentClientImpl::set_host_flag(std::uint8_t flag) { host_flag = flag; }

OwnedText::~OwnedText() { std::free(text_); }

void OwnedText::set(const char* text) {
    std::free(text_);
    text_ = nullptr;
    if (text == nullptr || *text == '\0') return;
    std::size_t size = std::strlen(text) + 1;
    text_ = static_cast<char*>(std::malloc(size));
    if (text_ != nullptr) std::memcpy(text_, text, size);
}

}  // namespace versotime
