#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace sondrel {

// Ends the program as File > Exit does (every window closed, the settings
// saved) when the desktop session ends or the system asks it to stop with
// SIGTERM, SIGHUP or SIGINT, instead of letting it die with the settings
// unsaved. One at a time: it owns the process's handlers for those signals.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(QWidget& mainWindow);
    ~SessionEnd() override;

private:
    void CloseMainWindow();
    void Stop();

    QWidget& mainWindow_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace sondrel
