#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QLineEdit;
class QTimer;
class QWidget;
class WindowSystem;

// Activation and hiding: brings Trovia's windows forward with the focus in the field, hides them
// all (remembering which to show again), and follows whether Trovia is active, i.e. one of its
// windows has the keyboard focus. Losing the focus to another program deactivates Trovia, except
// for a short grace after an activation, when a hide's late focus loss may still be on its way.
class Activation : public QObject
{
    Q_OBJECT
public:
    // windowSystem brings the windows to the front with the time of the request.
    explicit Activation(WindowSystem &windowSystem, QObject *parent = nullptr);

    // The main window and its field; until then only the focus is noted.
    void setMainWindow(QWidget *window, QLineEdit *field);
    // The windows are all there: from now on Qt's reports (de)activate Trovia.
    void setStarted() { started = true; }

    // Brings the windows Trovia showed before it was hidden to the front, the main window key with
    // the field focused; timestamp: the X time of the user's request (0: now).
    void activate(quint32 timestamp = 0);
    // Hides every window of Trovia except modal dialogs and windows that bypass the window manager,
    // remembering which were shown.
    void hide();
    // Hides Trovia when its main window is shown, else activates.
    void toggle(quint32 timestamp = 0);

    // The next activation shows window too, in front of the others.
    void restoreInFront(QWidget *window);

    bool isActive() const { return active; }
    bool isHidden() const { return hidden; }

Q_SIGNALS:
    // Before the windows are hidden (the result list and passing messages go first).
    void aboutToHide();
    void becameActive();
    // Before a deactivation hides Trovia.
    void resignedActive();
    // After every activation, once the windows are in front.
    void activated();

private:
    void applicationDidBecomeActive();
    void applicationDidResignActive();
    void applicationStateChanged(Qt::ApplicationState state);
    void activationSettled();

    WindowSystem &windows;
    QWidget *window = nullptr;
    QLineEdit *field = nullptr;
    QTimer *activationGrace;
    bool started = false;
    bool active = false;
    // Whether Qt reported Trovia active since the last activation (or already did then).
    bool focusSinceActivation = false;
    bool hidden = true;
    // The windows to show again at the next activation.
    QList<QPointer<QWidget>> windowsToRestore;
};
