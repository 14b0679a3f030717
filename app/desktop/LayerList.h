#pragma once
// The layer list: the focus map's layers in map order (top first), group layers with their
// members beneath them, each with a check box for its visibility. Ticking a box shows or
// hides the layer and redraws the view.

#include <QTreeWidget>

#include <string>
#include <vector>

#include "host/core/Ref.h"

namespace host {
class Layer;
class MxDocument;
}  // namespace host

namespace desktop {

class LayerList : public QTreeWidget {
    Q_OBJECT
public:
    explicit LayerList(QWidget* parent = nullptr);

    void SetDocument(const host::Ref<host::MxDocument>& document);
    // Rebuilds the list when the map's layers, their names or visibility changed.
    void Refresh();

    // The item of the layer of that name (the first in the list), nullptr when none.
    QTreeWidgetItem* ItemFor(const std::string& layerName) const;

private:
    void Rebuild();
    void OnItemChanged(QTreeWidgetItem* item);
    std::string Signature() const;

    host::Ref<host::MxDocument> document_;
    std::vector<host::Ref<host::Layer>> layers_;  // item data indexes into this
    std::string shown_;
    bool building_ = false;
};

}  // namespace desktop
