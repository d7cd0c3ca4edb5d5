#include "launcher/Activation.h"

#include "platform/WindowSystem.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace
{
constexpr int activationGraceMs = 500;
} // namespace

Activation::Activation(WindowSystem &windowSystem, QObject *parent)
    : QObject(parent), windows(windowSystem), activationGrace(new QTimer(this))
{
    activationGrace->setSingleShot(true);
    activationGrace->setInterval(activationGraceMs);
    connect(activationGrace, &QTimer::timeout, this, &Activation::activationSettled);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &Activation::applicationStateChanged);
}

void Activation::setMainWindow(QWidget *mainWindow, QLineEdit *queryField)
{
    window = mainWindow;
    field = queryField;
}

void Activation::activate(quint32 timestamp)
{
    hidden = false;
    const QList<QPointer<QWidget>> others = std::exchange(windowsToRestore, {});
    windows.showOnAllDesktops(window->windowHandle());
    window->show();
    window->raise();
    for (const QPointer<QWidget> &other : others) {
        if (other && other != window) {
            other->show();
            other->raise();
        }
    }
    // The window that caused the activation (the last one remembered) ends up in front.
    QWidget *front = window;
    for (const QPointer<QWidget> &other : others) {
        if (other)
            front = other;
    }
    // Qt's own activation too: the widgets learn of it even where the platform reports nothing.
    front->activateWindow();
    windows.activate(front->windowHandle(), timestamp);
    if (front == window)
        field->setFocus(Qt::ActiveWindowFocusReason);
    // The focus loss of a hide just before may still be on its way (Qt reports it up to 400 ms
    // late); it must not hide Trovia again.
    activationGrace->start();
    focusSinceActivation = QGuiApplication::applicationState() == Qt::ApplicationActive;
    if (!active)
        applicationDidBecomeActive();
    Q_EMIT activated();
}

void Activation::applicationDidBecomeActive()
{
    active = true;
    Q_EMIT becameActive();
}

void Activation::hide()
{
    if (hidden)
        return;
    hidden = true;
    Q_EMIT aboutToHide();
    windowsToRestore.clear();
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        // A modal dialog stays: hiding it would end it. A window that bypasses the window
        // manager is not one the user brings up: the tray icon's, under an XEmbed tray.
        if (!widget->isVisible() || widget->isModal() || widget->windowType() == Qt::Popup ||
            widget->windowType() == Qt::ToolTip ||
            widget->windowFlags().testFlag(Qt::BypassWindowManagerHint))
            continue;
        windowsToRestore << widget;
        if (widget != window)
            widget->hide();
    }
    // The main window comes back first; whatever else was shown comes back in front of it.
    windowsToRestore.removeAll(window);
    window->hide();
    if (active)
        applicationDidResignActive();
}

void Activation::toggle(quint32 timestamp)
{
    if (window->isVisible())
        hide();
    else
        activate(timestamp);
}

void Activation::applicationDidResignActive()
{
    active = false;
    Q_EMIT resignedActive();
    if (!hidden)
        hide();
}

void Activation::restoreInFront(QWidget *other)
{
    windowsToRestore.removeAll(other);
    windowsToRestore << other;
}

void Activation::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive)
        focusSinceActivation = true;
    // Early in start-up (the window is shown before the list exists) only the focus is noted.
    if (!started)
        return;
    if (state == Qt::ApplicationActive) {
        if (!active && !hidden)
            applicationDidBecomeActive();
    } else if (active && !activationGrace->isActive()) {
        applicationDidResignActive();
    }
}

void Activation::activationSettled()
{
    // A focus loss during the grace is acted on now, if it still holds. A window the desktop
    // never gave the focus stays: hiding it would look like a failure to start.
    if (active && focusSinceActivation &&
        QGuiApplication::applicationState() != Qt::ApplicationActive)
        applicationDidResignActive();
}
