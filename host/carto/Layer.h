#pragma once
// A layer of a map: feature layers, group layers and the other kinds derive from it. Code
// that walks a map tells them apart with host::Is<T> / host::As<T>.

#include <functional>
#include <string>

#include "host/carto/SourceName.h"

namespace host {

class Layer {
public:
    Layer() = default;
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;
    virtual ~Layer() = default;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    const SourceName& Source() const { return source_; }
    void SetSource(SourceName source) { source_ = std::move(source); }

    // The map a layer belongs to installs a listener here that it calls whenever the
    // layer's feature selection changes; a group layer passes it on to its members.
    virtual void SetSelectionListener(std::function<void()> listener) { (void)listener; }

private:
    std::string name_;
    bool visible_ = true;
    SourceName source_;
};

}  // namespace host
