#include "ControllerFixture.h"
#include "catalogue/Catalogue.h"
#include "core/ExcludedLocations.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "launcher/Controller.h"
#include "presentation/TroviaWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace
{

// What the user saw of one exclusion message panel.
struct PanelSeen {
    bool modal = false;
    QString text;       // every label's text
    QStringList listed; // the matching list while the panel was up
};

} // namespace

class TestExcludeSelection : public ControllerFixture
{
    Q_OBJECT

    QString folder; // each test's applications live in a folder of their own
    QList<PanelSeen> panels;
    bool tickBox = false;
    int testNumber = 0;

    QString entry(const QString &name) const { return folder + name + QStringLiteral(".desktop"); }
    bool messageOn() const { return run->settings.value(ShowFullscreenMessageKey); }

    // Answers the next panel as the user would, noting what it showed; does nothing when the
    // exclusion shows no panel.
    void answerPanel()
    {
        QTimer::singleShot(0, this, [this] {
            auto *panel = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!panel)
                return;
            PanelSeen seen;
            seen.modal = panel->isVisible() && panel->windowModality() == Qt::ApplicationModal;
            for (const QLabel *label : panel->findChildren<QLabel *>())
                seen.text += label->text() + QLatin1Char(' ');
            seen.listed = listedNames();
            panels << seen;
            if (tickBox)
                panel->findChild<QCheckBox *>(QStringLiteral("exclusionMessageFlag"))->click();
            QTest::mouseClick(panel->findChild<QPushButton *>(), Qt::LeftButton);
        });
    }

    void exclude()
    {
        answerPanel();
        controller->excludeSelection();
        QVERIFY(!QApplication::activeModalWidget());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        run = std::make_unique<TestServices>(home.path());
        registry.pathsById.insert(QStringLiteral("org.trovia.Trovia.desktop"),
                                  QStringLiteral("/trovia.desktop"));
    }

    void init()
    {
        folder = QStringLiteral("/apps/%1/").arg(++testNumber);
        registry.entryList.clear();
        for (const QString &name : {QStringLiteral("Terminal"), QStringLiteral("Text Editor"),
                                    QStringLiteral("Tetris"), QStringLiteral("Maps")})
            registry.addEntry(entry(name), name);
        run->settings.remove(ShowFullscreenMessageKey);
        panels.clear();
        tickBox = false;
        startController();
    }

    void cleanup() { controller.reset(); }

    void excludedEntryLeavesTheListAndThePanelSays()
    {
        QVERIFY(messageOn());
        QTest::keyClicks(textField(), "t");
        QTest::keyClick(textField(), Qt::Key_Down);
        QCOMPARE(listedNames(), (QStringList{"Terminal", "Tetris", "Text Editor"}));
        QVERIFY(excludeAction()->isEnabled());

        exclude();
        QCOMPARE(Settings(run->settings.filePath()).value(ExcludedLocationsKey).last(),
                 entry("Tetris"));
        QCOMPARE(panels.size(), 1);
        const PanelSeen &panel = panels.first();
        // Gone before the panel came up, and the top row is selected.
        QCOMPARE(panel.listed, (QStringList{"Terminal", "Text Editor"}));
        QCOMPARE(listedNames(), panel.listed);
        QCOMPARE(selectedRow(), 0);
        QVERIFY(panel.modal);
        QVERIFY2(panel.text.contains("Preferences"), qPrintable(panel.text));
        QVERIFY(messageOn());
    }

    // Only the ticked box turns the message off; the next exclusion shows a panel or none.
    void theCheckBoxDecidesTheNextPanel_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::newRow("ticked") << true;
        QTest::newRow("left off") << false;
    }

    void theCheckBoxDecidesTheNextPanel()
    {
        QFETCH(bool, tick);
        QTest::keyClicks(textField(), "t");
        tickBox = tick;
        exclude();
        QCOMPARE(panels.size(), 1);
        QCOMPARE(messageOn(), !tick);

        tickBox = false;
        exclude();
        QCOMPARE(panels.size(), tick ? 1 : 2);
        QCOMPARE(listedNames(), QStringList{"Text Editor"});
        QCOMPARE(messageOn(), !tick);
    }

    void theShortcutExcludesWithoutEditingTheField()
    {
        QTest::keyClicks(textField(), "te");
        answerPanel();
        QTest::keyClick(textField(), Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(textField()->text(), QString("te"));
        QCOMPARE(panels.size(), 1);
        QCOMPARE(run->excludedLocations.locations().last(), entry("Terminal"));
    }

    void nothingIsExcludedWithoutASelectedApplication_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("clearSelection");
        QTest::newRow("no match") << "zzz" << false;
        QTest::newRow("no row selected") << "t" << true;
    }

    void nothingIsExcludedWithoutASelectedApplication()
    {
        QFETCH(QString, typed);
        QFETCH(bool, clearSelection);
        QTest::keyClicks(textField(), typed);
        if (clearSelection)
            list()->clearSelection();
        const QStringList before = run->excludedLocations.locations();
        contextMenu()->popup({0, 0}); // validates its items
        QVERIFY(!excludeAction()->isEnabled());
        contextMenu()->hide();

        exclude();
        QCOMPARE(run->excludedLocations.locations(), before);
        QVERIFY(panels.isEmpty());
    }
};

QTEST_MAIN(TestExcludeSelection)
#include "tst_excludeselection.moc"
