#include "ui/frm_convert.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/conversion.h"
#include "platform/path_text.h"
#include "ui/window_geometry.h"

namespace sondrel {

namespace {
constexpr double RowTops[] = {240, 720, 1200};

}  // namespace

frmConvert::frmConvert(AppContext& context, ConversionUi& ui, QWidget* owner)
    : FixedDialog(QStringLiteral("Convert Reaper Project"), owner), context_(context), ui_(ui)
{
    setObjectName(QStringLiteral("frmConvert"));
    setModal(false);
    SetClientSizeTwips(8190, 2415);
    // The client area, not the frame a window manager adds, stands at this place.
    const double tpp = TwipsPerPixelOf(*this);
    setGeometry(QRect(QPoint(TwipsToPixels(2760, tpp), TwipsToPixels(3750, tpp)), size()));
    BuildRows();
    BuildButtons();
    SetTabOrder({OKButton_, CancelButton_, lbReaperFile_, lbHTMLFile_, lbTemplateFile_, cmdReaperFile_, cmdHTMLFile_,
                 cmdTemplateFile_});
    Form_Load();
    OKButton_->setFocus();
}

void frmConvert::BuildRows()
{
    const char* captions[] = {"Reaper Project File:", "Output HTML File:", "Conversion Template:"};
    const char* fieldNames[] = {"lbReaperFile", "lbHTMLFile", "lbTemplateFile"};
    const char* buttonNames[] = {"cmdReaperFile", "cmdHTMLFile", "cmdTemplateFile"};
    QLineEdit** fields[] = {&lbReaperFile_, &lbHTMLFile_, &lbTemplateFile_};
    QPushButton** buttons[] = {&cmdReaperFile_, &cmdHTMLFile_, &cmdTemplateFile_};

    QFont browseFont = font();  // the system's family, at the captions' size
    browseFont.setPointSizeF(9.75);
    browseFont.setBold(true);

    for (int row = 0; row < 3; ++row) {
        auto* label = new QLabel(QString::fromLatin1(captions[row]), this);
        label->setFont(DesignFont("Courier New", 9.75, true));
        SetTwipsGeometry(*label, 0, RowTops[row], 2535, 285);

        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(fieldNames[row]));
        field->setFont(DesignFont("Arial", 9));
        SetTwipsGeometry(*field, 2520, RowTops[row], 5055, 285);
        *fields[row] = field;

        QPushButton* button = AddButton(QStringLiteral("..."), buttonNames[row]);
        button->setFont(browseFont);
        SetTwipsGeometry(*button, 7680, RowTops[row], 375, 255);
        *buttons[row] = button;
    }

    connect(cmdReaperFile_, &QPushButton::clicked, this, [this] {
        Browse({lbReaperFile_, FileDialogKind::Open, QStringLiteral("Open Reaper Project File"),
                QStringLiteral("Reaper Files (*.rpp)")});
    });
    connect(cmdHTMLFile_, &QPushButton::clicked, this, [this] {
        Browse({lbHTMLFile_, FileDialogKind::Save, QStringLiteral("Save as HTML File"),
                QStringLiteral("HTML Files (*.htm)")});
    });
    connect(cmdTemplateFile_, &QPushButton::clicked, this, [this] {
        Browse({lbTemplateFile_, FileDialogKind::Open, QStringLiteral("Open Conversion Template File"),
                QStringLiteral("Template HTML Files (*.htm);;Text Files (*.txt)")});
    });
}

void frmConvert::BuildButtons()
{
    OKButton_ = AddButton(QStringLiteral("OK"), "OKButton");
    SetTwipsGeometry(*OKButton_, 2640, 1800, 1215, 375);
    CancelButton_ = AddButton(QStringLiteral("Cancel"), "CancelButton");
    SetTwipsGeometry(*CancelButton_, 4440, 1800, 1215, 375);
    connect(OKButton_, &QPushButton::clicked, this, &frmConvert::OKButton_Click);
    connect(CancelButton_, &QPushButton::clicked, this, &frmConvert::CancelButton_Click);
}

void frmConvert::Form_Load()
{
    lbReaperFile_->setText(PathText(context_.Paths.LastReaperFile));
    lbHTMLFile_->setText(PathText(context_.Paths.LastHTMLFile));
    lbTemplateFile_->setText(PathText(context_.Paths.LastTemplateFile));
    // Show where each path starts, as a long path is read from the left.
    for (QLineEdit* field : {lbReaperFile_, lbHTMLFile_, lbTemplateFile_})
        field->setCursorPosition(0);
}

void frmConvert::OKButton_Click()
{
    const ConversionRequest request{PathBytes(lbReaperFile_->text()), PathBytes(lbHTMLFile_->text()),
                                    PathBytes(lbTemplateFile_->text()), nullptr};
    ConversionContext conversion = ConversionContextFor(context_, ui_);
    RunConversion(request, conversion);
}

void frmConvert::CancelButton_Click()
{
    hide();
}

void frmConvert::Browse(const BrowseTarget& target)
{
    const QString chosen =
        context_.Files.PickFile({target.Kind, target.Title, target.Field->text(), target.Filter}, this);
    if (!chosen.isEmpty()) {
        target.Field->setText(chosen);
        target.Field->setCursorPosition(0);
    }
}

}  // namespace sondrel
