#pragma once
// Counts the paint events a widget receives: what the user sees redrawn. Used by the desktop
// tests and by bench/desktop_bench.

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace desktop_test {

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    long Count() const { return count_; }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count_;
        return false;
    }

private:
    long count_ = 0;
};

}  // namespace desktop_test
