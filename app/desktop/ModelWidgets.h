#pragma once
// Widgets that leave their state to the control model: they report what the user did
// (a click, a key, a chosen row) and show what the model says, instead of changing
// themselves first. The bindings in ControlBindings.cpp connect them to the controls.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

class QMenu;

namespace desktop {

// A label or an image that reports a click (link labels, the logo).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A command button that can show a picture as its face: the picture centred on the
// button, the caption centred over it (graphical buttons). Without a face it is a plain
// push button.
class FaceButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
    void SetFace(const QPixmap& face);
    const QPixmap& Face() const { return face_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap face_;
};

// A drop-down list whose text field shows the palette's Base colour (the control's back
// colour), as the platform's drop-down lists do; the style paints the rest.
class FieldComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A check box or option button whose caption wraps onto further lines within the control,
// and which the user can click anywhere on, as the platform's own do.
template <class Base, QStyle::PrimitiveElement Indicator> class WrappingButton : public Base {
public:
    using Base::Base;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override { return this->rect().contains(position); }
};
using WrappingCheckBox = WrappingButton<QCheckBox, QStyle::PE_IndicatorCheckBox>;
using WrappingOptionButton = WrappingButton<QRadioButton, QStyle::PE_IndicatorRadioButton>;

// A one-line text box whose keys go to the text box model: typed characters, Backspace
// and Delete are reported, the model edits the text and the widget shows the result. A
// paste (its keys or the context menu) is typed, one character after the other.
// Moving the caret and selecting stay the widget's; the binding reads them before each
// edit.
class ModelLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void typed(const QString& text);
    void backspacePressed();
    void deletePressed();
    void cutRequested();
    // Navigation or selection by the user: the caret or the selection may have moved.
    void caretMoved();

public:
    // Types the clipboard's first line.
    void Paste();
    // The context menu (its caller owns it): cut, copy, paste, delete, select all.
    QMenu* EditMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A list whose current row is the model's choice: a click or a navigation key reports
// the row the user picks, and the widget moves only when the model has chosen it.
class ModelListWidget : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

signals:
    void chosen(int row);
    void activatedRow(int row);  // a double-click on a row

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
};

}  // namespace desktop
