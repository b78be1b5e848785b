#include "ui/file_picker.h"

#include <QFileDialog>

namespace sondrel {

QString QtFilePicker::PickFile(const FileDialogRequest& request, QWidget* parent)
{
    if (request.Kind == FileDialogKind::Save)
        return QFileDialog::getSaveFileName(parent, request.Title, request.InitialFile, request.Filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    return QFileDialog::getOpenFileName(parent, request.Title, request.InitialFile, request.Filter);
}

}  // namespace sondrel
