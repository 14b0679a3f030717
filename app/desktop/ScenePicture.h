#pragma once
// One of the pictures the map canvas lays over each other (the layers, the selection's
// highlight, the graphics), kept for the scene it shows. A scene equal to the one shown is
// not drawn again. A cheap scene is drawn at once (within a frame); a costly one on a
// worker thread from its snapshot, while the picture shown stays, moved and scaled to where
// its extent lies now.

#include <QFutureWatcher>
#include <QImage>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>
#include <utility>

#include "app/desktop/MapRenderer.h"

namespace desktop {

template <class Scene> class ScenePicture {
public:
    // Scenes that cost at most this many shapes in view are drawn at once.
    static constexpr std::size_t kDrawAtOnce = 3000;

    // drawn: called on owner's thread when a drawing on the worker thread has ended.
    ScenePicture(QObject* owner, std::function<void()> drawn) : worker_(new QFutureWatcher<QImage>(owner)) {
        QObject::connect(worker_, &QFutureWatcher<QImage>::finished, owner, [this, drawn = std::move(drawn)] {
            Done();
            drawn();
        });
    }
    ScenePicture(const ScenePicture&) = delete;
    ScenePicture& operator=(const ScenePicture&) = delete;

    bool IsDrawing() const { return drawing_; }

    // Makes the picture show the scene: at once when it is cheap, else on the worker thread.
    void Want(const Scene& scene) {
        wanted_ = scene;
        if (has_ && shown_ == wanted_) return;
        if (wanted_.Cost() <= kDrawAtOnce) {
            image_ = MapRenderer::Picture(wanted_);
            shown_ = wanted_;
            has_ = true;
        } else if (!drawing_) {
            Start();
        }
        // else: the drawing under way ends in Done, which starts the one wanted now.
    }

    // Forgets the picture: the next scene wanted is drawn afresh.
    void Forget() {
        image_ = QImage();
        shown_ = Scene();
        has_ = false;
    }

    // Draws the picture where its extent lies under the transform.
    void Paint(QPainter& painter, const ViewTransform& transform, QSize size) const {
        if (!has_ || image_.isNull()) return;
        if (shown_.transform == transform && shown_.size == size) {
            painter.drawImage(0, 0, image_);
            return;
        }
        const QRectF extent = shown_.transform.ToMap(shown_.size);
        const QRectF target(transform.ToPixels(QPointF(extent.left(), extent.bottom())),
                            transform.ToPixels(QPointF(extent.right(), extent.top())));
        painter.drawImage(target, image_);
    }

private:
    void Start() {
        drawing_ = true;
        drawn_ = wanted_;
        worker_->setFuture(QtConcurrent::run([scene = drawn_] { return MapRenderer::Picture(scene); }));
    }

    void Done() {
        drawing_ = false;
        // Unless a picture was drawn at once since, even one of an older scene is nearer to
        // what is wanted than the one shown.
        if (!has_ || !(shown_ == wanted_)) {
            image_ = worker_->result();
            shown_ = drawn_;
            has_ = true;
        }
        if (!(shown_ == wanted_) && wanted_.Cost() > kDrawAtOnce) Start();
    }

    QFutureWatcher<QImage>* worker_;
    QImage image_;  // the picture (null: nothing to lay over the pictures beneath)
    Scene shown_;   // what it shows
    Scene wanted_;  // what it is to show
    Scene drawn_;   // what the worker draws
    bool has_ = false;
    bool drawing_ = false;
};

}  // namespace desktop
