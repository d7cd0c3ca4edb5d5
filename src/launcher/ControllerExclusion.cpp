// Excluding the selected application, and the message that tells where to undo it.
#include "core/ResourcePaths.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "core/SystemLog.h"
#include "launcher/Controller.h"
#include "preferences/ExcludedLocationsManager.h"
#include "presentation/InterfaceLoader.h"
#include "presentation/ScreenCoordinates.h"
#include "presentation/TroviaWindow.h"

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
    services.excludedLocations.addPath(app->path());
    showMessageIfAppropriate();
}

void Controller::showMessageIfAppropriate()
{
    Settings &settings = services.settings;
    if (!settings.boolean(ShowFullscreenMessageKey))
        return;

    // A fresh panel each time; the outlets follow the newest one.
    InterfaceLoader loader;
    exclusionMessagePanel =
        loader.loadRoot<QDialog>(QStringLiteral("ExclusionMessagePanel.ui"), window,
                                 QStringLiteral("ExclusionMessagePanel.nib"));
    if (!exclusionMessagePanel)
        return;
    exclusionMessageFlag =
        InterfaceLoader::child<QCheckBox>(exclusionMessagePanel, "exclusionMessageFlag");
    if (auto *button = InterfaceLoader::child<QAbstractButton>(exclusionMessagePanel,
                                                               "closeMessagePanelButton"))
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
