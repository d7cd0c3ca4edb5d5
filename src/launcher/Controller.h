#pragma once

#include "catalogue/Application.h"
#include "launcher/Services.h"

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class ApplicationRegistry;
class Catalogue;
class CustomFieldEditor;
class QAction;
class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QSystemTrayIcon;
class QTableView;
class QTimer;
class QWidget;
class PreferencesController;
class ResultListModel;
class ResultListWindow;
class TroviaProgressIndicator;
class TroviaView;
class TroviaWindow;

// The one owner of launcher state: the catalogue, the matching list, the main window with its
// field, the result list, the menus and the refresh timer. It starts Trovia up, brings it forward
// and hides it, turns typing into the result list and acts on the selected application.
//
// Trovia is active while one of its windows has the keyboard focus. Hiding (hot key, Escape,
// revealing, a launch) runs the deactivation at once; losing the focus to another program runs it
// when Qt reports it.
class Controller : public QObject
{
    Q_OBJECT
public:
    // registry: where the catalogue comes from (GIO in the program); neither it nor the services
    // are owned.
    Controller(ApplicationRegistry &registry, const Services &services, QObject *parent = nullptr);
    ~Controller() override;

    // Start-up, in order: settings and colour preset, hot key, main view, window at its saved
    // place, result list, catalogue, excluded locations, observers. Shows the window (for a request
    // made at the X time timestamp, 0 for now) unless startHidden.
    void applicationDidFinishLaunching(bool startHidden = false, quint32 timestamp = 0);
    void applicationDidBecomeActive();
    void applicationDidResignActive();
    // Saves the main window's origin; runs at every quit, signals and session end included.
    void applicationWillTerminate();

    // Brings the windows Trovia showed before it was hidden to the front, the main window key with
    // the field focused; timestamp: the X time of the user's request (0: now).
    void activate(quint32 timestamp = 0);
    // Hides every window of Trovia except modal dialogs, remembering which were shown.
    void hide();
    // The hot key and a second start: hides Trovia when its main window is shown, else activates.
    void toggle(quint32 timestamp = 0);
    // A second start asked to toggle; token is its startup ID or activation token, if any.
    void secondStartRequested(const QByteArray &token);
    bool isActive() const { return active; }

    // Enabled state of a menu item: revealing and excluding need a non-empty matching list with
    // one row selected; everything else is always enabled.
    bool validateMenuItem(const QAction *item) const;
    void showWebsite();
    void donate();
    // Opens the Preferences window, made on first use and reused, in front with the focus.
    void showPreferencePanel();

    // Query entry and selection.
    void userDidType(QObject *sender);
    void showListForTypedCharacters();
    void showList();
    void hideList();
    void moveDown();
    void moveUp();
    // Page Down and Page Up: by as many rows as the list shows, stopping at the ends.
    void movePageDown();
    void movePageUp();
    void userCancelled();
    void reset();

    // Launching and revealing. Ctrl held reveals instead of launching.
    void userConfirmed(Qt::KeyboardModifiers modifiers);
    void showSelectionInFinder();
    // The matching-list entry at the one selected row, when the field holds text; else null.
    ApplicationRef selectedApplication() const;

    // Excluding the selection: its path joins the excluded locations, then the message panel
    // (ExclusionMessagePanel.ui, application-modal) shows unless the user turned it off.
    void excludeSelection();
    void showMessageIfAppropriate();
    void closeMessagePanel();

    // Catalogue upkeep. Builds run on a worker thread; catalogueBuildLanded() runs on this
    // thread each time one has been swapped in.
    void rebuildApplicationList();
    void catalogueBuildLanded();
    void refreshIfApplicationsChanged();
    void refreshFromTimer();
    void getExcludedLocations();
    void excludedLocationsChanged();
    void buildMatchingApplicationList();
    void rebuildMatchingApplicationList();

    // Result list and appearance.
    void createListView();
    void setupListFrame();
    void windowAppearanceChanged();

    // What the rest of Trovia and the tests look at.
    Catalogue &catalogue() const { return *apps; }
    const ApplicationList &matchingApps() const { return matching; }
    const QStringList &excludedLocations() const { return excluded; }
    TroviaWindow *mainWindow() const { return window; }
    QLineEdit *textField() const { return field; }
    ResultListWindow *listWindow() const { return listPanel; }
    QTableView *list() const { return table; }
    QMenu *contextMenu() const { return windowMenu; }
    QAction *showInFileManagerAction() const { return showInFileManagerItem; }
    QAction *excludeAction() const { return excludeItem; }
    QAction *quitAction() const { return quitItem; }
    QAction *preferencesAction() const { return preferencesItem; }
    PreferencesController *preferencesController() const { return prefController.get(); }
    bool hasRefreshTimer() const { return autoRefreshTimer != nullptr; }

Q_SIGNALS:
    // The user chose Quit.
    void quitRequested();

private:
    void loadMainView();
    void createMainWindow();
    void showContentNow();
    void setClassicIconOnList();
    void createMenus();
    void createTrayIcon();
    void validateMenus();
    void applicationStateChanged(Qt::ApplicationState state);
    void activationSettled();
    void showAlert(const QString &titleKey, const QString &messageKey);
    void showHotKeyProblem(const QString &title, const QString &message);
    void showPendingHotKeyProblem();
    int selectedRow() const;
    void selectRow(int row);
    void moveSelection(int rows);
    int visibleRowCount() const;
    void announceSelection(bool listChanged);
    void startRefreshTimer();
    void stopRefreshTimer();

    Services services;
    std::unique_ptr<Catalogue> apps;
    ApplicationList matching;
    QStringList excluded;

    TroviaWindow *window = nullptr;
    TroviaView *mainView = nullptr;
    QLineEdit *field = nullptr;
    TroviaProgressIndicator *progressIndicator = nullptr;
    QLabel *troviaLabel = nullptr;
    ResultListWindow *listPanel = nullptr;
    QTableView *table = nullptr;
    ResultListModel *model = nullptr;
    QIcon classicIcon;
    CustomFieldEditor *fieldEditor = nullptr;
    QTimer *autoRefreshTimer = nullptr;
    QTimer *activationGrace;
    // The field's accessible description from its interface, spoken while the field is empty.
    QString fieldHelp;

    QMenu *windowMenu = nullptr;
    QMenu *trayMenu = nullptr;
    QSystemTrayIcon *trayIcon = nullptr;
    QAction *showInFileManagerItem = nullptr;
    QAction *excludeItem = nullptr;
    // The newest exclusion message panel and its check box that turns the message off.
    QPointer<QDialog> exclusionMessagePanel;
    QPointer<QCheckBox> exclusionMessageFlag;
    QAction *websiteItem = nullptr;
    QAction *donateItem = nullptr;
    QAction *quitItem = nullptr;
    QAction *preferencesItem = nullptr;
    std::unique_ptr<PreferencesController> prefController;

    // A hot key problem that no notification told, kept until Trovia's window is up.
    QString pendingHotKeyTitle;
    QString pendingHotKeyProblem;
    QPointer<QWidget> hotKeyProblemBox;
    bool active = false;
    // Whether Qt reported Trovia active since the last activation (or already did then).
    bool focusSinceActivation = false;
    bool hidden = true;
    // The windows to show again at the next activation (the result list aside).
    QList<QPointer<QWidget>> windowsToRestore;
};
