#include "ui/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace sondrel {

MessageAnswer QtMessageBox::ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(QString::fromStdString(title.empty() ? std::string(ApplicationTitle) : title));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    if (buttons == MessageButtons::OkCancel)
        box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(ok);
    box.exec();
    // Cancel, Escape and the close box all count as "not OK".
    return box.clickedButton() == ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace sondrel
