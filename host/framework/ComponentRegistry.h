#pragma once
// The component registry: which command classes the host creates when it starts. A plug-in
// library records its class here from its register entry point and removes it from its
// unregister entry point. One registry per process.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/core/Ref.h"
#include "host/framework/ICommand.h"

namespace host {

class ComponentRegistry {
public:
    using Factory = std::function<Ref<ICommand>()>;

    struct Component {
        std::string progId;    // "Maker.Product"
        std::string classId;   // the class's GUID text; may be empty
        std::string category;  // the component category the host lists it under
        Factory create;        // the class object: makes a new instance
    };

    static ComponentRegistry& Instance();

    // Records a class; an entry with the same programmatic identifier (case ignored) is
    // replaced in place. Raises error 5 for an empty identifier or a missing factory.
    void Register(Component component);
    // Removes the class; false when it was not registered.
    bool Unregister(const std::string& progId);
    void Clear();

    std::optional<Component> Find(const std::string& progIdOrClassId) const;
    // All registered classes in the order they were registered.
    const std::vector<Component>& Components() const { return components_; }
    std::vector<Component> InCategory(const std::string& category) const;

    // A new instance of the class; error 429 when no such class is registered or it makes
    // no object.
    Ref<ICommand> Create(const std::string& progIdOrClassId) const;

private:
    std::vector<Component> components_;
};

}  // namespace host
