#include "app/desktop/ModelWidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyleOption>
#include <QStylePainter>

#include <algorithm>

namespace desktop {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}

void FaceButton::SetFace(const QPixmap& face) {
    face_ = face;
    update();
}

void FaceButton::paintEvent(QPaintEvent* event) {
    if (face_.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QPoint shift = isDown() ? QPoint(1, 1) : QPoint();
    painter.drawPixmap(QRect(QPoint(), face_.size()).translated(rect().center() - face_.rect().center() + shift),
                       face_);
    painter.drawItemText(rect().translated(shift), Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
}

void FieldComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.fillRect(field, palette().color(group, QPalette::Base));
    option.palette.setColor(QPalette::ButtonText, palette().color(group, QPalette::Text));
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

namespace {
// The gap between a check box's box and its text, and the room kept at the text's right.
constexpr int kButtonTextGap = 4;
constexpr int kButtonTextMargin = 3;
}  // namespace

template <class Base, QStyle::PrimitiveElement Indicator>
void WrappingButton<Base, Indicator>::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    this->initStyleOption(&option);
    const bool check = Indicator == QStyle::PE_IndicatorCheckBox;
    QStyle* style = this->style();
    const int width =
        style->pixelMetric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth, &option, this);
    const int height =
        style->pixelMetric(check ? QStyle::PM_IndicatorHeight : QStyle::PM_ExclusiveIndicatorHeight, &option, this);
    const int spacing =
        style->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing, &option, this);
    QStyleOptionButton indicator = option;
    indicator.rect = QRect(1, (this->height() - height) / 2, width, height);
    painter.drawPrimitive(Indicator, indicator);
    // The text keeps clear of the right edge, which may lie on the frame around the button,
    // unless it would then need more lines than the button has room for.
    const int left = width + std::min(spacing, kButtonTextGap) + 1;
    QRect text = this->rect().adjusted(left, 0, -kButtonTextMargin, 0);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    if (this->fontMetrics().boundingRect(text, flags, this->text()).height() > this->height())
        text = this->rect().adjusted(left, 0, 0, 0);
    painter.drawItemText(text, flags, this->palette(), this->isEnabled(), this->text(), QPalette::WindowText);
    if (this->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(text, flags, this->text());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

template class WrappingButton<QCheckBox, QStyle::PE_IndicatorCheckBox>;
template class WrappingButton<QRadioButton, QStyle::PE_IndicatorRadioButton>;

namespace {

// True for a text the user typed as characters (no control characters).
bool IsTypedText(const QString& text) {
    if (text.isEmpty()) return false;
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// The clipboard text as one line: a paste into a one-line box stops at the first line end.
QString OneLineOf(QString text) {
    const auto end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (end >= 0) text.truncate(end);
    return text;
}

}  // namespace

void ModelLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Paste) {
        Paste();
    } else if (event == QKeySequence::Cut) {
        emit cutRequested();
    } else if (event == QKeySequence::Undo || event == QKeySequence::Redo) {
        // The model keeps no undo history; the key does nothing.
    } else if (event->key() == Qt::Key_Backspace) {
        emit backspacePressed();
    } else if (event->key() == Qt::Key_Delete) {
        emit deletePressed();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape ||
               event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        event->ignore();  // the form's default and cancel buttons, and focus moves
        return;
    } else if (IsTypedText(event->text()) &&
               (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) == Qt::NoModifier) {
        emit typed(event->text());
    } else {
        QLineEdit::keyPressEvent(event);  // caret movement, selection, copy
        emit caretMoved();
        return;
    }
    event->accept();
}

void ModelLineEdit::Paste() {
    // Typed one character at a time, so the text box's key filter sees each of them.
    const QString text = OneLineOf(QApplication::clipboard()->text());
    if (!text.isEmpty()) emit typed(text);
}

QMenu* ModelLineEdit::EditMenu() {
    auto* menu = new QMenu(this);
    QAction* cut = menu->addAction(tr("Cu&t"), this, &ModelLineEdit::cutRequested);
    QAction* copy = menu->addAction(tr("&Copy"), this, &QLineEdit::copy);
    QAction* paste = menu->addAction(tr("&Paste"), this, &ModelLineEdit::Paste);
    QAction* erase = menu->addAction(tr("Delete"), this, &ModelLineEdit::deletePressed);
    menu->addSeparator();
    menu->addAction(tr("Select All"), this, [this] {
        selectAll();
        emit caretMoved();
    });
    const bool editable = isEnabled() && !isReadOnly();
    cut->setEnabled(editable && hasSelectedText());
    copy->setEnabled(hasSelectedText() && echoMode() == QLineEdit::Normal);
    paste->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
    erase->setEnabled(editable && hasSelectedText());
    return menu;
}

void ModelLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = EditMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void ModelLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) emit typed(event->commitString());
    event->accept();
}

void ModelLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    emit caretMoved();
}

void ModelListWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) emit chosen(index.row());
}

void ModelListWidget::mouseMoveEvent(QMouseEvent* event) {
    event->accept();  // no drag selection: a row is chosen by a click
}

void ModelListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) emit activatedRow(index.row());
}

void ModelListWidget::keyPressEvent(QKeyEvent* event) {
    const int rows = count();
    const int current = currentRow();
    const int page = std::max(1, viewport()->height() / std::max(1, sizeHintForRow(0)) - 1);
    int target = -2;
    switch (event->key()) {
    case Qt::Key_Up: target = current <= 0 ? 0 : current - 1; break;
    case Qt::Key_Down: target = current < 0 ? 0 : current + 1; break;
    case Qt::Key_PageUp: target = current - page; break;
    case Qt::Key_PageDown: target = current < 0 ? page : current + page; break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = rows - 1; break;
    default:
        if (IsTypedText(event->text()) && event->modifiers() == Qt::NoModifier) {
            keyboardSearch(event->text());
            event->accept();
        } else {
            event->ignore();  // Enter, Escape and Tab belong to the form
        }
        return;
    }
    event->accept();
    if (rows == 0) return;
    target = std::clamp(target, 0, rows - 1);
    if (target != current) emit chosen(target);
}

void ModelListWidget::keyboardSearch(const QString& search) {
    // The next row after the current one that starts with the typed letter.
    const int rows = count();
    for (int step = 1; step <= rows; ++step) {
        const int row = (std::max(currentRow(), -1) + step) % rows;
        if (item(row)->text().trimmed().startsWith(search, Qt::CaseInsensitive)) {
            emit chosen(row);
            return;
        }
    }
}

}  // namespace desktop
