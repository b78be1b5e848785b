#pragma once

#include "format/preferences.h"
#include "ui/fixed_dialog.h"

class QComboBox;

namespace sondrel {

// The preferences dialog: three pick-only lists for the list separator and
// the date and time forms. OK stores the choices in memory and hides the
// dialog, Cancel only hides it, Defaults restores the defaults at once.
// Modal; hiding keeps it loaded as the user left it.
class frmPreferences : public FixedDialog {
    Q_OBJECT
public:
    frmPreferences(Preferences& preferences, QWidget* owner);

private:
    QComboBox* AddList(const char* name, const QStringList& items, double top);
    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();
    void cmdDefaults_Click();

    Preferences& preferences_;
    QComboBox* dropListSeperator_ = nullptr;
    QComboBox* dropDateFormat_ = nullptr;
    QComboBox* dropTimeFormat_ = nullptr;
};

}  // namespace sondrel
