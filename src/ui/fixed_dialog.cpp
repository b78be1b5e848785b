#include "ui/fixed_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/window_geometry.h"

namespace sondrel {

QFont DesignFont(const char* family, double points, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

FixedDialog::FixedDialog(const QString& caption, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
}

QPushButton* FixedDialog::AddButton(const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void FixedDialog::SetClientSizeTwips(double width, double height)
{
    const double tpp = TwipsPerPixelOf(*this);
    setFixedSize(TwipsToPixels(width, tpp), TwipsToPixels(height, tpp));
}

void FixedDialog::SetTabOrder(std::initializer_list<QWidget*> order)
{
    for (auto widget = order.begin(); widget + 1 < order.end(); ++widget)
        setTabOrder(*widget, *(widget + 1));
}

void FixedDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void FixedDialog::closeEvent(QCloseEvent* event)
{
    // QDialog would route the close box through reject(); here it simply
    // closes, and WA_DeleteOnClose unloads the window.
    event->accept();
}

}  // namespace sondrel
