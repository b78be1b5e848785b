#include "ui/file_picker.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace sondrel {

namespace {
// Qt's file dialog records its history in the "QtProject" settings whenever
// it closes. Sondrel keeps no configuration but its own, so whatever the
// dialog writes there is put back as it was, down to the file's absence.
class DialogHistoryKeeper {
public:
    DialogHistoryKeeper()
    {
        QSettings settings(QSettings::UserScope, QStringLiteral("QtProject"));
        path_ = settings.fileName();
        existed_ = QFileInfo::exists(path_);
        settings.beginGroup(QStringLiteral("FileDialog"));
        for (const QString& key : settings.allKeys())
            kept_.insert(key, settings.value(key));
    }
    DialogHistoryKeeper(const DialogHistoryKeeper&) = delete;
    DialogHistoryKeeper& operator=(const DialogHistoryKeeper&) = delete;

    ~DialogHistoryKeeper()
    {
        {
            QSettings settings(QSettings::UserScope, QStringLiteral("QtProject"));
            settings.remove(QStringLiteral("FileDialog"));
            settings.beginGroup(QStringLiteral("FileDialog"));
            for (auto value = kept_.cbegin(); value != kept_.cend(); ++value)
                settings.setValue(value.key(), value.value());
            settings.endGroup();
            settings.sync();
            if (existed_ || !settings.allKeys().isEmpty())
                return;
        }
        QFile::remove(path_);
    }

private:
    QString path_;
    bool existed_ = false;
    QVariantMap kept_;
};
}  // namespace

QString QtFilePicker::PickFile(const FileDialogRequest& request, QWidget* parent)
{
    const DialogHistoryKeeper history;  // outlives the dialog, which writes when it goes
    QFileDialog dialog(parent, request.Title, request.InitialFile, request.Filter);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    // Neither variant insists that the file exists: a name typed for a
    // file still to come is taken as it is, and the conversion says what is
    // wrong with it. Nor does saving ask about replacing: the conversion asks.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(request.Kind == FileDialogKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace sondrel
