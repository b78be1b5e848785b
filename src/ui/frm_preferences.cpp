#include "ui/frm_preferences.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "ui/window_geometry.h"

namespace sondrel {

namespace {
void AddLabel(QWidget* parent, const char* name, const char* caption, double top)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(DesignFont("Courier New", 9.75, true));
    SetTwipsGeometry(*label, 120, top, 2175, 255);
}

// The dialog offers each choice by the text it stores.
template <class Meaning>
QStringList StoredTexts(std::span<const PreferenceChoice<Meaning>> choices)
{
    QStringList texts;
    for (const PreferenceChoice<Meaning>& choice : choices)
        texts << QString::fromUtf8(choice.Stored.data(), static_cast<qsizetype>(choice.Stored.size()));
    return texts;
}

// A stored text that is none of the items (a hand-edited store) shows the
// default item, the first one, rather than an empty list.
void SelectItem(QComboBox& list, const std::string& text)
{
    const int index = list.findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    list.setCurrentIndex(index >= 0 ? index : 0);
}
}  // namespace

frmPreferences::frmPreferences(Preferences& preferences, QWidget* owner)
    : FixedDialog(QStringLiteral("Preferences"), owner), preferences_(preferences)
{
    setObjectName(QStringLiteral("frmPreferences"));
    setModal(true);
    SetClientSizeTwips(6000, 2610);

    QPushButton* ok = AddButton(QStringLiteral("OK"), "OKButton");
    SetTwipsGeometry(*ok, 4440, 240, 1215, 375);
    QPushButton* cancel = AddButton(QStringLiteral("Cancel"), "CancelButton");
    SetTwipsGeometry(*cancel, 4440, 720, 1215, 375);
    AddLabel(this, "Label1", "List Seperator:", 240);
    dropListSeperator_ = AddList("dropListSeperator", StoredTexts(ListSeparatorChoices()), 240);
    AddLabel(this, "Label2", "Date Format:", 720);
    dropDateFormat_ = AddList("dropDateFormat", StoredTexts(DateTimeFormChoices()), 720);
    AddLabel(this, "Label3", "Time Format:", 1200);
    dropTimeFormat_ = AddList("dropTimeFormat", StoredTexts(DateTimeFormChoices()), 1200);
    QPushButton* defaults = AddButton(QStringLiteral("Defaults"), "cmdDefaults");
    SetTwipsGeometry(*defaults, 2400, 1800, 1215, 375);

    SetTabOrder({ok, cancel, dropListSeperator_, dropDateFormat_, dropTimeFormat_, defaults});

    connect(ok, &QPushButton::clicked, this, &frmPreferences::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &frmPreferences::CancelButton_Click);
    connect(defaults, &QPushButton::clicked, this, &frmPreferences::cmdDefaults_Click);
    Form_Load();
    ok->setFocus();
}

QComboBox* frmPreferences::AddList(const char* name, const QStringList& items, double top)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(false);
    list->addItems(items);
    list->setFont(DesignFont("Arial", 9));
    SetTwipsGeometry(*list, 2400, top, 1695, 345);
    return list;
}

void frmPreferences::Form_Load()
{
    SelectItem(*dropListSeperator_, preferences_.ListSeparator);
    SelectItem(*dropDateFormat_, preferences_.DateFormat);
    SelectItem(*dropTimeFormat_, preferences_.TimeFormat);
}

void frmPreferences::OKButton_Click()
{
    preferences_.ListSeparator = dropListSeperator_->currentText().toStdString();
    preferences_.DateFormat = dropDateFormat_->currentText().toStdString();
    preferences_.TimeFormat = dropTimeFormat_->currentText().toStdString();
    hide();
}

void frmPreferences::CancelButton_Click()
{
    hide();
}

void frmPreferences::cmdDefaults_Click()
{
    preferences_ = Preferences{};
    Form_Load();
}

}  // namespace sondrel
