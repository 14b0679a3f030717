#pragma once
// The process-wide slot of a swappable service (message boxes, shell): it holds a Fallback
// until another service is installed, and installing nullptr puts a fresh Fallback back.

#include <memory>
#include <utility>

namespace host {

template <class Service, class Fallback> class ServiceSlot {
public:
    static Service& Current() { return *Slot(); }

    // Installs a service and returns the one it replaces.
    static std::shared_ptr<Service> Install(std::shared_ptr<Service> service) {
        if (!service) service = std::make_shared<Fallback>();
        return std::exchange(Slot(), std::move(service));
    }

private:
    static std::shared_ptr<Service>& Slot() {
        static std::shared_ptr<Service> service = std::make_shared<Fallback>();
        return service;
    }
};

}  // namespace host
