// Excluding the selected application, and the message that tells where to undo it.
#include "Controller.h"
#include "ExcludedLocationsManager.h"
#include "InterfaceLoader.h"
#include "ResourcePaths.h"
#include "ScreenCoordinates.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "SystemLog.h"
#include "TroviaWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

void Controller::excludeSelection()
{
    const ApplicationRef app = selectedApplication();
    if (!app)
        return;
    // Synchronous: the list has dropped the application when this returns.
    ExcludedLocationsManager::sharedManager().addPath(app->path());
    showMessageIfAppropriate();
}

void Controller::showMessageIfAppropriate()
{
    Settings &settings = Settings::standard();
    if (!settings.boolean(ShowFullscreenMessageKey))
        return;

    // A fresh panel each time; the outlets follow the newest one.
    InterfaceLoader loader;
    QFile file(resourcePath(QStringLiteral("ExclusionMessagePanel.ui")));
    QWidget *root = file.open(QIODevice::ReadOnly) ? loader.load(&file, window) : nullptr;
    exclusionMessagePanel = qobject_cast<QDialog *>(root);
    if (!exclusionMessagePanel) {
        delete root;
        systemLog(QStringLiteral("Failed loading ExclusionMessagePanel.nib"));
        return;
    }
    exclusionMessageFlag =
        exclusionMessagePanel->findChild<QCheckBox *>(QStringLiteral("exclusionMessageFlag"));
    if (auto *button = exclusionMessagePanel->findChild<QAbstractButton *>(
            QStringLiteral("closeMessagePanelButton")))
        connect(button, &QAbstractButton::clicked, this, &Controller::closeMessagePanel);

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
        settings.setBool(ShowFullscreenMessageKey, false);
    if (exclusionMessagePanel) {
        exclusionMessagePanel->close();
        delete exclusionMessagePanel;
    }
}

void Controller::closeMessagePanel()
{
    if (exclusionMessagePanel)
        exclusionMessagePanel->accept();
}
