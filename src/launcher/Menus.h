#pragma once

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QWidget;

// The main window's context menu, the tray icon with its menu, and their keyboard shortcuts.
// The items ask for what they do through signals; the Controller carries it out.
class Menus : public QObject
{
    Q_OBJECT
public:
    // hasOneSelectedRow: whether revealing and excluding have something to act on.
    explicit Menus(std::function<bool()> hasOneSelectedRow, QObject *parent = nullptr);

    // Makes the items, the window's menu and shortcuts at once; the tray icon once the event loop
    // runs (it is not needed to type).
    void createMenus(QWidget *window);

    // Enabled state of a menu item: revealing and excluding need a non-empty matching list with
    // one row selected; everything else is always enabled.
    bool validateMenuItem(const QAction *item) const;
    void validateMenus();
    void showWebsite();
    void donate();

    QMenu *contextMenu() const { return windowMenu; }
    QAction *showInFileManagerAction() const { return showInFileManagerItem; }
    QAction *excludeAction() const { return excludeItem; }

Q_SIGNALS:
    void revealRequested();
    void excludeRequested();
    void preferencesRequested();
    void quitRequested();
    // A click on the tray icon.
    void toggleRequested();

private:
    void createTrayIcon();

    std::function<bool()> hasOneSelectedRow;
    QMenu *windowMenu = nullptr;
    QMenu *trayMenu = nullptr;
    QSystemTrayIcon *trayIcon = nullptr;
    QAction *showInFileManagerItem = nullptr;
    QAction *excludeItem = nullptr;
    QAction *websiteItem = nullptr;
    QAction *donateItem = nullptr;
    QAction *quitItem = nullptr;
    QAction *preferencesItem = nullptr;
};
