#pragma once
// Widgets that leave their state to the control model: they report what the user did
// (a click, a key, a chosen row) and show what the model says, instead of changing
// themselves first. The bindings in ControlBindings.cpp connect them to the controls.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

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

// A one-line text box whose keys go to the text box model: typed characters, Backspace
// and Delete are reported, the model edits the text and the widget shows the result.
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
    void pasted(const QString& text);
    void cutRequested();
    // Navigation or selection by the user: the caret or the selection may have moved.
    void caretMoved();

protected:
    void keyPressEvent(QKeyEvent* event) override;
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
