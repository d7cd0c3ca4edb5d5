#include "ControllerFixture.h"
#include "catalogue/Catalogue.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "launcher/Controller.h"
#include "platform/ApplicationLauncher.h"
#include "preferences/ExcludedLocationsManager.h"
#include "preferences/PreferencesController.h"
#include "preferences/PreferencesWindow.h"
#include "presentation/ResultListWindow.h"
#include "presentation/TroviaView.h"
#include "presentation/TroviaWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace
{

QString entry(const QString &name)
{
    return QStringLiteral("/apps/") + name + QStringLiteral(".desktop");
}

// Wine Notepad is the one Windows application.
void fillRegistry(FakeApplicationRegistry &registry)
{
    for (const char *name : {"Terminal", "Tetris", "Text Editor"})
        registry.addEntry(entry(name), name);
    registry.addEntry(entry("Notepad"), QStringLiteral("Wine Notepad"), true);
    registry.pathsById.insert(QStringLiteral("org.trovia.Trovia.desktop"),
                              QStringLiteral("/trovia.desktop"));
}

} // namespace

class TestPreferencesIntegration : public ControllerFixture
{
    Q_OBJECT

    PreferencesWindow *openPreferences()
    {
        QTest::keyClick(textField(), Qt::Key_Comma, Qt::ControlModifier);
        PreferencesController *preferences = preferencesController();
        return preferences ? preferences->window() : nullptr;
    }
    template <typename T> T *control(const char *name)
    {
        return preferencesController()->window()->findChild<T *>(QLatin1String(name));
    }
    static void click(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    TroviaView *mainView() const { return mainWindow()->findChild<TroviaView *>(); }
    static int preferencesWindows()
    {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            count += qobject_cast<PreferencesWindow *>(widget) ? 1 : 0;
        return count;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        run = std::make_unique<TestServices>(home.path());
        fillRegistry(registry);
    }

    void init()
    {
        run->settings.remove(WindowStyleKey, WindowColorKey, WindowColorPresetKey,
                             CustomWindowColorKey, HotKeyCodeKey, HotKeyModifiersKey,
                             IncludeClassicAppsKey, ShowFullscreenMessageKey, MaximumListHeightKey,
                             ExcludedLocationsKey, MainWindowXKey, MainWindowYKey);
        startController();
    }

    void cleanup() { controller.reset(); }

    void ctrlCommaOpensOneWindowInFront()
    {
        PreferencesWindow *preferences = openPreferences();
        QVERIFY(preferences);
        QVERIFY(QTest::qWaitForWindowActive(preferences));
        QVERIFY(mainWindow()->isVisible());

        // Again from the main window: the same window comes forward.
        controller->activate();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
        QCOMPARE(openPreferences(), preferences);
        QVERIFY(QTest::qWaitForWindowActive(preferences));
        QCOMPARE(preferencesWindows(), 1);
    }

    void openingWhileHiddenBringsTroviaBackWithPreferencesInFront()
    {
        controller->hide();
        QVERIFY(!mainWindow()->isVisible());
        controller->showPreferencePanel();
        PreferencesWindow *preferences = preferencesController()->window();
        QVERIFY(mainWindow()->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(preferences));
        QVERIFY(controller->isActive());
    }

    void styleAndColourShowInTheMainWindowAtOnce()
    {
        QVERIFY(openPreferences());
        QCOMPARE(mainView()->surfaceStyle(), int(ShinyStyle));
        click(control<QRadioButton>("matteStyleButton"));
        QCOMPARE(mainView()->surfaceStyle(), int(MatteStyle));

        const QColor picked(30, 120, 60);
        preferencesController()->chooseCustomWindowColor();
        preferencesController()->colorPanel()->setCurrentColor(picked);
        QCOMPARE(mainView()->backgroundColor().rgb(), picked.rgb());
    }

    void listFollowsWineExclusionsAndHeightAtOnce()
    {
        QTest::keyClicks(textField(), QStringLiteral("te"));
        QCOMPARE(listedNames().size(), 4);
        const int fourRows = listWindow()->height();
        QVERIFY(openPreferences());

        click(control<QCheckBox>("excludeClassicAppsButton"));
        QVERIFY(!listedNames().contains(QStringLiteral("Wine Notepad")));
        QCOMPARE(listedNames().size(), 3);

        preferencesController()->excludedLocationsTable().setLocationChooser(
            [](QWidget *) -> std::optional<QStringList> {
                return QStringList{entry(QStringLiteral("Tetris"))};
            });
        control<QPushButton>("addLocationButton")->click();
        QCOMPARE(listedNames(),
                 (QStringList{QStringLiteral("Terminal"), QStringLiteral("Text Editor")}));

        // Fewer rows shown: the list window gets shorter while it is up.
        QVERIFY(listWindow()->isVisible());
        const int twoRows = listWindow()->height();
        QVERIFY(twoRows < fourRows);
        auto *height = control<QSpinBox>("maximumListHeightSpinBox");
        height->setValue(1);
        QVERIFY(listWindow()->height() < twoRows);
    }
};

QTEST_MAIN(TestPreferencesIntegration)
#include "tst_preferencesintegration.moc"
