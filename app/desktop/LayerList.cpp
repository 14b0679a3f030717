#include "app/desktop/LayerList.h"

#include <QHeaderView>

#include <cstdint>
#include <functional>

#include "app/desktop/FormView.h"
#include "app/desktop/WidgetLook.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MissingSourceLayer.h"
#include "host/carto/MxDocument.h"

namespace desktop {

namespace {

constexpr int kLayerRole = Qt::UserRole + 1;

// Calls visit(layer, depth) for every layer in list order: top-level layers, each group
// followed by its members.
void Walk(const host::Map& map, const std::function<void(const host::Ref<host::Layer>&, int)>& visit) {
    std::function<void(const host::Ref<host::Layer>&, int)> walk = [&](const host::Ref<host::Layer>& layer, int depth) {
        visit(layer, depth);
        if (auto* group = dynamic_cast<host::GroupLayer*>(layer.raw()))
            for (long i = 0; i < group->Count(); ++i) walk(group->Layer(i), depth + 1);
    };
    for (long i = 0; i < map.LayerCount(); ++i) walk(map.Layer(i), 0);
}

}  // namespace

LayerList::LayerList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("layerList"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    connect(this, &QTreeWidget::itemChanged, this, &LayerList::OnItemChanged);
}

void LayerList::SetDocument(const host::Ref<host::MxDocument>& document) {
    document_ = document;
    shown_.clear();
    Refresh();
}

std::string LayerList::Signature() const {
    std::string signature;
    if (!document_) return signature;
    Walk(*document_->FocusMap(), [&](const host::Ref<host::Layer>& layer, int depth) {
        signature += std::to_string(depth) + ':' + std::to_string(reinterpret_cast<std::uintptr_t>(layer.raw())) + ':' +
                     layer->Name() + (layer->Visible() ? ":1\n" : ":0\n");
    });
    return signature;
}

void LayerList::Refresh() {
    std::string signature = Signature();
    if (signature == shown_ && topLevelItemCount() > 0) return;
    shown_ = std::move(signature);
    Rebuild();
}

void LayerList::Rebuild() {
    building_ = true;
    clear();
    layers_.clear();
    if (document_) {
        std::vector<QTreeWidgetItem*> parents;
        Walk(*document_->FocusMap(), [&](const host::Ref<host::Layer>& layer, int depth) {
            parents.resize(static_cast<std::size_t>(depth));
            auto* item = depth == 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(parents.back());
            item->setText(0, ToQString(layer->Name()));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(0, layer->Visible() ? Qt::Checked : Qt::Unchecked);
            item->setData(0, kLayerRole, static_cast<qulonglong>(layers_.size()));
            if (const auto* missing = dynamic_cast<const host::MissingSourceLayer*>(layer.raw())) {
                item->setForeground(0, QBrush(Qt::gray));
                item->setToolTip(0, ToQString(missing->Reason()));
            }
            layers_.push_back(layer);
            parents.push_back(item);
        });
    }
    expandAll();
    building_ = false;
}

QTreeWidgetItem* LayerList::ItemFor(const std::string& layerName) const {
    const QList<QTreeWidgetItem*> found = findItems(ToQString(layerName), Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

void LayerList::OnItemChanged(QTreeWidgetItem* item) {
    if (building_ || !document_) return;
    const auto index = item->data(0, kLayerRole).toULongLong();
    if (index >= layers_.size()) return;
    host::Ref<host::Layer> layer = layers_[index];
    const bool visible = item->checkState(0) == Qt::Checked;
    if (layer->Visible() == visible) return;
    host::Ref<host::MxDocument> document = document_;
    RunUserAction([&] {
        layer->SetVisible(visible);
        document->ActiveView()->Refresh();
    });
    shown_ = Signature();
}

}  // namespace desktop
