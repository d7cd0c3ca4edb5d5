// The launcher's behaviour on the offscreen platform: the query field's state table, the selection
// rule for launching and revealing, hiding and activation, menus, and the window's saved place.
#include "ApplicationLauncher.h"
#include "ApplicationRegistry.h"
#include "Catalogue.h"
#include "Controller.h"
#include "FileRevealer.h"
#include "GlobalShortcutBackend.h"
#include "HotKeyManager.h"
#include "PropertyList.h"
#include "ResultListModel.h"
#include "ResultListWindow.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "TroviaApplication.h"
#include "TroviaTableView.h"
#include "TroviaWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace
{

class FakeRegistry : public ApplicationRegistry
{
public:
    QList<RegistryEntry> list;
    QList<RegistryEntry> entries() override { return list; }
    QStringList mountedRemovableMedia() override { return {}; }
    QStringList applicationsFolders() override { return {}; }
    QString entryPathForId(const QString &) override { return QStringLiteral("/trovia.desktop"); }
};

class FakeLauncher : public ApplicationLauncher
{
public:
    QStringList launched;
    QStringList refused; // entries whose launch fails
    bool launch(const QString &entryPath) override
    {
        if (refused.contains(entryPath))
            return false;
        launched << entryPath;
        return true;
    }
    QIcon icon(const QString &) override { return {}; }
};

class FakeRevealer : public FileRevealer
{
public:
    QList<QUrl> revealed;
    void reveal(const QUrl &url) override { revealed << url; }
};

// The hot key as the desktop would deliver it.
class FakeShortcut : public GlobalShortcutBackend
{
public:
    Registration registerShortcut(quint16, quint32) override { return {Outcome::Registered, {}}; }
    void unregisterShortcut() override {}
};

QString entry(const QString &name)
{
    return QStringLiteral("/apps/") + name + QStringLiteral(".desktop");
}

} // namespace

class TestController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void typingShowsTheListWithTheFirstRowSelected();
    void noMatchHidesTheListAndAMatchBringsItBack();
    void arrowsMoveWithoutWrapping_data();
    void arrowsMoveWithoutWrapping();
    void arrowsWithoutAListDoNothing();
    void escapeClearsTextThenHides();
    void onlySpacesCountAsEmpty();
    void otherFieldsDoNotTouchTheMatchingList();
    void activationBringsBackAnEmptyField();

    void returnLaunchesTheSelectionAndCountsIt();
    void nothingHappensWithoutASelectedApplication_data();
    void nothingHappensWithoutASelectedApplication();
    void ctrlReturnRevealsInsteadOfLaunching();
    void clickLaunchesAndCtrlClickReveals();
    void refusedLaunchAlertsAndRebuilds();

    void menuValidationFollowsTheSelection();
    void refreshTimerRunsOnlyWhileInactive();
    void hotKeyToggles();
    void windowOriginIsSavedAndRestored();
    void savedOriginOffScreenGivesTheDefault();

private:
    void type(const QString &text) { QTest::keyClicks(controller->textField(), text); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(controller->textField(), key, modifiers);
    }
    bool listShown() const { return controller->listWindow()->isVisible(); }
    int selectedRow() const
    {
        const QModelIndexList rows = controller->list()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
    QStringList listedNames() const
    {
        QStringList names;
        for (const ApplicationRef &app : controller->matchingApps())
            names << app->displayName();
        return names;
    }
    int usage(const QString &path) const;
    void startController();

    QTemporaryDir home;
    FakeRegistry registry;
    FakeLauncher launcher;
    FakeRevealer revealer;
    std::unique_ptr<Controller> controller;
};

void TestController::initTestCase()
{
    QVERIFY(home.isValid());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    ApplicationLauncher::setCurrent(&launcher);
    FileRevealer::setCurrent(&revealer);
    HotKeyManager::sharedManager().setBackend(std::make_unique<FakeShortcut>());
}

void TestController::init()
{
    registry.list.clear();
    for (const QString &name : {QStringLiteral("Terminal"), QStringLiteral("Text Editor"),
                                QStringLiteral("Tetris"), QStringLiteral("Maps")})
        registry.list << RegistryEntry{entry(name), name, false, QString()};
    launcher.launched.clear();
    launcher.refused.clear();
    revealer.revealed.clear();
    startController();
}

void TestController::startController()
{
    controller = std::make_unique<Controller>(registry);
    controller->applicationDidFinishLaunching();
    QVERIFY(QTest::qWaitForWindowActive(controller->mainWindow()));
    QVERIFY(controller->textField()->hasFocus());
}

void TestController::cleanup()
{
    controller.reset();
}

int TestController::usage(const QString &path) const
{
    const PropertyList::ReadResult log =
        PropertyList::fromFile(home.filePath(QStringLiteral("data/Trovia/Usage log.plist")));
    return log.value.toMap().value(QStringLiteral("Applications Uses")).toMap().value(path).toInt();
}

void TestController::typingShowsTheListWithTheFirstRowSelected()
{
    QVERIFY(!listShown());
    type(QStringLiteral("t"));
    QVERIFY(listShown());
    QCOMPARE(selectedRow(), 0);
    QCOMPARE(listedNames(), (QStringList{QStringLiteral("Terminal"), QStringLiteral("Tetris"),
                                         QStringLiteral("Text Editor")}));
    key(Qt::Key_Down);
    QCOMPARE(selectedRow(), 1);
    // Each keystroke that leaves a match starts again at the top.
    type(QStringLiteral("e"));
    QCOMPARE(selectedRow(), 0);
    QCOMPARE(controller->list()->model()->rowCount(), 3);
    // The list lies under the main window's field.
    QVERIFY(controller->listWindow()->geometry().top() >=
            controller->mainWindow()->geometry().top());
}

void TestController::noMatchHidesTheListAndAMatchBringsItBack()
{
    type(QStringLiteral("tex"));
    QVERIFY(listShown());
    type(QStringLiteral("q"));
    QVERIFY(!listShown());
    QVERIFY(controller->matchingApps().isEmpty());
    key(Qt::Key_Backspace);
    QVERIFY(listShown());
    QCOMPARE(listedNames(), QStringList{QStringLiteral("Text Editor")});
    QCOMPARE(selectedRow(), 0);
}

void TestController::arrowsMoveWithoutWrapping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("keys"); // d: Down, u: Up
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("down to the end and stop") << "t"
                                              << "ddd" << QList<int>{1, 2, 2};
    QTest::newRow("up at the top stays") << "t"
                                         << "uu" << QList<int>{0, 0};
    QTest::newRow("down then up") << "t"
                                  << "ddudu" << QList<int>{1, 2, 1, 2, 1};
    QTest::newRow("one row") << "maps"
                             << "dudu" << QList<int>{0, 0, 0, 0};
}

void TestController::arrowsMoveWithoutWrapping()
{
    QFETCH(QString, typed);
    QFETCH(QString, keys);
    QFETCH(QList<int>, rows);
    type(typed);
    QList<int> seen;
    for (QChar k : keys) {
        key(k == QLatin1Char('d') ? Qt::Key_Down : Qt::Key_Up);
        seen << selectedRow();
    }
    QCOMPARE(seen, rows);
    QCOMPARE(controller->textField()->text(), typed);
}

void TestController::arrowsWithoutAListDoNothing()
{
    type(QStringLiteral("t"));
    key(Qt::Key_Down);
    type(QStringLiteral("zz"));
    QVERIFY(!listShown());
    key(Qt::Key_Down);
    key(Qt::Key_Up);
    QVERIFY(!listShown());
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    QCOMPARE(selectedRow(), 0);
}

void TestController::escapeClearsTextThenHides()
{
    type(QStringLiteral("te"));
    QVERIFY(listShown());
    key(Qt::Key_Escape);
    QCOMPARE(controller->textField()->text(), QString());
    QVERIFY(!listShown());
    QVERIFY(controller->mainWindow()->isVisible());
    QVERIFY(controller->textField()->hasFocus());
    QVERIFY(controller->isActive());

    // Nothing matching: Escape still only clears.
    type(QStringLiteral("qq"));
    key(Qt::Key_Escape);
    QCOMPARE(controller->textField()->text(), QString());
    QVERIFY(controller->mainWindow()->isVisible());

    key(Qt::Key_Escape);
    QVERIFY(!controller->mainWindow()->isVisible());
    QVERIFY(!controller->isActive());
}

void TestController::onlySpacesCountAsEmpty()
{
    type(QStringLiteral("   "));
    QVERIFY(!listShown());
    key(Qt::Key_Return);
    QVERIFY(launcher.launched.isEmpty());
    QVERIFY(controller->mainWindow()->isVisible());
    key(Qt::Key_Escape);
    QVERIFY(!controller->mainWindow()->isVisible());
    // The deactivation cleared the spaces.
    QCOMPARE(controller->textField()->text(), QString());
}

void TestController::otherFieldsDoNotTouchTheMatchingList()
{
    type(QStringLiteral("tet"));
    QLineEdit other;
    other.setText(QStringLiteral("maps"));
    controller->userDidType(&other);
    QCOMPARE(listedNames(), QStringList{QStringLiteral("Tetris")});
}

void TestController::activationBringsBackAnEmptyField()
{
    type(QStringLiteral("ter"));
    key(Qt::Key_Down);
    controller->hide();
    QVERIFY(!controller->mainWindow()->isVisible());
    QVERIFY(!listShown());
    controller->activate();
    QVERIFY(QTest::qWaitForWindowActive(controller->mainWindow()));
    QCOMPARE(controller->textField()->text(), QString());
    QVERIFY(!listShown());
    // The field takes the keys once the window has the focus (the platform's part; the
    // end-to-end tests see it on a real X server).
    QCOMPARE(controller->mainWindow()->focusWidget(), controller->textField());
}

void TestController::returnLaunchesTheSelectionAndCountsIt()
{
    type(QStringLiteral("t"));
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    QCOMPARE(launcher.launched, QStringList{entry(QStringLiteral("Tetris"))});
    QCOMPARE(usage(entry(QStringLiteral("Tetris"))), 1);
    QVERIFY(!controller->mainWindow()->isVisible());
    QCOMPARE(controller->textField()->text(), QString());

    // Enter does the same, and the count goes on.
    controller->activate();
    type(QStringLiteral("tetr"));
    key(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(launcher.launched.size(), 2);
    QCOMPARE(usage(entry(QStringLiteral("Tetris"))), 2);
}

void TestController::nothingHappensWithoutASelectedApplication_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("empty field") << QString() << int(Qt::NoModifier);
    QTest::newRow("no match") << QStringLiteral("xyz") << int(Qt::NoModifier);
    QTest::newRow("only spaces") << QStringLiteral("  ") << int(Qt::NoModifier);
    QTest::newRow("reveal, empty field") << QString() << int(Qt::ControlModifier);
    QTest::newRow("reveal, no match") << QStringLiteral("xyz") << int(Qt::ControlModifier);
}

void TestController::nothingHappensWithoutASelectedApplication()
{
    QFETCH(QString, typed);
    QFETCH(int, modifiers);
    // A match first, so that the hidden table keeps a selected row.
    type(QStringLiteral("t"));
    controller->reset();
    type(typed);
    QVERIFY(!controller->selectedApplication());
    key(Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    QVERIFY(launcher.launched.isEmpty());
    QVERIFY(revealer.revealed.isEmpty());
    QVERIFY(controller->mainWindow()->isVisible());
}

void TestController::ctrlReturnRevealsInsteadOfLaunching()
{
    type(QStringLiteral("maps"));
    key(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(revealer.revealed, QList<QUrl>{QUrl::fromLocalFile(entry(QStringLiteral("Maps")))});
    QVERIFY(launcher.launched.isEmpty());
    QCOMPARE(usage(entry(QStringLiteral("Maps"))), 0); // never launched anywhere here
    QVERIFY(!controller->mainWindow()->isVisible());
}

void TestController::clickLaunchesAndCtrlClickReveals()
{
    TroviaTableView *table = controller->listWindow()->tableView();
    // Types, then clicks the row; the entry shown there.
    auto clickRow = [&](int row, Qt::KeyboardModifiers modifiers) {
        type(QStringLiteral("t"));
        if (!QTest::qWaitForWindowExposed(controller->listWindow()))
            return QString();
        const QString path = controller->matchingApps().value(row)->path();
        const QRect cell = table->visualRect(table->model()->index(row, 1));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cell.center());
        return path;
    };
    const QString third = clickRow(2, Qt::ControlModifier);
    QCOMPARE(revealer.revealed, QList<QUrl>{QUrl::fromLocalFile(third)});
    QVERIFY(launcher.launched.isEmpty());
    QVERIFY(!controller->mainWindow()->isVisible());

    controller->activate();
    const QString second = clickRow(1, Qt::NoModifier);
    QCOMPARE(launcher.launched, QStringList{second});
    QCOMPARE(usage(second), 1);
}

void TestController::refusedLaunchAlertsAndRebuilds()
{
    type(QStringLiteral("ter"));
    QCOMPARE(listedNames(), QStringList{QStringLiteral("Terminal")});
    // Terminal was removed after the build.
    launcher.refused << entry(QStringLiteral("Terminal"));
    registry.list.removeFirst();
    const int usageBefore = usage(entry(QStringLiteral("Terminal")));

    QString alertTitle;
    bool alertWasModal = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        auto *alert = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(alert);
        alertTitle = alert->text();
        alertWasModal = alert->windowModality() == Qt::ApplicationModal;
        alert->button(QMessageBox::Ok)->click();
    });
    key(Qt::Key_Return);
    QCOMPARE(alertTitle, QStringLiteral("The application could not be launched."));
    QVERIFY(alertWasModal);
    QVERIFY(launcher.launched.isEmpty());
    QCOMPARE(usage(entry(QStringLiteral("Terminal"))), usageBefore);
    // Rebuilt for the same text, which now matches nothing; Trovia stays in front.
    QCOMPARE(controller->textField()->text(), QStringLiteral("ter"));
    QVERIFY(controller->matchingApps().isEmpty());
    QVERIFY(!listShown());
    QVERIFY(controller->mainWindow()->isVisible());
    // The other entries are still there.
    key(Qt::Key_Backspace);
    QCOMPARE(listedNames().size(), 2);
    QVERIFY(!listedNames().contains(QStringLiteral("Terminal")));
}

void TestController::menuValidationFollowsTheSelection()
{
    QAction *reveal = controller->showInFileManagerAction();
    QCOMPARE(reveal->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Return));
    QCOMPARE(controller->quitAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QVERIFY(!controller->validateMenuItem(reveal));
    QVERIFY(controller->validateMenuItem(controller->quitAction()));
    type(QStringLiteral("maps"));
    QVERIFY(controller->validateMenuItem(reveal));
    QVERIFY(reveal->isEnabled());
    type(QStringLiteral("x"));
    QVERIFY(!controller->validateMenuItem(reveal));
    QVERIFY(!reveal->isEnabled());
    // Only the actions that exist are offered: no Website or Donate without their addresses.
    QStringList titles;
    for (const QAction *item : controller->contextMenu()->actions())
        if (!item->isSeparator())
            titles << item->text();
    QCOMPARE(titles.first(), QStringLiteral("Show in File Manager"));
    QCOMPARE(titles.last(), QStringLiteral("Quit Trovia"));
    QVERIFY(!titles.contains(QStringLiteral("Trovia Website")));
    QVERIFY(!titles.contains(QStringLiteral("Donate")));

    // A right click on the window's surface opens the menu, validated as it opens.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            controller->mainWindow()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(controller->mainWindow(), &click);
    QTRY_VERIFY(controller->contextMenu()->isVisible());
    QVERIFY(!reveal->isEnabled());
    controller->contextMenu()->hide();

    QSignalSpy quit(controller.get(), &Controller::quitRequested);
    controller->quitAction()->trigger();
    QCOMPARE(quit.count(), 1);
}

void TestController::refreshTimerRunsOnlyWhileInactive()
{
    QVERIFY(!controller->hasRefreshTimer());
    controller->hide();
    QVERIFY(controller->hasRefreshTimer());
    controller->activate();
    QVERIFY(!controller->hasRefreshTimer());
    QVERIFY(controller->isActive());
}

void TestController::hotKeyToggles()
{
    auto *application = qobject_cast<TroviaApplication *>(qApp);
    QVERIFY(application);
    application->setController(controller.get());
    auto *shortcut = new FakeShortcut;
    HotKeyManager::sharedManager().setBackend(std::unique_ptr<GlobalShortcutBackend>(shortcut));
    HotKeyManager::sharedManager().registerHotKey();

    type(QStringLiteral("ter"));
    Q_EMIT shortcut->activated(1234);
    QVERIFY(!controller->mainWindow()->isVisible());
    Q_EMIT shortcut->activated(1240);
    QVERIFY(controller->mainWindow()->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(controller->mainWindow()));
    QCOMPARE(controller->textField()->text(), QString());
    QCOMPARE(controller->mainWindow()->focusWidget(), controller->textField());
    application->setController(nullptr);
}

void TestController::windowOriginIsSavedAndRestored()
{
    const TroviaRect available = ScreenCoordinates::visibleFrame(QGuiApplication::primaryScreen());
    const TroviaRect frame = controller->mainWindow()->frame();
    // First start: centred on the screen's width, top edge on the top of the visible area.
    QCOMPARE(
        frame.x,
        std::round((ScreenCoordinates::fromQt(QGuiApplication::primaryScreen()->geometry()).width -
                    frame.width) *
                   0.5f));
    QCOMPARE(frame.y + frame.height, available.y + available.height);

    const TroviaPoint moved{available.x + 40.0f, available.y + 30.0f};
    controller->mainWindow()->setFrameOrigin(moved);
    controller->applicationWillTerminate();
    controller.reset();
    startController();
    QCOMPARE(controller->mainWindow()->frame().origin().x, moved.x);
    QCOMPARE(controller->mainWindow()->frame().origin().y, moved.y);

    // Only one of the two values: the default place.
    Settings::standard().remove(MainWindowYKey);
    controller.reset();
    startController();
    QCOMPARE(controller->mainWindow()->frame().origin().x, frame.x);
    QCOMPARE(controller->mainWindow()->frame().origin().y, frame.y);
    Settings::standard().remove(MainWindowXKey);
}

void TestController::savedOriginOffScreenGivesTheDefault()
{
    const TroviaRect frame = controller->mainWindow()->frame();
    Settings::standard().setFloat(MainWindowXKey, -5000.0f);
    Settings::standard().setFloat(MainWindowYKey, 10.0f);
    controller.reset();
    startController();
    QCOMPARE(controller->mainWindow()->frame().origin().x, frame.x);
    QCOMPARE(controller->mainWindow()->frame().origin().y, frame.y);
    Settings::standard().remove(MainWindowXKey);
    Settings::standard().remove(MainWindowYKey);
}

int main(int argc, char *argv[])
{
    TroviaApplication application(argc, argv);
    TestController test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_controller.moc"
