#pragma once

#include "shell/user_interface.h"
#include "ui/fixed_dialog.h"

class QLabel;

namespace sondrel {

// The About box: the program's name, version and purpose, and a button that
// starts the system's information tool. Modal; OK unloads it.
class frmAbout : public FixedDialog {
    Q_OBJECT
public:
    frmAbout(MessageBox& messages, QWidget* owner);

    void StartSysInfo();

private:
    void BuildControls();
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    MessageBox& messages_;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;
};

// "Version 1.0.6": major, minor and revision of this build.
QString VersionLine();

}  // namespace sondrel
