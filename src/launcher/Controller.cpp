// Start-up, activation, deactivation and shut-down.
#include "launcher/Controller.h"

#include "catalogue/Catalogue.h"
#include "core/ColorPresets.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "launcher/CustomFieldEditor.h"
#include "launcher/ExclusionMessagePanel.h"
#include "launcher/Menus.h"
#include "launcher/QuerySession.h"
#include "launcher/WindowOrigin.h"
#include "platform/x11/WindowActivation.h"
#include "platform/x11/WindowHints.h"
#include "preferences/PreferencesController.h"
#include "presentation/ResultListModel.h"
#include "presentation/ResultListWindow.h"
#include "presentation/TroviaProgressIndicator.h"
#include "presentation/TroviaView.h"
#include "presentation/TroviaWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace
{
constexpr int refreshIntervalMs = 60 * 1000;
constexpr int activationGraceMs = 500;
constexpr int firstPaintWaitMs = 200;
} // namespace

Controller::Controller(ApplicationRegistry &registry, const Services &runServices, QObject *parent)
    : QObject(parent), services(runServices), apps(std::make_unique<Catalogue>(registry)),
      session(new QuerySession(*apps, runServices, this)),
      menus(new Menus([this] { return session->hasOneSelectedRow(); }, this)),
      exclusionPanel(new ExclusionMessagePanel(runServices.settings, this)),
      activationGrace(new QTimer(this))
{
    activationGrace->setSingleShot(true);
    activationGrace->setInterval(activationGraceMs);
    connect(activationGrace, &QTimer::timeout, this, &Controller::activationSettled);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &Controller::applicationStateChanged);
}

Controller::~Controller()
{
    // Windows without a parent are Trovia's to delete; the list belongs to the main window.
    delete window;
}

void Controller::applicationDidFinishLaunching(bool startHidden, quint32 timestamp)
{
    // No setting is read before the defaults are registered.
    ColorPresets::initialize(services.settings);
    HotKeyManager &hotKeys = services.hotKeys;
    connect(&hotKeys, &HotKeyManager::hotKeyPressed, this,
            [this](quint32 pressTime) { toggle(pressTime); });
    connect(&hotKeys, &HotKeyManager::refusalNotShown, this, &Controller::showHotKeyProblem);
    hotKeys.registerHotKey();
    // applicationPath: the catalogue found Trovia's own entry when it was made.

    loadMainView();
    windowAppearanceChanged();
    createMainWindow();
    if (!startHidden) {
        activate(timestamp);
        showContentNow();
    }
    createListView();
    menus->createMenus(window);
    connect(menus, &Menus::revealRequested, session, &QuerySession::showSelectionInFinder);
    connect(menus, &Menus::excludeRequested, this, &Controller::excludeSelection);
    connect(menus, &Menus::preferencesRequested, this, &Controller::showPreferencePanel);
    connect(menus, &Menus::quitRequested, this, &Controller::quitRequested);
    connect(menus, &Menus::toggleRequested, this, [this] { toggle(); });

    connect(apps.get(), &Catalogue::buildStarted, progressIndicator,
            &TroviaProgressIndicator::startAnimation);
    connect(apps.get(), &Catalogue::buildFinished, this, &Controller::catalogueBuildLanded);
    // The last run's catalogue answers the first keys; the build replaces it when it lands.
    apps->loadSnapshot();
    apps->startBuild();
    session->getExcludedLocations();
    listPanel->model()->setClassicIcon(QIcon::fromTheme(QStringLiteral("wine")));

    fieldEditor = new CustomFieldEditor(this);
    fieldEditor->attach(field);
    connect(fieldEditor, &CustomFieldEditor::textEdited, session, &QuerySession::userDidType);
    connect(fieldEditor, &CustomFieldEditor::cancelled, session, &QuerySession::userCancelled);
    connect(fieldEditor, &CustomFieldEditor::movedDown, session, &QuerySession::moveDown);
    connect(fieldEditor, &CustomFieldEditor::movedUp, session, &QuerySession::moveUp);
    connect(fieldEditor, &CustomFieldEditor::pagedDown, session, &QuerySession::movePageDown);
    connect(fieldEditor, &CustomFieldEditor::pagedUp, session, &QuerySession::movePageUp);
    connect(fieldEditor, &CustomFieldEditor::confirmed, session, &QuerySession::userConfirmed);
    connect(session, &QuerySession::selectionChanged, menus, &Menus::validateMenus);
    connect(session, &QuerySession::hideRequested, this, &Controller::hide);
    connect(session, &QuerySession::applicationOpened, this, &Controller::hide);
    connect(session, &QuerySession::launchFailed, this, [this] {
        showAlert(QStringLiteral("CouldNotLaunchAppTitle"),
                  QStringLiteral("CouldNotLaunchAppMessage"));
        // The entry may have been moved or removed: rebuild, and match the text still typed.
        rebuildApplicationList();
    });
    Settings &settings = services.settings;
    connect(&settings, &Settings::classicAppInclusionChanged, session,
            &QuerySession::rebuildMatchingApplicationList);
    connect(&settings, &Settings::windowAppearanceChanged, this,
            &Controller::windowAppearanceChanged);
    connect(&settings, &Settings::excludedLocationsChanged, session,
            &QuerySession::excludedLocationsChanged);

    // Opened at login: inactive from the start, looking for new applications once a minute, and
    // no window until the user asks for one.
    if (startHidden)
        startRefreshTimer();
    else
        showPendingHotKeyProblem();
}

void Controller::showContentNow()
{
    // Shown in front, the window has its content at once, before the catalogue is built and the
    // event loop runs: only the window system's own events are handled until it is on screen.
    QWindow *handle = window->windowHandle();
    const QDeadlineTimer deadline(firstPaintWaitMs);
    QTimer wakeUp;
    wakeUp.start(firstPaintWaitMs);
    while (!handle->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::ExcludeSocketNotifiers |
                                        QEventLoop::WaitForMoreEvents);
    window->repaint();
}

void Controller::createMainWindow()
{
    Settings &settings = services.settings;
    std::optional<TroviaPoint> saved;
    if (settings.hasStoredValue(MainWindowXKey) && settings.hasStoredValue(MainWindowYKey))
        saved =
            TroviaPoint{settings.floatValue(MainWindowXKey), settings.floatValue(MainWindowYKey)};
    QList<TroviaRect> visibleFrames;
    for (const QScreen *screen : QGuiApplication::screens())
        visibleFrames << ScreenCoordinates::visibleFrame(screen);
    const QScreen *mainScreen = QGuiApplication::primaryScreen();
    const QSize size = mainView->size();
    const TroviaPoint origin =
        initialWindowOrigin(saved, float(size.width()), float(size.height()), visibleFrames,
                            ScreenCoordinates::fromQt(mainScreen->geometry()),
                            ScreenCoordinates::visibleFrame(mainScreen));

    window =
        new TroviaWindow(TroviaRect{origin.x, origin.y, float(size.width()), float(size.height())});
    window->setWindowTitle(QStringLiteral("Trovia"));
    window->setContentView(mainView);
}

void Controller::activate(quint32 timestamp)
{
    hidden = false;
    const QList<QPointer<QWidget>> others = std::exchange(windowsToRestore, {});
    WindowHints::showOnAllDesktops(window->windowHandle());
    window->show();
    window->raise();
    for (const QPointer<QWidget> &other : others) {
        if (other && other != window) {
            other->show();
            other->raise();
        }
    }
    // The window that caused the activation (the last one remembered) ends up in front.
    QWidget *front = window;
    for (const QPointer<QWidget> &other : others) {
        if (other)
            front = other;
    }
    // Qt's own activation too: the widgets learn of it even where the platform reports nothing.
    front->activateWindow();
    WindowActivation::activate(front->windowHandle(), timestamp);
    if (front == window)
        field->setFocus(Qt::ActiveWindowFocusReason);
    // The focus loss of a hide just before may still be on its way (Qt reports it up to 400 ms
    // late); it must not hide Trovia again.
    activationGrace->start();
    focusSinceActivation = QGuiApplication::applicationState() == Qt::ApplicationActive;
    if (!active)
        applicationDidBecomeActive();
    showPendingHotKeyProblem();
}

void Controller::secondStartRequested(const QByteArray &token)
{
    // A startup ID carries the time of the user's request; without one the server's time now
    // stands for it.
    toggle(WindowActivation::timestampFromStartupId(token));
    WindowActivation::completeStartup(token);
}

void Controller::applicationDidBecomeActive()
{
    active = true;
    refreshIfApplicationsChanged();
    stopRefreshTimer();
}

void Controller::hide()
{
    if (hidden)
        return;
    hidden = true;
    session->hideList();
    windowsToRestore.clear();
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        // A modal dialog stays: hiding it would end it. A window that bypasses the window
        // manager is not one the user brings up: the tray icon's, under an XEmbed tray.
        if (!widget->isVisible() || widget == listPanel || widget->isModal() ||
            widget->windowType() == Qt::Popup || widget->windowType() == Qt::ToolTip ||
            widget->windowFlags().testFlag(Qt::BypassWindowManagerHint))
            continue;
        // Read once is enough: the hot key message does not come back with the main window.
        if (widget == hotKeyProblemBox) {
            widget->close();
            continue;
        }
        windowsToRestore << widget;
        if (widget != window)
            widget->hide();
    }
    // The main window comes back first; whatever else was shown comes back in front of it.
    windowsToRestore.removeAll(window);
    window->hide();
    if (active)
        applicationDidResignActive();
}

void Controller::toggle(quint32 timestamp)
{
    if (window->isVisible())
        hide();
    else
        activate(timestamp);
}

void Controller::applicationDidResignActive()
{
    active = false;
    session->reset();
    if (!hidden)
        hide();
    startRefreshTimer();
}

void Controller::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive)
        focusSinceActivation = true;
    // Early in start-up (the window is shown before the list exists) only the focus is noted.
    if (!listPanel)
        return;
    if (state == Qt::ApplicationActive) {
        if (!active && !hidden)
            applicationDidBecomeActive();
    } else if (active && !activationGrace->isActive()) {
        applicationDidResignActive();
    }
}

void Controller::activationSettled()
{
    // A focus loss during the grace is acted on now, if it still holds. A window the desktop
    // never gave the focus stays: hiding it would look like a failure to start.
    if (active && focusSinceActivation &&
        QGuiApplication::applicationState() != Qt::ApplicationActive)
        applicationDidResignActive();
}

void Controller::applicationWillTerminate()
{
    if (!window)
        return;
    const TroviaPoint origin = window->frame().origin();
    Settings &settings = services.settings;
    settings.setFloat(MainWindowXKey, origin.x);
    settings.setFloat(MainWindowYKey, origin.y);
    settings.sync();
}

void Controller::startRefreshTimer()
{
    if (autoRefreshTimer)
        return;
    autoRefreshTimer = new QTimer(this);
    autoRefreshTimer->setInterval(refreshIntervalMs);
    connect(autoRefreshTimer, &QTimer::timeout, this, &Controller::refreshFromTimer);
    autoRefreshTimer->start();
}

void Controller::stopRefreshTimer()
{
    delete autoRefreshTimer;
    autoRefreshTimer = nullptr;
}
