#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <vector>

#include "shell/user_interface.h"
#include "ui/app_context.h"
#include "ui/frm_about.h"
#include "ui/frm_convert.h"
#include "ui/frm_preferences.h"

class QPrinter;
class QWebEngineView;

namespace sondrel {

// The main window: a browser view that fills it, and the File and Help menus.
// It is loaded from the remembered placement, shows the help page at start,
// the output after each conversion, and saves everything when it closes.
class frmMain : public QMainWindow, public ConversionUi {
    Q_OBJECT
public:
    explicit frmMain(AppContext& context);
    ~frmMain() override;

    // Start-up: load the settings, start the help page, show the window.
    void Start();

    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                              const std::string& title = ApplicationTitle) override;
    void HideConversionDialog() override;
    void ShowInBrowser(const std::string& path) override;
    void ShowHelpPage();

    // Shows the conversion dialog, loading it when needed; a non-empty
    // project path replaces the project field's text.
    void OpenConversionDialog(const QString& projectPath = {});

    QWebEngineView* Browser() const { return WebBrowser1_; }
    frmConvert* ConversionDialog() const { return convert_; }
    frmPreferences* PreferencesDialog() const { return preferences_; }
    frmAbout* AboutBox() const { return about_; }

signals:
    // A print job has ended: printed, written to a PDF file, or failed.
    void PrintingFinished(bool success);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void PlaceAgainOnceFramed();
    void mnuFileConvert_Click();
    void mnuFilePrint_Click();
    void ProposePdfBesideOutput(QPrinter& printer) const;
    void BuildViewMenu();
    void mnuFilePrefs_Click();
    void mnuHelpAbout_Click();
    static void ShowInFront(QWidget& window);
    void RememberLoaded(QWidget* window);

    AppContext& context_;
    QWebEngineView* WebBrowser1_ = nullptr;
    QPointer<frmConvert> convert_;
    QPointer<frmPreferences> preferences_;
    QPointer<frmAbout> about_;
    std::vector<QPointer<QWidget>> loadedWindows_;  // in loading order
    std::unique_ptr<QPrinter> printer_;            // alive while a print job runs
    WindowPlacement placement_;
    bool placedWithFrame_ = false;
};

}  // namespace sondrel
