#include "preferences/PreferencesWindow.h"

#include "ui_Preferences.h"

#include <QEvent>

PreferencesWindow::PreferencesWindow(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::PreferencesWindow>())
{
    ui->setupUi(this);
}

PreferencesWindow::~PreferencesWindow() = default;

void PreferencesWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Q_EMIT becameKey();
}
