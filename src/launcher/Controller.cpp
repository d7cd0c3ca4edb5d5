// Start-up and shut-down, and what activation and deactivation change beyond the windows.
#include "launcher/Controller.h"

#include "catalogue/Catalogue.h"
#include "core/ColorPresets.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "launcher/Activation.h"
#include "launcher/CustomFieldEditor.h"
#include "launcher/ExclusionMessagePanel.h"
#include "launcher/Menus.h"
#include "launcher/QuerySession.h"
#include "launcher/WindowOrigin.h"
#include "platform/WindowSystem.h"
#include "preferences/PreferencesController.h"
#include "presentation/MainView.h"
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
constexpr int firstPaintWaitMs = 200;
} // namespace

Controller::Controller(ApplicationRegistry &applicationRegistry, const Services &runServices,
                       QObject *parent)
    : QObject(parent), services(runServices), registry(applicationRegistry),
      apps(std::make_unique<Catalogue>(registry)),
      session(new QuerySession(*apps, runServices, this)),
      menus(new Menus([this] { return session->hasOneSelectedRow(); }, this)),
      exclusionPanel(new ExclusionMessagePanel(runServices.settings, this)),
      activation(new Activation(runServices.windowSystem, this))
{
    connect(activation, &Activation::becameActive, this, &Controller::applicationDidBecomeActive);
    connect(activation, &Activation::resignedActive, this, &Controller::applicationDidResignActive);
    connect(activation, &Activation::activated, this, &Controller::showPendingHotKeyProblem);
    connect(activation, &Activation::aboutToHide, this, [this] {
        session->hideList();
        // Read once is enough: the hot key message does not come back with the main window.
        clearHotKeyProblem();
    });
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
    activation->setStarted();
    menus->createMenus(window);
    connect(menus, &Menus::revealRequested, session, &QuerySession::showSelectionInFinder);
    connect(menus, &Menus::excludeRequested, this, &Controller::excludeSelection);
    connect(menus, &Menus::preferencesRequested, this, &Controller::showPreferencePanel);
    connect(menus, &Menus::quitRequested, this, &Controller::quitRequested);
    connect(menus, &Menus::toggleRequested, this, [this] { toggle(); });

    connect(apps.get(), &Catalogue::buildStarted, mainView->progressIndicator(),
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
    connect(&settings, &Settings::matchScopeChanged, session,
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
    const std::optional<float> savedX = settings.value(MainWindowXKey);
    const std::optional<float> savedY = settings.value(MainWindowYKey);
    if (savedX && savedY)
        saved = TroviaPoint{*savedX, *savedY};
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
        new TroviaWindow(services.windowSystem,
                         TroviaRect{origin.x, origin.y, float(size.width()), float(size.height())});
    window->setWindowTitle(QStringLiteral("Trovia"));
    window->setContentView(mainView);
    activation->setMainWindow(window, field);
}

void Controller::secondStartRequested(const QByteArray &token, bool fromBinding)
{
    if (fromBinding) {
        services.hotKeys.toggledByUserBinding();
        pendingHotKeyTitle.clear();
        pendingHotKeyProblem.clear();
    }
    // A startup ID carries the time of the user's request; without one the server's time now
    // stands for it.
    toggle(services.windowSystem.startupTimestamp(token));
    services.windowSystem.completeStartup(token);
}

void Controller::activate(quint32 timestamp)
{
    activation->activate(timestamp);
}

void Controller::hide()
{
    activation->hide();
}

void Controller::toggle(quint32 timestamp)
{
    activation->toggle(timestamp);
}

bool Controller::isActive() const
{
    return activation->isActive();
}

void Controller::applicationDidBecomeActive()
{
    refreshIfApplicationsChanged();
    stopRefreshTimer();
}

void Controller::applicationDidResignActive()
{
    session->reset();
    startRefreshTimer();
}

void Controller::applicationWillTerminate()
{
    if (!window)
        return;
    const TroviaPoint origin = window->frame().origin();
    Settings &settings = services.settings;
    settings.setValue(MainWindowXKey, origin.x);
    settings.setValue(MainWindowYKey, origin.y);
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
