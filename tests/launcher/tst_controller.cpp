#include "ControllerFixture.h"
#include "catalogue/Catalogue.h"
#include "core/LocalizedStrings.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "launcher/Controller.h"
#include "launcher/QuerySession.h"
#include "launcher/TroviaApplication.h"
#include "platform/ApplicationLauncher.h"
#include "platform/FileRevealer.h"
#include "preferences/PreferencesController.h"
#include "preferences/PreferencesWindow.h"
#include "presentation/ResultListModel.h"
#include "presentation/ResultListWindow.h"
#include "presentation/ScreenReaderAnnouncer.h"
#include "presentation/TroviaTableView.h"
#include "presentation/TroviaWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace
{

QString entry(const QString &name)
{
    return QStringLiteral("/apps/") + name + QStringLiteral(".desktop");
}

} // namespace

class TestController : public ControllerFixture
{
    Q_OBJECT
private:
    void type(const QString &text) { QTest::keyClicks(textField(), text); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(textField(), key, modifiers);
    }
    bool listShown() const { return listWindow()->isVisible(); }
    bool mainShown() const { return mainWindow()->isVisible(); }
    // The message about the hot key, while it is on screen.
    static QMessageBox *hotKeyMessage()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (box && box->isVisible() && !box->isModal())
                return box;
        }
        return nullptr;
    }
    // From now on the desktop gives Trovia no hot key, and no notification server tells the user.
    void refuseHotKeys()
    {
        run->settings.remove(HotKeyProblemsToldKey);
        run->shortcuts->next = {GlobalShortcutBackend::Outcome::Unsupported,
                                QStringLiteral("no portal")};
    }
    // A fresh Controller started hidden, as at login, on a desktop that gives it no hot key.
    void startHiddenWithoutHotKey()
    {
        controller.reset();
        controller = std::make_unique<Controller>(registry, run->services());
        refuseHotKeys();
        controller->applicationDidFinishLaunching(true);
    }
    int usage(const QString &path) const
    {
        const PropertyList::ReadResult log =
            PropertyList::fromFile(home.filePath(QStringLiteral("data/Trovia/Usage log.plist")));
        return log.value.toMap()
            .value(QStringLiteral("Applications Uses"))
            .toMap()
            .value(path)
            .toInt();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        run = std::make_unique<TestServices>(home.path());
    }

    void init()
    {
        registry.entryList.clear();
        for (const char *name : {"Terminal", "Text Editor", "Tetris", "Maps"})
            registry.addEntry(entry(name), name);
        run->launcher.launched.clear();
        run->launcher.refused.clear();
        run->revealer.revealed.clear();
        startController();
        QVERIFY(textField()->hasFocus());
    }

    void cleanup()
    {
        controller.reset();
        run->shortcuts->next = {GlobalShortcutBackend::Outcome::Registered, {}};
    }

    void typingShowsTheListWithTheFirstRowSelected()
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
    }

    // Trovia's own icon comes from bitmaps: Qt's SVG engine stays unloaded until a listed
    // application's icon needs it.
    void ownIconLoadsNoSvgEngine()
    {
        QTRY_VERIFY(!QApplication::windowIcon().isNull());
        for (int size : {16, 22, 48, 128})
            QCOMPARE(QApplication::windowIcon().pixmap(size).size(), QSize(size, size));
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("libQt6Svg"));
    }

    void noMatchHidesTheListAndAMatchBringsItBack()
    {
        type(QStringLiteral("tex"));
        key(Qt::Key_Down);
        type(QStringLiteral("q"));
        QVERIFY(!listShown());
        QVERIFY(matchingApps().isEmpty());
        // Arrows without a list do nothing.
        key(Qt::Key_Down);
        key(Qt::Key_Up);
        QVERIFY(!listShown());
        key(Qt::Key_Backspace);
        QVERIFY(listShown());
        QCOMPARE(listedNames(), QStringList{QStringLiteral("Text Editor")});
        QCOMPARE(selectedRow(), 0);
    }

    void arrowsMoveWithoutWrapping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("keys"); // d: Down, u: Up
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("down to the end and stop") << "t"
                                                  << "ddd" << QList<int>{1, 2, 2};
        QTest::newRow("up at the top stays") << "t"
                                             << "uu" << QList<int>{0, 0};
        QTest::newRow("one row") << "maps"
                                 << "dudu" << QList<int>{0, 0, 0, 0};
    }

    void arrowsMoveWithoutWrapping()
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
        QCOMPARE(textField()->text(), typed);
    }

    // A rebuild that lands while nothing is typed lets the replaced records go: the hidden list
    // keeps none of them (a build's records share one block, so one kept row would keep all).
    void replacedRecordsGoWhenNothingIsTyped()
    {
        registry.addEntry(entry(QStringLiteral("Zapp")));
        controller->rebuildApplicationList();
        QTRY_VERIFY(!controller->catalogue().isBuilding());
        type(QStringLiteral("zapp"));
        QCOMPARE(matchingApps().size(), 1);
        const std::weak_ptr<Application> replaced = matchingApps().first();
        for (int i = 0; i < 4; ++i)
            key(Qt::Key_Backspace);
        QCOMPARE(textField()->text(), QString());
        controller->rebuildApplicationList();
        QTRY_VERIFY(!controller->catalogue().isBuilding());
        QVERIFY(replaced.expired());
        QCOMPARE(list()->model()->rowCount(), 0);
    }

    // Page Down and Page Up move by the rows the list shows, stopping at the ends.
    void pageKeysMoveByTheVisibleRows()
    {
        run->settings.setValue(MaximumListHeightKey, 3);
        for (int i = 1; i <= 8; ++i)
            registry.addEntry(entry(QStringLiteral("Zapp %1").arg(i)));
        controller->rebuildApplicationList();
        QTRY_VERIFY(!controller->catalogue().isBuilding());
        type(QStringLiteral("zapp"));
        QList<int> seen;
        for (Qt::Key k : {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageUp,
                          Qt::Key_PageUp, Qt::Key_PageUp}) {
            key(k);
            seen << selectedRow();
        }
        QCOMPARE(seen, (QList<int>{3, 6, 7, 4, 1, 0}));
        QCOMPARE(textField()->text(), QStringLiteral("zapp"));
        run->settings.setValue(MaximumListHeightKey, 7);
    }

    // The focus stays in the field, so the screen reader is told about the list: the number of
    // matches when the list changes, the selected row and its place as the selection moves. Only
    // the state the user stops at is spoken, and an emptied field leaves nothing to say.
    void screenReaderHearsTheList()
    {
        registry.addEntry(entry(QStringLiteral("Notepad")), QStringLiteral("Notepad"), true);
        controller->rebuildApplicationList();
        QTRY_VERIFY(!controller->catalogue().isBuilding());
        const ScreenReaderAnnouncer *announcer = query().announcer();
        QSignalSpy spoken(announcer, &ScreenReaderAnnouncer::spoken);
        const auto heard = [&] {
            QStringList texts;
            if (!QTest::qWaitFor([&] { return !announcer->isPending(); }))
                texts << QStringLiteral("(still waiting)");
            for (const QList<QVariant> &arguments : std::as_const(spoken))
                texts << arguments.first().toString();
            spoken.clear();
            return texts;
        };
        QLineEdit *field = textField();
        const QString help = field->accessibleDescription();
        type(QStringLiteral("t"));
        QCOMPARE(heard(), QStringList{QStringLiteral("Applications found: 4. Terminal, 1 of 4")});
        key(Qt::Key_Down);
        QCOMPARE(heard(), QStringList{QStringLiteral("Tetris, 2 of 4")});
        key(Qt::Key_PageDown);
        QCOMPARE(heard(), QStringList{QStringLiteral("Notepad, Windows application, 4 of 4")});
        type(QStringLiteral("qq"));
        QCOMPARE(heard(), QStringList{QStringLiteral("No application found")});
        // Quick keys: one announcement, of the last state, with the count it changed to.
        key(Qt::Key_Backspace);
        key(Qt::Key_Backspace);
        key(Qt::Key_Down);
        QCOMPARE(heard(), QStringList{QStringLiteral("Applications found: 4. Tetris, 2 of 4")});
        type(QStringLiteral("e"));
        key(Qt::Key_Escape);
        QCOMPARE(heard(), QStringList());
        // The field's own description stays its help.
        QCOMPARE(field->accessibleDescription(), help);
        QVERIFY(!help.isEmpty());
    }

    void escapeClearsTextThenHides()
    {
        type(QStringLiteral("te"));
        key(Qt::Key_Escape);
        QCOMPARE(textField()->text(), QString());
        QVERIFY(!listShown());
        QVERIFY(mainShown());
        QVERIFY(textField()->hasFocus());

        // Only spaces count as empty: Escape hides, and the deactivation clears them.
        type(QStringLiteral("   "));
        key(Qt::Key_Escape);
        QVERIFY(!mainShown());
        QVERIFY(!controller->isActive());
        QCOMPARE(textField()->text(), QString());
    }

    void confirmingLaunchesOrReveals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>(
            "click"); // on the row, else the key (Return, or Enter from the keypad)
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("reveal");
        QTest::newRow("Return launches the selected row")
            << "t" << 1 << false << int(Qt::NoModifier) << false;
        QTest::newRow("Enter launches") << "tetr" << 0 << false << int(Qt::KeypadModifier) << false;
        QTest::newRow("Ctrl+Return reveals")
            << "maps" << 0 << false << int(Qt::ControlModifier) << true;
        QTest::newRow("click launches the row") << "t" << 1 << true << int(Qt::NoModifier) << false;
        QTest::newRow("Ctrl+click reveals the row")
            << "t" << 2 << true << int(Qt::ControlModifier) << true;
    }

    void confirmingLaunchesOrReveals()
    {
        QFETCH(QString, typed);
        QFETCH(int, row);
        QFETCH(bool, click);
        QFETCH(int, modifiers);
        QFETCH(bool, reveal);
        const auto mods = Qt::KeyboardModifiers(modifiers);
        type(typed);
        QVERIFY(QTest::qWaitForWindowExposed(listWindow()));
        const QString chosen = matchingApps().value(row)->path();
        const int usesBefore = usage(chosen);
        if (click) {
            TroviaTableView *table = listWindow()->tableView();
            const QRect cell = table->visualRect(table->model()->index(row, 1));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, mods, cell.center());
        } else {
            for (int i = 0; i < row; ++i)
                key(Qt::Key_Down);
            key(mods & Qt::KeypadModifier ? Qt::Key_Enter : Qt::Key_Return, mods);
        }
        if (reveal) {
            QCOMPARE(run->revealer.revealed, QList<QUrl>{QUrl::fromLocalFile(chosen)});
            QVERIFY(run->launcher.launched.isEmpty());
        } else {
            QCOMPARE(run->launcher.launched, QStringList{chosen});
            QVERIFY(run->revealer.revealed.isEmpty());
        }
        // Counted after a launch only.
        QCOMPARE(usage(chosen), usesBefore + (reveal ? 0 : 1));
        QVERIFY(!mainShown());
        QCOMPARE(textField()->text(), QString());
    }

    void nothingHappensWithoutASelectedApplication_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("empty field") << QString() << int(Qt::NoModifier);
        QTest::newRow("no match") << QStringLiteral("xyz") << int(Qt::NoModifier);
        QTest::newRow("only spaces") << QStringLiteral("  ") << int(Qt::NoModifier);
        QTest::newRow("reveal, no match") << QStringLiteral("xyz") << int(Qt::ControlModifier);
    }

    void nothingHappensWithoutASelectedApplication()
    {
        QFETCH(QString, typed);
        QFETCH(int, modifiers);
        // A match first, so that the hidden table keeps a selected row.
        type(QStringLiteral("t"));
        query().reset();
        type(typed);
        QVERIFY(!listShown());
        QVERIFY(!selectedApplication());
        key(Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
        QVERIFY(run->launcher.launched.isEmpty());
        QVERIFY(run->revealer.revealed.isEmpty());
        QVERIFY(mainShown());
    }

    // A build that lands while a query is typed is matched against the same text, and the
    // selection goes back to the first row.
    void landedBuildKeepsTheQueryAndSelectsTheFirstRow()
    {
        type(QStringLiteral("te"));
        key(Qt::Key_Down);
        QCOMPARE(selectedRow(), 1);
        registry.addEntry(entry(QStringLiteral("Tea Timer")), QStringLiteral("Tea Timer"));
        controller->rebuildApplicationList();
        QTRY_VERIFY(listedNames().contains(QStringLiteral("Tea Timer")));
        QCOMPARE(textField()->text(), QStringLiteral("te"));
        QVERIFY(listShown());
        QCOMPARE(selectedRow(), 0);
    }

    void refusedLaunchAlertsAndRebuilds()
    {
        type(QStringLiteral("ter"));
        QCOMPARE(listedNames(), QStringList{QStringLiteral("Terminal")});
        // Terminal was removed after the build.
        run->launcher.refused << entry(QStringLiteral("Terminal"));
        registry.entryList.removeFirst();
        const int usageBefore = usage(entry(QStringLiteral("Terminal")));

        QString alertTitle;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            auto *alert = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(alert);
            alertTitle = alert->text();
            alert->button(QMessageBox::Ok)->click();
        });
        key(Qt::Key_Return);
        QCOMPARE(alertTitle, QStringLiteral("The application could not be launched."));
        QVERIFY(run->launcher.launched.isEmpty());
        QCOMPARE(usage(entry(QStringLiteral("Terminal"))), usageBefore);
        // Rebuilt for the same text, which now matches nothing; Trovia stays in front.
        QTRY_VERIFY(!controller->catalogue().isBuilding());
        QCOMPARE(textField()->text(), QStringLiteral("ter"));
        QVERIFY(matchingApps().isEmpty());
        QVERIFY(!listShown());
        QVERIFY(mainShown());
    }

    void menuValidationFollowsTheSelection()
    {
        QAction *reveal = showInFileManagerAction();
        QVERIFY(!validateMenuItem(reveal));
        type(QStringLiteral("maps"));
        QVERIFY(validateMenuItem(reveal));
        type(QStringLiteral("x"));
        // A right click opens the menu, validated as it opens.
        reveal->setEnabled(true);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                mainWindow()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(mainWindow(), &click);
        QTRY_VERIFY(contextMenu()->isVisible());
        QVERIFY(!reveal->isEnabled());
        contextMenu()->hide();
    }

    // The message shows inside the main window, the focus staying in the field; it goes for good
    // with a hide, and once the user was told, the same problem is only logged.
    void hotKeyMessageIsToldOnce()
    {
        refuseHotKeys();
        QSignalSpy notShown(&run->hotKeys, &HotKeyManager::refusalNotShown);
        run->hotKeys.registerHotKey();
        QLineEdit *field = textField();
        QTRY_COMPARE(field->placeholderText(),
                     LocalizedStrings::text(QStringLiteral("HotKeyUnsupportedTitle")));
        QVERIFY(field->toolTip().contains(QLatin1String("trovia --toggle")));
        QVERIFY(!hotKeyMessage());
        QVERIFY(field->hasFocus());
        QCOMPARE(QApplication::activeWindow(), mainWindow());
        type(QStringLiteral("te"));
        QTRY_VERIFY(listShown());
        controller->toggle();
        QVERIFY(field->placeholderText().isEmpty());
        controller->toggle();
        QVERIFY(mainShown());
        QVERIFY(field->placeholderText().isEmpty());

        notShown.clear();
        run->hotKeys.registerHotKey();
        QCOMPARE(run->hotKeys.state(), HotKeyManager::State::Unsupported);
        QVERIFY(!notShown.wait(500));
    }

    // Shown by "trovia --toggle", Trovia was shown by the user's own binding: no word about a
    // missing hot key, then or at a later start on this desktop; a plain second start is no
    // binding.
    void toggleFromABindingTellsNothing_data()
    {
        QTest::addColumn<bool>("fromBinding");
        QTest::newRow("trovia --toggle") << true;
        QTest::newRow("plain second start") << false;
    }

    void toggleFromABindingTellsNothing()
    {
        QFETCH(bool, fromBinding);
        run->settings.remove(HotKeyBoundByUserKey);
        QSignalSpy notShown(&run->hotKeys, &HotKeyManager::refusalNotShown);
        startHiddenWithoutHotKey();
        QVERIFY(notShown.wait());
        controller->secondStartRequested(QByteArray(), fromBinding);
        QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
        QVERIFY(textField()->hasFocus());
        QCOMPARE(textField()->placeholderText().isEmpty(), fromBinding);

        notShown.clear();
        run->settings.remove(HotKeyProblemsToldKey);
        run->hotKeys.registerHotKey();
        // Told, when told at all, once no notification server answered.
        QCOMPARE(notShown.wait(fromBinding ? 500 : 5000), !fromBinding);
        run->settings.remove(HotKeyBoundByUserKey);
    }

    // The desktop learns the time of the user's request with the activation: a hot key press
    // carries its own, a second start the one in its startup ID, whose startup then ends.
    void activationCarriesTheTimeOfTheRequest()
    {
        FakeWindowSystem &desktop = run->windowSystem;
        controller->hide();
        desktop.activations.clear();
        desktop.completed.clear();
        run->shortcuts->press(1234);
        QVERIFY(mainShown());
        QCOMPARE(desktop.activations.size(), 1);
        QCOMPARE(desktop.activations.last().window.data(), mainWindow()->windowHandle());
        QCOMPARE(desktop.activations.last().timestamp, 1234u);

        const QByteArray startupId("launcher-1_TIME77");
        desktop.startupTimes.insert(startupId, 77);
        controller->hide();
        controller->secondStartRequested(startupId);
        QVERIFY(mainShown());
        QCOMPARE(desktop.activations.size(), 2);
        QCOMPARE(desktop.activations.last().timestamp, 77u);
        QCOMPARE(desktop.completed, QByteArrayList{startupId});
    }

    // A start at login shows nothing; the message waits for the user, and where the Preferences
    // come up first, they show the problem instead.
    void hiddenStartShowsNoWindow()
    {
        QSignalSpy notShown(&run->hotKeys, &HotKeyManager::refusalNotShown);
        startHiddenWithoutHotKey();
        QVERIFY(notShown.wait());
        for (QWidget *widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), qPrintable(widget->windowTitle()));

        controller->showPreferencePanel();
        PreferencesWindow *preferences = preferencesController()->window();
        QTRY_VERIFY(preferences->isVisible());
        QVERIFY(!hotKeyMessage());
        QCOMPARE(run->settings.value(HotKeyProblemsToldKey).size(), 1);
    }

    void windowOriginIsSavedAndRestored()
    {
        const TroviaRect available =
            ScreenCoordinates::visibleFrame(QGuiApplication::primaryScreen());
        const TroviaRect frame = mainWindow()->frame();
        const TroviaPoint moved{available.x + 40.0f, available.y + 30.0f};
        mainWindow()->setFrameOrigin(moved);
        controller->applicationWillTerminate();
        controller.reset();
        startController();
        QCOMPARE(mainWindow()->frame().origin().x, moved.x);
        QCOMPARE(mainWindow()->frame().origin().y, moved.y);

        // Only one of the two values: the default place.
        run->settings.remove(MainWindowYKey);
        controller.reset();
        startController();
        QCOMPARE(mainWindow()->frame().origin().x, frame.x);
        QCOMPARE(mainWindow()->frame().origin().y, frame.y);
        run->settings.remove(MainWindowXKey);
    }
};

int main(int argc, char *argv[])
{
    TroviaApplication application(argc, argv);
    TestController test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_controller.moc"
