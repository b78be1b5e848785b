#pragma once

#include <QDialog>
#include <QFont>

#include <initializer_list>

class QPushButton;

namespace sondrel {

// The windows' lettering: "Courier New" for captions, "Arial" for fields.
QFont DesignFont(const char* family, double points, bool bold = false);

// A fixed-size dialog with a close box and no minimise or maximise box, whose
// buttons are bound to no key: Escape does nothing, Enter presses only the
// button that has the focus. Closing it with the close box unloads it (the
// window is deleted); hiding it keeps it loaded with its contents.
class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(const QString& caption, QWidget* owner);

protected:
    // A push button that is nobody's default.
    QPushButton* AddButton(const QString& caption, const char* name);
    void SetClientSizeTwips(double width, double height);
    // Tab moves through the widgets in this order.
    void SetTabOrder(std::initializer_list<QWidget*> order);

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace sondrel
