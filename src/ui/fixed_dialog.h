#pragma once

#include <QDialog>

class QPushButton;

namespace sondrel {

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

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace sondrel
