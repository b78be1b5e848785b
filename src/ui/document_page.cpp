#include "ui/document_page.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace sondrel {

namespace {
const QByteArray kDocumentScheme = QByteArrayLiteral("sondrel-document");

bool IsLocal(const QUrl& url)
{
    const QString scheme = url.scheme();
    return url.isLocalFile() || scheme == QLatin1String(kDocumentScheme) || scheme == QLatin1String("data");
}

bool NamesHtml(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("htm") || suffix == QLatin1String("html") || suffix == QLatin1String("xhtml");
}

// Web pages a user may want to follow from a document; anything else (a
// local program, a custom handler) is never started from a click in it.
bool OpensInSystemBrowser(const QUrl& url)
{
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto");
}

void Harden(QWebEngineSettings& settings)
{
    using Setting = QWebEngineSettings::WebAttribute;
    for (const Setting off : {Setting::JavascriptEnabled, Setting::JavascriptCanOpenWindows,
                              Setting::JavascriptCanAccessClipboard, Setting::JavascriptCanPaste,
                              Setting::LocalContentCanAccessRemoteUrls,
                              Setting::PluginsEnabled, Setting::PdfViewerEnabled, Setting::DnsPrefetchEnabled,
                              Setting::HyperlinkAuditingEnabled, Setting::AllowRunningInsecureContent,
                              Setting::AllowGeolocationOnInsecureOrigins, Setting::NavigateOnDropEnabled,
                              Setting::AllowWindowActivationFromJavaScript, Setting::ScreenCaptureEnabled,
                              Setting::WebGLEnabled})
        settings.setAttribute(off, false);
    // Local content keeps access to file addresses so that a document shows
    // the images and style sheets beside it; with script off and the request
    // filter in place, nothing can read a file, only display what it names.
    settings.setAttribute(Setting::LocalContentCanAccessFileUrls, true);
    settings.setAttribute(Setting::WebRTCPublicInterfacesOnly, true);
    settings.setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
}
}  // namespace

DocumentPage::DocumentPage(QObject* parent) : QWebEnginePage(parent)
{
    Harden(*settings());
}

DocumentPage::DocumentPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent)
{
    Harden(*settings());
}

QUrl DocumentPage::UrlForFile(const QString& path)
{
    const QUrl file = QUrl::fromLocalFile(path);
    if (NamesHtml(path))
        return file;
    QUrl document = file;
    document.setScheme(QString::fromLatin1(kDocumentScheme));
    return document;
}

bool DocumentPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (!isMainFrame)
        return false;  // frames would show other files inside the document
    if (type == NavigationTypeLinkClicked) {
        if (url.adjusted(QUrl::RemoveFragment) == this->url().adjusted(QUrl::RemoveFragment))
            return true;  // a link within the page
        if (OpensInSystemBrowser(url))
            QDesktopServices::openUrl(url);
        return false;
    }
    // What the program itself loads or reloads, and moves back and forth
    // between those; never a redirect, a form or a refresh from the page.
    const bool ours = type == NavigationTypeTyped || type == NavigationTypeReload || type == NavigationTypeBackForward;
    return ours && IsLocal(url);
}

QWebEnginePage* DocumentPage::createWindow(WebWindowType)
{
    return nullptr;
}

void LocalRequestFilter::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    using Type = QWebEngineUrlRequestInfo::ResourceType;
    switch (info.resourceType()) {
    case Type::ResourceTypeMainFrame:
    case Type::ResourceTypeStylesheet:
    case Type::ResourceTypeImage:
    case Type::ResourceTypeFontResource:
    case Type::ResourceTypeFavicon:
    case Type::ResourceTypeMedia:
        info.block(!IsLocal(info.requestUrl()));
        return;
    default:
        info.block(true);
    }
}

void DocumentSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    QUrl fileUrl = job->requestUrl();
    fileUrl.setScheme(QStringLiteral("file"));
    auto* file = new QFile(fileUrl.toLocalFile(), job);
    if (!QFileInfo(*file).isFile() || !file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(QByteArrayLiteral("text/html"), file);
}

void RegisterDocumentScheme()
{
    QWebEngineUrlScheme scheme(kDocumentScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void GuardProfile(QWebEngineProfile& profile)
{
    if (profile.urlSchemeHandler(kDocumentScheme) == nullptr)
        profile.installUrlSchemeHandler(kDocumentScheme, new DocumentSchemeHandler(&profile));
    profile.setUrlRequestInterceptor(new LocalRequestFilter(&profile));
}

}  // namespace sondrel
