#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

namespace sondrel {

// A document is made from a project file that anyone may have written, so
// the view treats every page as untrusted: no script runs, nothing reaches
// the network, and the page cannot read other local files or navigate the
// view elsewhere. Links to web pages open in the system's browser when
// clicked; links within the page keep working.
class DocumentPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit DocumentPage(QObject* parent = nullptr);
    // On a profile of the caller's, which must have been guarded.
    explicit DocumentPage(QWebEngineProfile* profile, QObject* parent = nullptr);

    // The address that shows the file at path as HTML, whatever its name.
    static QUrl UrlForFile(const QString& path);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
};

// Lets through only what a shown document names on this computer (its
// images, style sheets and fonts); every request for the network, WebSocket
// included, and every frame, worker or script request is blocked.
class LocalRequestFilter : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

// Serves a document whose file name does not say HTML (the save dialog adds
// no extension) as HTML.
class DocumentSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override;
};

// Must run before the QApplication exists.
void RegisterDocumentScheme();

// Puts the request filter and the document scheme on the profile the view uses.
void GuardProfile(QWebEngineProfile& profile);

}  // namespace sondrel
