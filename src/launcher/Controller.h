#pragma once

#include "catalogue/Application.h"
#include "launcher/Services.h"

#include <QObject>
#include <QPointer>
#include <memory>

class Activation;
class ApplicationRegistry;
class Catalogue;
class CustomFieldEditor;
class ExclusionMessagePanel;
class Menus;
class PreferencesController;
class QAction;
class QLineEdit;
class QMenu;
class QTableView;
class QTimer;
class QWidget;
class QuerySession;
class ResultListWindow;
class MainView;
class TroviaWindow;

// The one owner of launcher state, coordinating the classes that each hold one part of it:
// activation and hiding (Activation), the query session (typing, the result list, its selection,
// launching and revealing; QuerySession), the menus and the tray icon (Menus) and the message after
// an exclusion (ExclusionMessagePanel). The Controller itself starts Trovia up and shuts it down,
// keeps the catalogue up to date, and opens the Preferences.
class Controller : public QObject
{
    Q_OBJECT
public:
    // registry: where the catalogue comes from (GIO in the program), which also names the desktop
    // actions the Preferences list; neither it nor the services are owned.
    Controller(ApplicationRegistry &registry, const Services &services, QObject *parent = nullptr);
    ~Controller() override;

    // Start-up, in order: settings and colour preset, hot key, main view, window at its saved
    // place, result list, catalogue, excluded locations, the settings' signals. Shows the window
    // (for a request made at the X time timestamp, 0 for now) unless startHidden.
    void applicationDidFinishLaunching(bool startHidden = false, quint32 timestamp = 0);
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
    // fromBinding: it was "trovia --toggle", run by the user's own key binding.
    void secondStartRequested(const QByteArray &token, bool fromBinding = false);
    bool isActive() const;

    // Opens the Preferences window, made on first use and reused, in front with the focus.
    void showPreferencePanel();

    // Excluding the selection: its path joins the excluded locations, then the message panel
    // shows unless the user turned it off.
    void excludeSelection();

    // Catalogue upkeep. Builds run on a worker thread; catalogueBuildLanded() runs on this
    // thread each time one has been swapped in.
    void rebuildApplicationList();
    void catalogueBuildLanded();
    void refreshIfApplicationsChanged();
    void refreshFromTimer();
    void windowAppearanceChanged();

    Catalogue &catalogue() const { return *apps; }

Q_SIGNALS:
    // The user chose Quit.
    void quitRequested();

private:
    // The tests' view of the parts.
    friend class ControllerFixture;

    // What an activation and a deactivation change beyond the windows: the catalogue's upkeep and
    // the field.
    void applicationDidBecomeActive();
    void applicationDidResignActive();
    void loadMainView();
    void createMainWindow();
    void createListView();
    void showContentNow();
    void showAlert(const QString &titleKey, const QString &messageKey);
    void showHotKeyProblem(const QString &title, const QString &message);
    void showPendingHotKeyProblem();
    void clearHotKeyProblem();
    void startRefreshTimer();
    void stopRefreshTimer();

    Services services;
    ApplicationRegistry &registry;
    std::unique_ptr<Catalogue> apps;
    QuerySession *session;
    Menus *menus;
    ExclusionMessagePanel *exclusionPanel;
    Activation *activation;

    TroviaWindow *window = nullptr;
    MainView *mainView = nullptr;
    QLineEdit *field = nullptr;
    ResultListWindow *listPanel = nullptr;
    CustomFieldEditor *fieldEditor = nullptr;
    QTimer *autoRefreshTimer = nullptr;
    std::unique_ptr<PreferencesController> prefController;

    // A hot key problem that no notification told, kept until Trovia's window is up.
    QString pendingHotKeyTitle;
    QString pendingHotKeyProblem;
};
