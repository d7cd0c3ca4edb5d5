// Menus: the main window's context menu, the tray icon's menu and their keyboard shortcuts.
#include "core/LocalizedStrings.h"
#include "hotkey/HotKeyManager.h"
#include "launcher/Controller.h"
#include "platform/x11/WindowActivation.h"
#include "preferences/PreferencesController.h"
#include "preferences/PreferencesWindow.h"
#include "presentation/TroviaWindow.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QTimer>
#include <QUrl>

namespace
{

QIcon troviaIcon()
{
    return QIcon::fromTheme(QStringLiteral("trovia"), QIcon(QStringLiteral(":/trovia/trovia.svg")));
}

void openLocalizedUrl(const QString &key)
{
    QDesktopServices::openUrl(QUrl(LocalizedStrings::text(key)));
}

} // namespace

void Controller::createMenus()
{
    showInFileManagerItem =
        new QAction(LocalizedStrings::text(QStringLiteral("ShowInFileManagerMenuItem")), this);
    showInFileManagerItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    connect(showInFileManagerItem, &QAction::triggered, this, &Controller::showSelectionInFinder);

    // Ctrl+Shift+Delete: no editing key of the field uses it.
    excludeItem = new QAction(LocalizedStrings::text(QStringLiteral("ExcludeMenuItem")), this);
    excludeItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
    connect(excludeItem, &QAction::triggered, this, &Controller::excludeSelection);

    // Website and Donate exist only when the string table gives their addresses.
    if (LocalizedStrings::contains(QStringLiteral("WebsiteURL"))) {
        websiteItem = new QAction(LocalizedStrings::text(QStringLiteral("WebsiteMenuItem")), this);
        connect(websiteItem, &QAction::triggered, this, &Controller::showWebsite);
    }
    if (LocalizedStrings::contains(QStringLiteral("DonationURL"))) {
        donateItem = new QAction(LocalizedStrings::text(QStringLiteral("DonateMenuItem")), this);
        connect(donateItem, &QAction::triggered, this, &Controller::donate);
    }

    preferencesItem =
        new QAction(LocalizedStrings::text(QStringLiteral("PreferencesMenuItem")), this);
    preferencesItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    preferencesItem->setMenuRole(QAction::PreferencesRole);
    connect(preferencesItem, &QAction::triggered, this, &Controller::showPreferencePanel);

    quitItem = new QAction(LocalizedStrings::text(QStringLiteral("QuitMenuItem")), this);
    quitItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quitItem->setMenuRole(QAction::QuitRole);
    connect(quitItem, &QAction::triggered, this, &Controller::quitRequested);

    auto fillMenu = [this](QMenu *menu) {
        menu->addAction(showInFileManagerItem);
        menu->addAction(excludeItem);
        if (websiteItem || donateItem)
            menu->addSeparator();
        if (websiteItem)
            menu->addAction(websiteItem);
        if (donateItem)
            menu->addAction(donateItem);
        menu->addSeparator();
        menu->addAction(preferencesItem);
        menu->addSeparator();
        menu->addAction(quitItem);
        connect(menu, &QMenu::aboutToShow, this, &Controller::validateMenus);
    };

    // The shortcuts work while the main window has the focus.
    window->addAction(showInFileManagerItem);
    window->addAction(excludeItem);
    window->addAction(preferencesItem);
    window->addAction(quitItem);
    windowMenu = new QMenu(window);
    fillMenu(windowMenu);
    window->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(window, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &position) { windowMenu->popup(window->mapToGlobal(position)); });

    // The tray icon and the window icon wait for the event loop: they are not needed to type.
    QTimer::singleShot(0, this, [this, fillMenu] {
        trayMenu = new QMenu(window);
        fillMenu(trayMenu);
        createTrayIcon();
    });
    validateMenus();
}

void Controller::createTrayIcon()
{
    trayIcon = new QSystemTrayIcon(troviaIcon(), this);
    trayIcon->setToolTip(QStringLiteral("Trovia"));
    trayIcon->setContextMenu(trayMenu);
    connect(trayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    toggle();
            });
    if (QSystemTrayIcon::isSystemTrayAvailable())
        trayIcon->show();
    QApplication::setWindowIcon(troviaIcon());
}

bool Controller::validateMenuItem(const QAction *item) const
{
    if (item == showInFileManagerItem || item == excludeItem) {
        const QItemSelectionModel *selection = table ? table->selectionModel() : nullptr;
        return !matching.isEmpty() && selection && selection->selectedRows().size() == 1;
    }
    return true;
}

void Controller::validateMenus()
{
    for (QAction *item :
         {showInFileManagerItem, excludeItem, websiteItem, donateItem, preferencesItem, quitItem}) {
        if (item)
            item->setEnabled(validateMenuItem(item));
    }
}

void Controller::showWebsite()
{
    openLocalizedUrl(QStringLiteral("WebsiteURL"));
}

void Controller::donate()
{
    openLocalizedUrl(QStringLiteral("DonationURL"));
}

void Controller::showPreferencePanel()
{
    if (!prefController) {
        prefController = std::make_unique<PreferencesController>(
            services.settings, services.hotKeys, services.excludedLocations, services.loginItems);
        if (PreferencesWindow *made = prefController->window()) {
            // Window managers hand the focus back only to windows listed in the taskbar, which
            // Trovia's main window is not: closing the Preferences gives it back to the field.
            connect(made, &QDialog::finished, this, [this] {
                if (!hidden && window->isVisible()) {
                    window->activateWindow();
                    WindowActivation::activate(window->windowHandle(), 0);
                    field->setFocus(Qt::ActiveWindowFocusReason);
                }
            });
        }
    }
    PreferencesWindow *preferences = prefController->window();
    if (!preferences)
        return;
    if (hidden) {
        // Trovia comes back with the windows it had, the Preferences last and so in front.
        windowsToRestore.removeAll(preferences);
        windowsToRestore << preferences;
        activate();
        return;
    }
    preferences->show();
    preferences->raise();
    WindowActivation::activate(preferences->windowHandle(), 0);
}

void Controller::showHotKeyProblem(const QString &title, const QString &message)
{
    pendingHotKeyTitle = title;
    pendingHotKeyProblem = message;
    // During start-up there is no window yet, and a hidden Trovia (started at login) shows none by
    // itself: the message waits until the user brings Trovia up.
    if (listPanel && !hidden)
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
    if (!hotKeys.isRegistrationRefused())
        return;
    hotKeys.refusalTold();
    // A change made in the Preferences is refused there, in the window the user is looking at.
    if (prefController && prefController->isWindowLoaded() && prefController->window()->isVisible())
        return;
    delete hotKeyProblemBox;
    auto *box = new QMessageBox(QMessageBox::Warning, title, message, QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    hotKeyProblemBox = box;
    box->show();
    box->raise();
    WindowActivation::activate(box->windowHandle(), 0);
}
