// Building blocks of the component's six services: the reference counting
// every service shares, and the static record that announces one service to
// the player in the chain of service factories.
#pragma once

#include <windows.h>

#include "host/player_api.h"

namespace versotime {

// Head of the chain the player walks. Constant-initialised to null, so it is
// valid before any record is constructed, in whatever order units start.
extern ServiceFactory* factory_chain_head;

// The operations every service begins with. The layout after the table
// pointer (owner, then a signed 32-bit count starting at 1) is part of the
// record the player sees.
template <class Interface>
class CountedService : public Interface {
public:
    int release() override {
        LONG count = InterlockedDecrement(&count_);
        if (count <= 0 && owner_ != nullptr) owner_->on_last_release(this);
        return static_cast<int>(count);
    }
    int add_ref() override { return static_cast<int>(InterlockedIncrement(&count_)); }
    // Only the menu commands answer; they override this.
    Service* query_interface(const Guid&) override { return nullptr; }

    void set_owner(ServiceFactory* owner) { owner_ = owner; }

private:
    ServiceFactory* owner_ = nullptr;
    volatile LONG count_ = 1;
};

// One static record: the factory table, `next`, the class identifier, and
// the service object itself. Constructing it pushes it on the front of the
// chain, so the last record constructed is the head.
template <class ServiceType>
class ServiceRecord final : public ServiceFactory {
public:
    explicit ServiceRecord(const Guid& id) {
        class_id = id;
        service_.set_owner(this);
        next = factory_chain_head;
        factory_chain_head = this;
    }
    ServiceRecord(const ServiceRecord&) = delete;
    ServiceRecord& operator=(const ServiceRecord&) = delete;

    Service* create_instance() override {
        service_.add_ref();
        return &service_;
    }
    // The service is a static object: nothing to free.
    void on_last_release(Service*) override {}

private:
    ServiceType service_;
};

}  // namespace versotime
