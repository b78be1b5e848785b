#include "ui/frm_main.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "shell/settings.h"
#include "ui/document_page.h"
#include "ui/frm_about.h"
#include "ui/frm_convert.h"
#include "ui/frm_preferences.h"
#include "platform/path_text.h"
#include "ui/print_chooser.h"
#include "ui/window_geometry.h"

namespace sondrel {

namespace {
QAction* AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setMenuRole(QAction::NoRole);
    return action;
}

void AddSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// The local project file among dropped files, if any.
QString DroppedProject(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (path.endsWith(QStringLiteral(".rpp"), Qt::CaseInsensitive))
            return path;
    }
    return {};
}
}  // namespace

frmMain::frmMain(AppContext& context) : context_(context)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    setAcceptDrops(true);

    auto* client = new QWidget(this);
    setCentralWidget(client);
    WebBrowser1_ = new QWebEngineView(client);
    WebBrowser1_->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1_->setPage(new DocumentPage(WebBrowser1_));
    GuardProfile(*WebBrowser1_->page()->profile());
    WebBrowser1_->move(0, 0);
    // Dropped files go to the window (which opens the conversion dialog),
    // not to the view, which would navigate to them.
    WebBrowser1_->setAcceptDrops(false);
    // A regenerated output under the same name must be read afresh.
    WebBrowser1_->page()->profile()->setHttpCacheType(QWebEngineProfile::NoCache);
    connect(WebBrowser1_, &QWebEngineView::printFinished, this, [this](bool success) {
        printer_.reset();
        emit PrintingFinished(success);
    });
    connect(WebBrowser1_, &QWebEngineView::pdfPrintingFinished, this,
            [this](const QString&, bool success) { emit PrintingFinished(success); });
    BuildMenus();
    BuildViewMenu();
}

frmMain::~frmMain() = default;

void frmMain::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    connect(AddItem(file, "mnuFileConvert", QStringLiteral("&Convert...")), &QAction::triggered, this,
            &frmMain::mnuFileConvert_Click);
    connect(AddItem(file, "mnuFilePrint", QStringLiteral("Print...")), &QAction::triggered, this,
            &frmMain::mnuFilePrint_Click);
    AddSeparator(file, "mnuBar2");
    connect(AddItem(file, "mnuFilePrefs", QStringLiteral("&Preferences")), &QAction::triggered, this,
            &frmMain::mnuFilePrefs_Click);
    AddSeparator(file, "mnuFileBar0");
    connect(AddItem(file, "mnuFileExit", QStringLiteral("E&xit")), &QAction::triggered, this, &QWidget::close);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(AddItem(help, "mnuHelpContents", QStringLiteral("Contents")), &QAction::triggered, this,
            &frmMain::ShowHelpPage);
    connect(AddItem(help, "mnuHelpAbout", QStringLiteral("&About ")), &QAction::triggered, this,
            &frmMain::mnuHelpAbout_Click);
}

// The view's own menu offers what a printed document needs: copying its
// text and printing it. Nothing in it leaves the document (back, forward,
// reload, view source, save page).
void frmMain::BuildViewMenu()
{
    WebBrowser1_->setContextMenuPolicy(Qt::ActionsContextMenu);
    WebBrowser1_->addAction(WebBrowser1_->pageAction(QWebEnginePage::Copy));
    WebBrowser1_->addAction(WebBrowser1_->pageAction(QWebEnginePage::SelectAll));
    auto* separator = new QAction(WebBrowser1_);
    separator->setSeparator(true);
    WebBrowser1_->addAction(separator);
    auto* print = new QAction(QStringLiteral("Print..."), WebBrowser1_);
    print->setObjectName(QStringLiteral("mnuViewPrint"));
    connect(print, &QAction::triggered, this, &frmMain::mnuFilePrint_Click);
    WebBrowser1_->addAction(print);
}

void frmMain::Start()
{
    Form_Load();
    ShowHelpPage();
    show();
}

void frmMain::Form_Load()
{
    const std::string defaultTemplate = DefaultTemplatePath(context_.ApplicationDirectory, QDir::separator().toLatin1());
    LoadSettings(context_.Store, defaultTemplate, placement_, context_.Paths, context_.Prefs);
    ApplyOuterPlacement(*this, placement_);
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    PlaceAgainOnceFramed();
}

void frmMain::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    PlaceAgainOnceFramed();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    PlaceAgainOnceFramed();
    Form_Resize();
}

// Until a window manager frames the window, its outer size is its client
// size, so the placement applied at load gave the client the outer size.
// Once the frame is known (at showing, or later when the window manager
// reports it), apply the placement again; otherwise every run would store a
// window one frame larger than the last.
void frmMain::PlaceAgainOnceFramed()
{
    if (placedWithFrame_ || !isVisible() || frameGeometry().size() == geometry().size())
        return;
    placedWithFrame_ = true;
    if (windowState() == Qt::WindowNoState)
        ApplyOuterPlacement(*this, placement_);
}

void frmMain::Form_Resize()
{
    const WindowPlacement outer = OuterPlacementOf(*this);
    WebBrowser1_->resize(
        BrowserSizeForOuterSize(outer.Width, outer.Height, WebBrowser1_->size(), TwipsPerPixelOf(*this)));
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    for (auto window = loadedWindows_.rbegin(); window != loadedWindows_.rend(); ++window) {
        if (*window)
            (*window)->close();
    }
    loadedWindows_.clear();
    const WindowPlacement current = UnchangedValuesKept(placement_, OuterPlacementOf(*this), TwipsPerPixelOf(*this));
    SaveSettings(context_.Store, isMinimized(), current, context_.Paths, context_.Prefs);
}

MessageAnswer frmMain::ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title)
{
    return context_.Messages.ShowMessage(text, buttons, title);
}

void frmMain::HideConversionDialog()
{
    if (convert_)
        convert_->hide();
}

void frmMain::ShowInBrowser(const std::string& path)
{
    const QUrl url = DocumentPage::UrlForFile(PathText(path));
    // Loading the page already shown would be answered from what the view
    // holds; a conversion has just rewritten the file, so read it again.
    if (WebBrowser1_->url() == url)
        WebBrowser1_->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    else
        WebBrowser1_->load(url);
}

void frmMain::ShowHelpPage()
{
    ShowInBrowser(context_.ApplicationDirectory + QDir::separator().toLatin1() + "sondrel.htm");
}

void frmMain::ShowInFront(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void frmMain::RememberLoaded(QWidget* window)
{
    std::erase_if(loadedWindows_, [](const QPointer<QWidget>& loaded) { return loaded.isNull(); });
    loadedWindows_.emplace_back(window);
}

void frmMain::OpenConversionDialog(const QString& projectPath)
{
    if (!convert_) {
        convert_ = new frmConvert(context_, *this, this);
        RememberLoaded(convert_);
    }
    if (!projectPath.isEmpty())
        convert_->ReaperFileField()->setText(projectPath);
    ShowInFront(*convert_);
}

void frmMain::mnuFileConvert_Click()
{
    OpenConversionDialog();
}

void frmMain::mnuFilePrefs_Click()
{
    if (!preferences_) {
        preferences_ = new frmPreferences(context_.Prefs, this);
        RememberLoaded(preferences_);
    }
    ShowInFront(*preferences_);
}

void frmMain::mnuHelpAbout_Click()
{
    if (!about_) {
        about_ = new frmAbout(context_.Messages, this);
        RememberLoaded(about_);
    }
    ShowInFront(*about_);
}

void frmMain::mnuFilePrint_Click()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    ProposePdfBesideOutput(*printer);
    if (!context_.Printing.ChoosePrinter(*printer, this))
        return;
    if (PrintsToFile(*printer)) {
        // Printing to a file keeps the page's text as text; the printer path
        // would rasterise it.
        WebBrowser1_->printToPdf(printer->outputFileName(), printer->pageLayout());
        return;
    }
    if (printer_)
        return;  // a job is still running; the view prints one page at a time
    printer_ = std::move(printer);
    WebBrowser1_->print(printer_.get());
}

// Printing into a file proposes the last output's name with ".pdf", beside
// it, rather than a "print.pdf" in the home folder. A printer stays the
// first choice.
void frmMain::ProposePdfBesideOutput(QPrinter& printer) const
{
    if (context_.Paths.LastHTMLFile.empty())
        return;
    const QFileInfo output(PathText(context_.Paths.LastHTMLFile));
    printer.setOutputFileName(output.dir().filePath(output.completeBaseName() + QStringLiteral(".pdf")));
    printer.setOutputFormat(QPrinter::NativeFormat);
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedProject(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dragMoveEvent(QDragMoveEvent* event)
{
    if (!DroppedProject(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QString project = DroppedProject(event->mimeData());
    if (project.isEmpty())
        return;
    event->acceptProposedAction();
    OpenConversionDialog(project);
}

}  // namespace sondrel
