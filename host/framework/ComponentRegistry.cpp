#include "host/framework/ComponentRegistry.h"

#include <algorithm>
#include <utility>

#include "host/data/Fields.h"

namespace host {

namespace {
constexpr long kCannotCreateObject = 429;

bool Names(const ComponentRegistry::Component& c, const std::string& id) {
    return EqualIgnoringCase(c.progId, id) || (!c.classId.empty() && EqualIgnoringCase(c.classId, id));
}
}  // namespace

ComponentRegistry& ComponentRegistry::Instance() {
    static ComponentRegistry registry;
    return registry;
}

void ComponentRegistry::Register(Component component) {
    if (component.progId.empty() || !component.create) Raise(err::InvalidProcedureCall);
    auto same = std::find_if(components_.begin(), components_.end(),
                             [&](const Component& c) { return EqualIgnoringCase(c.progId, component.progId); });
    if (same != components_.end()) {
        *same = std::move(component);
    } else {
        components_.push_back(std::move(component));
    }
}

bool ComponentRegistry::Unregister(const std::string& progId) {
    auto it = std::find_if(components_.begin(), components_.end(),
                           [&](const Component& c) { return EqualIgnoringCase(c.progId, progId); });
    if (it == components_.end()) return false;
    components_.erase(it);
    return true;
}

void ComponentRegistry::Clear() { components_.clear(); }

std::optional<ComponentRegistry::Component> ComponentRegistry::Find(const std::string& progIdOrClassId) const {
    for (const Component& c : components_) {
        if (Names(c, progIdOrClassId)) return c;
    }
    return std::nullopt;
}

std::vector<ComponentRegistry::Component> ComponentRegistry::InCategory(const std::string& category) const {
    std::vector<Component> found;
    for (const Component& c : components_) {
        if (EqualIgnoringCase(c.category, category)) found.push_back(c);
    }
    return found;
}

Ref<ICommand> ComponentRegistry::Create(const std::string& progIdOrClassId) const {
    std::optional<Component> c = Find(progIdOrClassId);
    if (!c) Raise(kCannotCreateObject, "ActiveX component can't create object");
    Ref<ICommand> made = c->create();
    if (!made) Raise(kCannotCreateObject, "ActiveX component can't create object");
    return made;
}

}  // namespace host
