// The Preferences window, and telling the user about a hot key the desktop refused.
#include "hotkey/HotKeyManager.h"
#include "launcher/Activation.h"
#include "launcher/Controller.h"
#include "platform/WindowSystem.h"
#include "preferences/PreferencesController.h"
#include "preferences/PreferencesWindow.h"
#include "presentation/TroviaWindow.h"

#include <QLineEdit>

void Controller::showPreferencePanel()
{
    if (!prefController) {
        prefController = std::make_unique<PreferencesController>(
            services.settings, services.hotKeys, services.excludedLocations, services.loginItems,
            registry);
        if (PreferencesWindow *made = prefController->window()) {
            // Window managers hand the focus back only to windows listed in the taskbar, which
            // Trovia's main window is not: closing the Preferences gives it back to the field.
            connect(made, &QDialog::finished, this, [this] {
                if (!activation->isHidden() && window->isVisible()) {
                    window->activateWindow();
                    services.windowSystem.activate(window->windowHandle(), 0);
                    field->setFocus(Qt::ActiveWindowFocusReason);
                }
            });
        }
    }
    PreferencesWindow *preferences = prefController->window();
    if (!preferences)
        return;
    if (activation->isHidden()) {
        // Trovia comes back with the windows it had, the Preferences last and so in front.
        activation->restoreInFront(preferences);
        activate();
        return;
    }
    preferences->show();
    preferences->raise();
    services.windowSystem.activate(preferences->windowHandle(), 0);
}

void Controller::showHotKeyProblem(const QString &title, const QString &message)
{
    pendingHotKeyTitle = title;
    pendingHotKeyProblem = message;
    // During start-up there is no window yet, and a hidden Trovia (started at login) shows none by
    // itself: the message waits until the user brings Trovia up.
    if (listPanel && !activation->isHidden())
        showPendingHotKeyProblem();
}

void Controller::showPendingHotKeyProblem()
{
    if (pendingHotKeyProblem.isEmpty() || !listPanel)
        return;
    const QString title = std::exchange(pendingHotKeyTitle, QString());
    const QString message = std::exchange(pendingHotKeyProblem, QString());
    // A registration that worked meanwhile makes the message old news.
    HotKeyManager &hotKeys = services.hotKeys;
    if (!hotKeys.isRegistrationRefused() || hotKeys.isBoundByUser())
        return;
    hotKeys.refusalTold();
    // A change made in the Preferences is refused there, in the window the user is looking at.
    if (prefController && prefController->isWindowLoaded() && prefController->window()->isVisible())
        return;
    // Told inside the main window, where it never takes the focus from the field: the title in
    // the empty field, the whole message as its tool tip, both until Trovia hides.
    field->setPlaceholderText(title);
    field->setToolTip(message);
}

void Controller::clearHotKeyProblem()
{
    if (!field)
        return;
    field->setPlaceholderText(QString());
    field->setToolTip(QString());
}
