#include "ui_harness.h"

#include <QWebEnginePage>
#include <QWebEngineView>
#include <optional>

namespace sondrel::testing {

QString PageText(QWebEngineView& view)
{
    // Read without script (the view runs none), into an answer shared with
    // the callback, which may still arrive after the wait gave up.
    auto answer = std::make_shared<std::optional<QString>>();
    view.page()->toPlainText([answer](const QString& text) { *answer = text; });
    return QTest::qWaitFor([&] { return answer->has_value(); }, 10000) ? answer->value().trimmed() : QString();
}

}  // namespace sondrel::testing
