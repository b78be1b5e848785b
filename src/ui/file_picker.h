#pragma once

#include <QString>

class QWidget;

namespace sondrel {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind Kind = FileDialogKind::Open;
    QString Title;
    QString InitialFile;  // the dialog opens on this file
    QString Filter;       // Qt's syntax: "Reaper Files (*.rpp)"; the first entry is selected
};

// The platform's open and save file dialogs. Neither insists that the file
// exists nor asks about replacing one: the document generator asks that.
class FilePicker {
public:
    virtual ~FilePicker() = default;
    // The chosen file's full path, or the empty text when the user cancelled.
    virtual QString PickFile(const FileDialogRequest& request, QWidget* parent) = 0;
};

class QtFilePicker : public FilePicker {
public:
    QString PickFile(const FileDialogRequest& request, QWidget* parent) override;
};

}  // namespace sondrel
