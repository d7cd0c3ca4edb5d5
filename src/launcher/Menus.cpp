#include "launcher/Menus.h"

#include "core/LocalizedStrings.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QImageReader>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace
{

// Bitmaps rather than the SVG, read as PNG without asking Qt's image plugins what the files are:
// either would load plugins (the SVG engine among them) for this icon alone. Made once and shared
// by the tray and every window (Qt asks for each size whenever a window is shown).
QIcon troviaIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128}) {
        QImageReader reader(QStringLiteral(":/trovia/icons/%1x%1/trovia.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return QIcon::fromTheme(QStringLiteral("trovia"), icon);
}

void openLocalizedUrl(const QString &key)
{
    QDesktopServices::openUrl(QUrl(LocalizedStrings::text(key)));
}

} // namespace

Menus::Menus(std::function<bool()> selectionPredicate, QObject *parent)
    : QObject(parent), hasOneSelectedRow(std::move(selectionPredicate))
{
}

void Menus::createMenus(QWidget *window)
{
    showInFileManagerItem =
        new QAction(LocalizedStrings::text(QStringLiteral("ShowInFileManagerMenuItem")), this);
    showInFileManagerItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    connect(showInFileManagerItem, &QAction::triggered, this, &Menus::revealRequested);

    // Ctrl+Shift+Delete: no editing key of the field uses it.
    excludeItem = new QAction(LocalizedStrings::text(QStringLiteral("ExcludeMenuItem")), this);
    excludeItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
    connect(excludeItem, &QAction::triggered, this, &Menus::excludeRequested);

    // Website and Donate exist only when the string table gives their addresses.
    if (LocalizedStrings::contains(QStringLiteral("WebsiteURL"))) {
        websiteItem = new QAction(LocalizedStrings::text(QStringLiteral("WebsiteMenuItem")), this);
        connect(websiteItem, &QAction::triggered, this, &Menus::showWebsite);
    }
    if (LocalizedStrings::contains(QStringLiteral("DonationURL"))) {
        donateItem = new QAction(LocalizedStrings::text(QStringLiteral("DonateMenuItem")), this);
        connect(donateItem, &QAction::triggered, this, &Menus::donate);
    }

    preferencesItem =
        new QAction(LocalizedStrings::text(QStringLiteral("PreferencesMenuItem")), this);
    preferencesItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    preferencesItem->setMenuRole(QAction::PreferencesRole);
    connect(preferencesItem, &QAction::triggered, this, &Menus::preferencesRequested);

    quitItem = new QAction(LocalizedStrings::text(QStringLiteral("QuitMenuItem")), this);
    quitItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quitItem->setMenuRole(QAction::QuitRole);
    connect(quitItem, &QAction::triggered, this, &Menus::quitRequested);

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
        connect(menu, &QMenu::aboutToShow, this, &Menus::validateMenus);
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
            [this, window](const QPoint &position) {
                windowMenu->popup(window->mapToGlobal(position));
            });

    // The tray icon and the window icon wait for the event loop: they are not needed to type.
    QTimer::singleShot(0, this, [this, fillMenu, window] {
        trayMenu = new QMenu(window);
        fillMenu(trayMenu);
        createTrayIcon();
    });
    validateMenus();
}

void Menus::createTrayIcon()
{
    const QIcon icon = troviaIcon();
    trayIcon = new QSystemTrayIcon(icon, this);
    trayIcon->setToolTip(QStringLiteral("Trovia"));
    trayIcon->setContextMenu(trayMenu);
    connect(trayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    Q_EMIT toggleRequested();
            });
    if (QSystemTrayIcon::isSystemTrayAvailable())
        trayIcon->show();
    QApplication::setWindowIcon(icon);
}

bool Menus::validateMenuItem(const QAction *item) const
{
    if (item == showInFileManagerItem || item == excludeItem)
        return hasOneSelectedRow();
    return true;
}

void Menus::validateMenus()
{
    for (QAction *item :
         {showInFileManagerItem, excludeItem, websiteItem, donateItem, preferencesItem, quitItem}) {
        if (item)
            item->setEnabled(validateMenuItem(item));
    }
}

void Menus::showWebsite()
{
    openLocalizedUrl(QStringLiteral("WebsiteURL"));
}

void Menus::donate()
{
    openLocalizedUrl(QStringLiteral("DonationURL"));
}
