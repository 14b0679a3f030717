#pragma once
// The binding of each kind of control to its widget: labels and images (ClickLabel),
// frames (QGroupBox), command buttons, check boxes, option buttons, text boxes
// (ModelLineEdit), combo boxes and drive lists (QComboBox), list boxes, file lists and
// folder lists (ModelListWidget).

#include <QString>

#include <memory>
#include <string_view>

class QWidget;

namespace host {
class Control;
}

namespace desktop {

class ControlBinding;
class FormView;

// A widget for the control, made a child of parent, and its binding (not yet synced).
std::unique_ptr<ControlBinding> BindControl(host::Control& control, QWidget* parent, FormView& view);

// Positions in a text: the model counts characters (code points), Qt counts UTF-16 units.
int Utf16Position(const QString& text, long characters);
long CharacterPosition(const QString& text, int utf16);

// The rows a folder list shows for its folder: the folder's ancestors from the drive root
// down to the folder itself, then its sub-folders. For each row the full path and the
// indented name shown.
struct FolderRow {
    QString path;
    QString shown;
    bool open;  // the folder or one of its ancestors (not a sub-folder)
};
std::vector<FolderRow> FolderRows(std::string_view folder, const std::vector<std::string>& subFolders);

}  // namespace desktop
