#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP quit Trovia through the event loop, so that it saves its state as at
// a normal quit. The handler only writes a byte to a pipe; the loop does the rest.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

    // Installs the handlers; false when the pipe cannot be made (the signals then kill as usual).
    bool install();

Q_SIGNALS:
    void quitRequested(int signalNumber);

private:
    static void handle(int signalNumber);
    void readSignal();

    QSocketNotifier *notifier = nullptr;
};
