#include "ui/web_engine_setup.h"

#include <QCoreApplication>
#include <QtGlobal>

#include "ui/document_page.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace sondrel {

void PrepareWebEngineEnvironment()
{
#ifndef _WIN32
    // The engine's sandbox cannot start for the root user; everyone else
    // keeps it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    RegisterDocumentScheme();
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.split(' ').contains("--disable-gpu")) {
        if (!flags.isEmpty())
            flags += ' ';
        flags += "--disable-gpu";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace sondrel
