#include "ui/frm_about.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/system_info.h"
#include "ui/window_geometry.h"

namespace sondrel {

namespace {
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QFont& font, double top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setWordWrap(true);
    SetTwipsGeometry(*label, 240, top, 5400, 480);
    return label;
}

void AddLine(QWidget* parent, double top)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    SetTwipsGeometry(*line, 120, top, 5640, 30);
}
}  // namespace

QString VersionLine()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(SONDREL_VERSION_MAJOR)
        .arg(SONDREL_VERSION_MINOR)
        .arg(SONDREL_VERSION_REVISION);
}

frmAbout::frmAbout(MessageBox& messages, QWidget* owner)
    : FixedDialog(QStringLiteral("About Sondrel"), owner), messages_(messages)
{
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    SetClientSizeTwips(5880, 2880);
    BuildControls();
    Form_Load();
}

void frmAbout::BuildControls()
{
    lblTitle_ = AddLabel(this, "lblTitle", QStringLiteral("Application Title"), DesignFont("Courier New", 12, true), 120);
    lblVersion_ = AddLabel(this, "lblVersion", QStringLiteral("Version"), DesignFont("Courier New", 9.75), 600);
    AddLine(this, 1080);
    AddLabel(this, "lblDescription",
             QStringLiteral("Sondrel converts Reaper project files into an HTML formatted pages."),
             DesignFont("Courier New", 9.75), 1200);
    AddLine(this, 1800);

    QPushButton* ok = AddButton(QStringLiteral("OK"), "cmdOK");
    SetTwipsGeometry(*ok, 4320, 1980, 1335, 375);
    QPushButton* sysInfo = AddButton(QStringLiteral("&System Info..."), "cmdSysInfo");
    SetTwipsGeometry(*sysInfo, 2760, 1980, 1455, 375);
    connect(ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    ok->setFocus();
}

void frmAbout::Form_Load()
{
    lblVersion_->setText(VersionLine());
    lblTitle_->setText(QString::fromLatin1(ApplicationTitle));
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    if (!StartSystemInfoProgram())
        messages_.ShowMessage("System Information Is Unavailable At This Time", MessageButtons::Ok);
}

}  // namespace sondrel
