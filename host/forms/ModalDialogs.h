#pragma once
// The modal-dialog service: runs a form shown modally until it is hidden or unloaded.
// Form::ShowModal shows the form, hands it to the current service and returns when the
// service does. The desktop application installs one that runs a dialog's event loop;
// without a display the headless one hands the form to a driver that the test or the
// script runner installs, which acts on the form (chooses, types, presses) until it is
// closed.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace host {

class Form;

class ModalDialogs {
public:
    virtual ~ModalDialogs() = default;

    // Runs the form (loaded and shown) until it is hidden or unloaded, or until the
    // service gives up; ShowModal checks which.
    virtual void Run(Form& form) = 0;

    // The current service (a HeadlessModalDialogs without a driver until another is
    // installed).
    static ModalDialogs& Current();
    // Installs a service and returns the one it replaces; nullptr puts back a fresh
    // headless one.
    static std::shared_ptr<ModalDialogs> Install(std::shared_ptr<ModalDialogs> service);
};

class HeadlessModalDialogs : public ModalDialogs {
public:
    using Driver = std::function<void(Form&)>;

    // The driver gets every modal form; it may show further forms modally (they come to
    // it in turn). Without a driver a modal form is left open, which ShowModal reports.
    explicit HeadlessModalDialogs(Driver driver = nullptr) : driver_(std::move(driver)) {}
    void SetDriver(Driver driver) { driver_ = std::move(driver); }

    void Run(Form& form) override;

    // The names of the forms shown modally, in order.
    const std::vector<std::string>& Shown() const { return shown_; }

private:
    Driver driver_;
    std::vector<std::string> shown_;
};

}  // namespace host
