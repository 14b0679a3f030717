#include "app/desktop/ControlBindings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <string>
#include <vector>

#include "app/desktop/FormView.h"
#include "app/desktop/ModelWidgets.h"
#include "app/desktop/WidgetLook.h"
#include "host/forms/CheckBox.h"
#include "host/forms/ComboBox.h"
#include "host/forms/CommandButton.h"
#include "host/forms/DirListBox.h"
#include "host/forms/DriveListBox.h"
#include "host/forms/FileListBox.h"
#include "host/forms/Frame.h"
#include "host/forms/Image.h"
#include "host/forms/Label.h"
#include "host/forms/ListBox.h"
#include "host/forms/OptionButton.h"
#include "host/forms/TextBox.h"

namespace desktop {

int Utf16Position(const QString& text, long characters) {
    int position = 0;
    for (long i = 0; i < characters && position < text.size(); ++i)
        position += text.at(position).isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
    return position;
}

long CharacterPosition(const QString& text, int utf16) {
    long characters = 0;
    for (int position = 0; position < utf16 && position < text.size(); ++characters)
        position += text.at(position).isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
    return characters;
}

std::vector<FolderRow> FolderRows(std::string_view folder, const std::vector<std::string>& subFolders) {
    // The folder is in the lists' form: "C:\" for a root, else "C:\A\B" without a trailing "\".
    std::vector<FolderRow> rows;
    if (folder.size() < 3) return rows;
    auto indented = [](int depth, std::string_view name) {
        return QString(depth * 2, QLatin1Char(' ')) + ToQString(name);
    };
    const std::string path(folder);
    rows.push_back({ToQString(path.substr(0, 3)), ToQString(path.substr(0, 3)), true});
    int depth = 1;
    for (std::size_t start = 3; start < path.size(); ++depth) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        rows.push_back({ToQString(path.substr(0, end)), indented(depth, path.substr(start, end - start)), true});
        start = end + 1;
    }
    for (const std::string& sub : subFolders)
        rows.push_back({ToQString(sub), indented(depth, std::string_view(sub).substr(sub.rfind('\\') + 1)), false});
    return rows;
}

namespace {

// Back and fore colours on the roles that the widget paints its face and its text with.
class InputBinding : public ControlBinding {
public:
    using ControlBinding::ControlBinding;

protected:
    QPalette::ColorRole BackRole() const override { return QPalette::Base; }
    QPalette::ColorRole ForeRole() const override { return QPalette::Text; }
};

class LabelBinding : public ControlBinding {
public:
    LabelBinding(host::Label& label, ClickLabel* widget, FormView& view)
        : ControlBinding(label, widget, view), label_(label), widget_(widget) {
        widget->setTextFormat(Qt::PlainText);
        widget->setWordWrap(true);
        connect(widget, &ClickLabel::clicked, this, [this] { Act([this] { label_.Press(); }); });
    }

protected:
    void SyncKind() override {
        const QString caption = ToQString(label_.Caption());
        if (widget_->text() != caption) widget_->setText(caption);
        Qt::Alignment horizontal = Qt::AlignLeft;
        if (label_.Alignment() == host::Alignment::Center) horizontal = Qt::AlignHCenter;
        if (label_.Alignment() == host::Alignment::Right) horizontal = Qt::AlignRight;
        widget_->setAlignment(horizontal | Qt::AlignTop);
        FitOneLine(horizontal);
    }

private:
    // A one-line label (a link) laid out for narrower letters than this platform's would cut
    // its text: it grows to its text from the side it is aligned to, within its parent.
    void FitOneLine(Qt::Alignment horizontal) {
        const QFontMetrics metrics(widget_->font());
        const QString caption = widget_->text();
        if (caption.isEmpty() || caption.contains(QLatin1Char('\n')) || widget_->height() >= 2 * metrics.height())
            return;
        const int needed = metrics.horizontalAdvance(caption) + 2 * widget_->margin() + 2;
        if (needed <= widget_->width()) return;
        QRect place = widget_->geometry();
        const int grow = needed - place.width();
        if (horizontal == Qt::AlignRight)
            place.setLeft(place.left() - grow);
        else if (horizontal == Qt::AlignHCenter)
            place.adjust(-grow / 2, 0, grow - grow / 2, 0);
        else
            place.setWidth(needed);
        if (const QWidget* parent = widget_->parentWidget())
            place = place.intersected(QRect(QPoint(0, place.top()), QSize(parent->width(), place.height())));
        widget_->setGeometry(place);
    }

    host::Label& label_;
    ClickLabel* widget_;
};

class ImageBinding : public ControlBinding {
public:
    ImageBinding(host::Image& image, ClickLabel* widget, FormView& view)
        : ControlBinding(image, widget, view), image_(image), widget_(widget) {
        widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        connect(widget, &ClickLabel::clicked, this, [this] { Act([this] { image_.Press(); }); });
    }

protected:
    void SyncKind() override {
        if (!(shown_ == image_.Picture())) {
            shown_ = image_.Picture();
            const QImage image = PictureImage(shown_);
            widget_->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
        }
        widget_->setScaledContents(image_.Stretch());
    }

private:
    host::Image& image_;
    ClickLabel* widget_;
    host::Picture shown_;
};

class FrameBinding : public ControlBinding {
public:
    FrameBinding(host::Frame& frame, QGroupBox* widget, FormView& view)
        : ControlBinding(frame, widget, view), frame_(frame), widget_(widget) {}

protected:
    void SyncKind() override { widget_->setTitle(ToQString(frame_.Caption())); }

private:
    host::Frame& frame_;
    QGroupBox* widget_;
};

class ButtonBinding : public ControlBinding {
public:
    ButtonBinding(host::CommandButton& button, FaceButton* widget, FormView& view)
        : ControlBinding(button, widget, view), button_(button), widget_(widget) {
        widget->setAutoDefault(false);  // Enter is the form's: it presses the default button
        connect(widget, &QPushButton::clicked, this, [this] { Act([this] { button_.Press(); }); });
    }

protected:
    QPalette::ColorRole BackRole() const override { return QPalette::Button; }
    QPalette::ColorRole ForeRole() const override { return QPalette::ButtonText; }

    void SyncKind() override {
        widget_->setText(ToQString(button_.Caption()));
        widget_->setDefault(button_.Default());
        const host::Picture picture = button_.IsPictureButton() ? button_.Picture() : host::Picture();
        if (!(shown_ == picture)) {
            shown_ = picture;
            const QImage image = PictureImage(picture);
            widget_->SetFace(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
        }
    }

private:
    host::CommandButton& button_;
    FaceButton* widget_;
    host::Picture shown_;
};

class CheckBoxBinding : public ControlBinding {
public:
    CheckBoxBinding(host::CheckBox& box, QCheckBox* widget, FormView& view)
        : ControlBinding(box, widget, view), box_(box), widget_(widget) {
        connect(widget, &QCheckBox::clicked, this, [this] { Act([this] { box_.Press(); }); });
    }

protected:
    void SyncKind() override {
        widget_->setText(ToQString(box_.Caption()));
        widget_->setChecked(box_.Value() == 1);
    }

private:
    host::CheckBox& box_;
    QCheckBox* widget_;
};

class OptionBinding : public ControlBinding {
public:
    OptionBinding(host::OptionButton& option, QRadioButton* widget, FormView& view)
        : ControlBinding(option, widget, view), option_(option), widget_(widget) {
        widget->setAutoExclusive(false);  // the model clears the group's other buttons
        connect(widget, &QRadioButton::clicked, this, [this] { Act([this] { option_.Press(); }); });
    }

protected:
    void SyncKind() override {
        widget_->setText(ToQString(option_.Caption()));
        widget_->setChecked(option_.Value());
    }

private:
    host::OptionButton& option_;
    QRadioButton* widget_;
};

class TextBinding : public InputBinding {
public:
    TextBinding(host::TextBox& box, ModelLineEdit* widget, FormView& view)
        : InputBinding(box, widget, view), box_(box), widget_(widget) {
        widget->setDragEnabled(false);
        widget->setAcceptDrops(false);
        connect(widget, &ModelLineEdit::typed, this, [this](const QString& text) {
            Act([this, text] {
                PushCaret();
                for (char32_t code : text.toUcs4()) box_.TypeChar(static_cast<int>(code));
            });
        });
        connect(widget, &ModelLineEdit::backspacePressed, this, [this] {
            Act([this] {
                PushCaret();
                box_.TypeChar(8);
            });
        });
        connect(widget, &ModelLineEdit::deletePressed, this, [this] {
            Act([this] {
                PushCaret();
                box_.PressDelete();
            });
        });
        connect(widget, &ModelLineEdit::cutRequested, this, [this] {
            Act([this] {
                PushCaret();
                if (box_.SelLength() == 0) return;
                QApplication::clipboard()->setText(ToQString(box_.SelText()));
                box_.SetSelText("");
            });
        });
        connect(widget, &ModelLineEdit::caretMoved, this, [this] { Act([this] { PushCaret(); }); });
    }

protected:
    void SyncKind() override {
        const QString text = ToQString(box_.Text());
        if (widget_->text() != text) widget_->setText(text);
        const int start = Utf16Position(text, box_.SelStart());
        const int length = Utf16Position(text, box_.SelStart() + box_.SelLength()) - start;
        if (length > 0) {
            if (widget_->selectionStart() != start || widget_->selectionLength() != length)
                widget_->setSelection(start, length);
        } else if (widget_->hasSelectedText() || widget_->cursorPosition() != start) {
            widget_->setCursorPosition(start);
        }
    }

private:
    // The caret and selection the user set in the widget become the model's, so that the
    // next key edits where the user sees the caret.
    void PushCaret() {
        if (widget_->text() != ToQString(box_.Text())) Sync();
        const QString text = widget_->text();
        const int start = widget_->hasSelectedText() ? widget_->selectionStart() : widget_->cursorPosition();
        const int end = widget_->hasSelectedText() ? start + widget_->selectionLength() : start;
        const long first = CharacterPosition(text, start);
        const long length = CharacterPosition(text, end) - first;
        if (box_.SelStart() == first && box_.SelLength() == length) return;
        box_.SetSelStart(first);
        box_.SetSelLength(length);
    }

    host::TextBox& box_;
    ModelLineEdit* widget_;
};

// Shows the entries and the chosen one of a combo box or a drive list.
void ShowComboEntries(QComboBox& widget, const std::vector<std::string>& items, std::vector<std::string>& shown,
                      int index) {
    const QSignalBlocker block(&widget);
    if (items != shown) {
        shown = items;
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(items.size()));
        for (const std::string& item : items) texts.push_back(ToQString(item));
        widget.clear();
        widget.addItems(texts);
    }
    if (widget.currentIndex() != index) widget.setCurrentIndex(index);
}

class ComboBinding : public InputBinding {
public:
    ComboBinding(host::ComboBox& combo, QComboBox* widget, FormView& view)
        : InputBinding(combo, widget, view), combo_(combo), widget_(widget) {
        widget->setEditable(false);
        connect(widget, &QComboBox::activated, this, [this](int row) { Act([this, row] { combo_.ChooseItem(row); }); });
    }

protected:
    void SyncKind() override {
        ShowComboEntries(*widget_, combo_.Items(), shown_, static_cast<int>(combo_.ListIndex()));
        widget_->view()->setMinimumWidth(static_cast<int>(combo_.DroppedWidth()));
    }

private:
    host::ComboBox& combo_;
    QComboBox* widget_;
    std::vector<std::string> shown_;
};

class DriveListBinding : public InputBinding {
public:
    DriveListBinding(host::DriveListBox& drives, QComboBox* widget, FormView& view)
        : InputBinding(drives, widget, view), drives_(drives), widget_(widget) {
        widget->setEditable(false);
        connect(widget, &QComboBox::activated, this,
                [this](int row) { Act([this, row] { drives_.SetDrive(drives_.List(row)); }); });
    }

protected:
    void SyncKind() override {
        const auto& items = drives_.Items();
        int index = -1;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (host::CompareIgnoringCase(items[i], drives_.Drive()) == 0) index = static_cast<int>(i);
        ShowComboEntries(*widget_, items, shown_, index);
    }

private:
    host::DriveListBox& drives_;
    QComboBox* widget_;
    std::vector<std::string> shown_;
};

// Shows rows in a list widget, rebuilding it only when they changed, and marks one.
void ShowListRows(ModelListWidget& widget, const QStringList& rows, QStringList& shown, int current) {
    const QSignalBlocker block(&widget);
    if (rows != shown) {
        shown = rows;
        widget.clear();
        widget.addItems(rows);
    }
    if (widget.currentRow() != current) {
        if (current < 0) {
            widget.setCurrentRow(-1);
            widget.clearSelection();
        } else {
            widget.setCurrentRow(current);
            widget.scrollToItem(widget.item(current));
        }
    }
}

// List boxes and file lists: a click chooses the entry.
class ListBinding : public InputBinding {
public:
    ListBinding(host::ListControl& list, ModelListWidget* widget, FormView& view)
        : InputBinding(list, widget, view), list_(list), widget_(widget) {
        widget->setSelectionMode(QAbstractItemView::SingleSelection);
        widget->setUniformItemSizes(true);
        connect(widget, &ModelListWidget::chosen, this,
                [this](int row) { Act([this, row] { list_.ChooseItem(row); }); });
    }

protected:
    void SyncKind() override {
        if (list_.Items() != items_) {
            items_ = list_.Items();
            rows_.clear();
            rows_.reserve(static_cast<qsizetype>(items_.size()));
            for (const std::string& item : items_) rows_.push_back(ToQString(item));
        }
        ShowListRows(*widget_, rows_, shown_, static_cast<int>(list_.ListIndex()));
    }

private:
    host::ListControl& list_;
    ModelListWidget* widget_;
    std::vector<std::string> items_;
    QStringList rows_;
    QStringList shown_;
};

// A folder list: the open folder's ancestors and sub-folders; a double-click opens a
// folder, a click on a sub-folder chooses it.
class DirListBinding : public InputBinding {
public:
    DirListBinding(host::DirListBox& folders, ModelListWidget* widget, FormView& view)
        : InputBinding(folders, widget, view), folders_(folders), widget_(widget) {
        widget->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(widget, &ModelListWidget::chosen, this, [this](int row) {
            const long sub = row - OpenRows();
            if (sub >= 0) Act([this, sub] { folders_.ChooseItem(sub); });
        });
        connect(widget, &ModelListWidget::activatedRow, this, [this](int row) {
            if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
            const std::string path = ToStdString(rows_[static_cast<std::size_t>(row)].path);
            Act([this, path] { folders_.SetPath(path); });
        });
    }

protected:
    void SyncKind() override {
        rows_ = FolderRows(folders_.Path(), folders_.Items());
        QStringList texts;
        for (const FolderRow& row : rows_) texts.push_back(row.shown);
        const int current =
            folders_.ListIndex() >= 0 ? OpenRows() + static_cast<int>(folders_.ListIndex()) : OpenRows() - 1;
        ShowListRows(*widget_, texts, shown_, current);
    }

private:
    int OpenRows() const {
        int open = 0;
        for (const FolderRow& row : rows_) open += row.open ? 1 : 0;
        return open;
    }

    host::DirListBox& folders_;
    ModelListWidget* widget_;
    std::vector<FolderRow> rows_;
    QStringList shown_;
};

// A control of a kind the front end does not draw: an empty, transparent widget in its place.
class PlainBinding : public ControlBinding {
public:
    using ControlBinding::ControlBinding;
};

template <class Control, class Widget, class Binding>
std::unique_ptr<ControlBinding> Make(Control& control, QWidget* parent, FormView& view) {
    auto* widget = new Widget(parent);
    widget->setObjectName(ToQString(control.Name()));
    return std::make_unique<Binding>(control, widget, view);
}

}  // namespace

std::unique_ptr<ControlBinding> BindControl(host::Control& control, QWidget* parent, FormView& view) {
    if (auto* c = dynamic_cast<host::Label*>(&control))
        return Make<host::Label, ClickLabel, LabelBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::Image*>(&control))
        return Make<host::Image, ClickLabel, ImageBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::Frame*>(&control))
        return Make<host::Frame, QGroupBox, FrameBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::CommandButton*>(&control))
        return Make<host::CommandButton, FaceButton, ButtonBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::CheckBox*>(&control))
        return Make<host::CheckBox, WrappingCheckBox, CheckBoxBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::OptionButton*>(&control))
        return Make<host::OptionButton, WrappingOptionButton, OptionBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::TextBox*>(&control))
        return Make<host::TextBox, ModelLineEdit, TextBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::ComboBox*>(&control))
        return Make<host::ComboBox, FieldComboBox, ComboBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::DriveListBox*>(&control))
        return Make<host::DriveListBox, FieldComboBox, DriveListBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::DirListBox*>(&control))
        return Make<host::DirListBox, ModelListWidget, DirListBinding>(*c, parent, view);
    if (auto* c = dynamic_cast<host::ListControl*>(&control))
        return Make<host::ListControl, ModelListWidget, ListBinding>(*c, parent, view);
    return Make<host::Control, QWidget, PlainBinding>(control, parent, view);
}

}  // namespace desktop
