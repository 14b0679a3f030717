#include "host/forms/ModalDialogs.h"

#include "host/forms/Form.h"

namespace host {

namespace {

std::shared_ptr<ModalDialogs>& CurrentService() {
    static std::shared_ptr<ModalDialogs> service = std::make_shared<HeadlessModalDialogs>();
    return service;
}

}  // namespace

ModalDialogs& ModalDialogs::Current() { return *CurrentService(); }

std::shared_ptr<ModalDialogs> ModalDialogs::Install(std::shared_ptr<ModalDialogs> service) {
    if (!service) service = std::make_shared<HeadlessModalDialogs>();
    std::shared_ptr<ModalDialogs> previous = std::move(CurrentService());
    CurrentService() = std::move(service);
    return previous;
}

void HeadlessModalDialogs::Run(Form& form) {
    shown_.push_back(form.Name());
    if (driver_) {
        Driver driver = driver_;  // the driver may install another one while it runs
        driver(form);
    }
}

}  // namespace host
