#include "launcher/ExclusionMessagePanel.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "presentation/ScreenCoordinates.h"
#include "ui_ExclusionMessagePanel.h"

#include <QGuiApplication>
#include <QScreen>

ExclusionMessagePanel::ExclusionMessagePanel(Settings &store, QObject *parent)
    : QObject(parent), settings(store)
{
}

void ExclusionMessagePanel::showMessageIfAppropriate(QWidget *parentWindow)
{
    if (!settings.value(ShowFullscreenMessageKey))
        return;

    // A fresh panel each time; the outlets follow the newest one.
    exclusionMessagePanel = new QDialog(parentWindow);
    Ui::ExclusionMessagePanel ui;
    ui.setupUi(exclusionMessagePanel);
    exclusionMessageFlag = ui.exclusionMessageFlag;
    connect(ui.closeMessagePanelButton, &QAbstractButton::clicked, this,
            &ExclusionMessagePanel::closeMessagePanel);

    // Centred across the main screen, its middle at two thirds of the screen's height.
    exclusionMessagePanel->adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize panel = exclusionMessagePanel->size();
    const TroviaPoint origin{float(screen.width() - panel.width()) * 0.5f,
                             float(screen.height()) * 2.0f / 3.0f - float(panel.height()) * 0.5f};
    exclusionMessagePanel->move(ScreenCoordinates::topLeftForOrigin(origin, panel.height()));

    exclusionMessagePanel->setWindowModality(Qt::ApplicationModal);
    exclusionMessagePanel->raise();
    exclusionMessagePanel->exec();

    if (exclusionMessageFlag && exclusionMessageFlag->isChecked())
        settings.setValue(ShowFullscreenMessageKey, false);
    if (exclusionMessagePanel) {
        exclusionMessagePanel->close();
        delete exclusionMessagePanel;
    }
}

void ExclusionMessagePanel::closeMessagePanel()
{
    if (exclusionMessagePanel)
        exclusionMessagePanel->accept();
}
