#pragma once

#include "shell/user_interface.h"
#include "ui/app_context.h"
#include "ui/file_picker.h"
#include "ui/fixed_dialog.h"

class QLineEdit;
class QPushButton;

namespace sondrel {

// The conversion dialog: three paths, each with a browse button; OK runs the
// conversion, Cancel hides the dialog with its texts kept. Modeless. Loading
// it fills the fields from the remembered paths.
class frmConvert : public FixedDialog {
    Q_OBJECT
public:
    frmConvert(AppContext& context, ConversionUi& ui, QWidget* owner);

    QLineEdit* ReaperFileField() const { return lbReaperFile_; }

private:
    struct BrowseTarget {
        QLineEdit* Field;
        FileDialogKind Kind;
        QString Title;
        QString Filter;
    };

    void BuildRows();
    void BuildButtons();
    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();
    void Browse(const BrowseTarget& target);

    AppContext& context_;
    ConversionUi& ui_;
    QLineEdit* lbReaperFile_ = nullptr;
    QLineEdit* lbHTMLFile_ = nullptr;
    QLineEdit* lbTemplateFile_ = nullptr;
    QPushButton* cmdReaperFile_ = nullptr;
    QPushButton* cmdHTMLFile_ = nullptr;
    QPushButton* cmdTemplateFile_ = nullptr;
    QPushButton* OKButton_ = nullptr;
    QPushButton* CancelButton_ = nullptr;
};

}  // namespace sondrel
