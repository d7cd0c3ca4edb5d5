#include "preferences/PreferencesWindow.h"

#include <QEvent>

PreferencesWindow::PreferencesWindow(QWidget *parent) : QDialog(parent) {}

void PreferencesWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Q_EMIT becameKey();
}
