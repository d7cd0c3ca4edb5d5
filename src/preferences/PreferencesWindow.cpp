#include "preferences/PreferencesWindow.h"

#include "preferences/PreferencesController.h"

#include <QApplication>

PreferencesWindow::PreferencesWindow(QWidget *parent) : QDialog(parent)
{
    // The application's filters run before any widget, shortcut or dialog sees an event.
    qApp->installEventFilter(this);
}

PreferencesWindow::~PreferencesWindow()
{
    qApp->removeEventFilter(this);
}

void PreferencesWindow::setDelegate(PreferencesController *delegate)
{
    windowDelegate = delegate;
}

bool PreferencesWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (!windowDelegate || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget *>(watched)->window() != this)
        return false;
    return windowDelegate->handleEvent(event);
}

void PreferencesWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Q_EMIT becameKey();
}
