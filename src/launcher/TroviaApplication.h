#pragma once

#include <QApplication>

class Controller;

// Trovia's application object: the hot key's press is recognised before normal dispatch (by the
// hot key manager's native event filter) and toggles Trovia, as does a request from a second start.
class TroviaApplication : public QApplication
{
    Q_OBJECT
public:
    TroviaApplication(int &argc, char **argv);

    // Not owned; the hot key and toggle requests go to it.
    void setController(Controller *controller);

public Q_SLOTS:
    // timestamp: the X server time of the press.
    void hotKeyPressed(quint32 timestamp);
    // A second start asked to toggle; token is its startup ID or activation token, if any.
    void toggleRequested(const QByteArray &token);

private:
    Controller *controller = nullptr;
};
