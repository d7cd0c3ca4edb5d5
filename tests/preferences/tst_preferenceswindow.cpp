#include "ColorPresets.h"
#include "ExcludedLocationsManager.h"
#include "GlobalShortcutBackend.h"
#include "HotKeyManager.h"
#include "LocalizedStrings.h"
#include "LoginItems.h"
#include "NotificationCenter.h"
#include "PreferencesController.h"
#include "PreferencesWindow.h"
#include "Settings.h"
#include "SettingsKeys.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace
{

// The desktop's side of the hot key: remembers what Trovia registers and answers as told.
class RecordingShortcutBackend : public GlobalShortcutBackend
{
public:
    struct Registered {
        quint16 keyCode;
        quint32 modifiers;
        bool operator==(const Registered &other) const
        {
            return keyCode == other.keyCode && modifiers == other.modifiers;
        }
    };

    Registration registerShortcut(quint16 virtualKeyCode, quint32 modifiers) override
    {
        registrations.append({virtualKeyCode, modifiers});
        return {answer, QStringLiteral("held by another program")};
    }
    void unregisterShortcut() override {}

    QList<Registered> registrations;
    Outcome answer = Outcome::Registered;
};

// X keycodes of a US keyboard (evdev code + 8).
enum XKeycode : quint32 {
    XEscape = 9,
    XTab = 23,
    XReturn = 36,
    XA = 38,
    XShiftL = 50,
    XSpace = 65,
    XF1 = 67,
};

const QStringList everyKey = {
    WindowStyleKey,      WindowColorKey,       WindowColorPresetKey,  CustomWindowColorKey,
    HotKeyCodeKey,       HotKeyModifiersKey,   IncludeClassicAppsKey, ShowFullscreenMessageKey,
    MaximumListHightKey, ExcludedLocationsKey, MainWindowXKey,        MainWindowYKey,
};

} // namespace

class TestPreferencesWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    RecordingShortcutBackend *desktop = nullptr;
    std::unique_ptr<PreferencesController> controller;
    std::unique_ptr<QSignalSpy> posts;

    PreferencesWindow *window() const { return controller->window(); }
    template <typename T> T *control(const char *name) const
    {
        auto *found = window()->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("Preferences.ui has no %s", name);
        return found;
    }
    QStringList postedNames() const
    {
        QStringList names;
        for (const QList<QVariant> &post : *posts)
            names << post.at(0).toString();
        return names;
    }
    static Settings &settings() { return Settings::standard(); }

    void openWindow()
    {
        controller = std::make_unique<PreferencesController>();
        controller->showWindow();
        QVERIFY(window());
        QVERIFY(QTest::qWaitForWindowActive(window()));
        posts = std::make_unique<QSignalSpy>(&NotificationCenter::defaultCenter(),
                                             &NotificationCenter::posted);
        desktop->registrations.clear();
    }

    // A key as X delivers it: the shortcut override first, then the press and the release, each
    // carrying the key's X keycode as its native scan code.
    static void pressKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers,
                         quint32 xKeycode, const QString &text = {})
    {
        QKeyEvent override(QEvent::ShortcutOverride, key, modifiers, xKeycode, 0, 0, text);
        override.ignore();
        QApplication::sendEvent(target, &override);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, xKeycode, 0, 0, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, xKeycode, 0, 0, text);
        QApplication::sendEvent(target, &release);
    }

    // Clicks a check box or radio button on its indicator, the part that takes clicks.
    static void click(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    void startRecording()
    {
        auto *field = control<QLineEdit>("hotKeyField");
        field->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(window()->focusWidget(), field);
    }

    int indexOfPreset(const QString &name) const
    {
        const QList<QVariantMap> &presets = ColorPresets::colorPresets();
        for (int i = 0; i < presets.size(); ++i) {
            if (presets.at(i).value(QStringLiteral("Name")).toString() == name)
                return i;
        }
        return -1;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        ColorPresets::initialize();
        QVERIFY2(ColorPresets::colorPresets().size() > 1, "the shipped presets were not found");
        auto backend = std::make_unique<RecordingShortcutBackend>();
        desktop = backend.get();
        HotKeyManager::sharedManager().setBackend(std::move(backend));
    }

    // Each case starts as a first run: nothing stored, the shipped presets, the colour applied.
    void init()
    {
        for (const QString &key : everyKey)
            settings().remove(key);
        ColorPresets::loadColorPresets();
        desktop->answer = GlobalShortcutBackend::Outcome::Registered;
        HotKeyManager::sharedManager().registerHotKey();
        openWindow();
    }

    void cleanup()
    {
        posts.reset();
        controller.reset();
    }

    void showsTheDefaultsAfterLoading()
    {
        QCOMPARE(control<QLineEdit>("hotKeyField")->text(), QStringLiteral("esc"));
        QCOMPARE(control<QLabel>("hotKeyErrorField")->text(), QString());
        QVERIFY(control<QCheckBox>("hotKeyOptionModifierButton")->isChecked());
        QVERIFY(!control<QCheckBox>("hotKeyCommandModifierButton")->isChecked());
        QVERIFY(!control<QCheckBox>("hotKeyShiftModifierButton")->isChecked());
        QVERIFY(!control<QCheckBox>("hotKeyControlModifierButton")->isChecked());
        QVERIFY(control<QRadioButton>("shinyStyleButton")->isChecked());
        QVERIFY(!control<QRadioButton>("matteStyleButton")->isChecked());
        QVERIFY(!control<QCheckBox>("excludeClassicAppsButton")->isChecked());
        QVERIFY(!control<QCheckBox>("openAtLoginButton")->isChecked());
        QCOMPARE(control<QSpinBox>("maximumListHeightSpinBox")->value(), 7);
        QCOMPARE(control<QComboBox>("colorPopUpButton")->currentIndex(),
                 indexOfPreset(QStringLiteral("Medium Gray")));
        // Opening the window must not start recording: a stray key would replace the hot key.
        QVERIFY(window()->focusWidget() != control<QLineEdit>("hotKeyField"));
        // The modifier boxes read as a Linux keyboard labels them.
        QCOMPARE(control<QCheckBox>("hotKeyCommandModifierButton")->text(),
                 QStringLiteral("Super"));
        QCOMPARE(control<QCheckBox>("hotKeyOptionModifierButton")->text(), QStringLiteral("Alt"));
        QCOMPARE(control<QCheckBox>("hotKeyControlModifierButton")->text(), QStringLiteral("Ctrl"));
        QVERIFY(postedNames().isEmpty());
    }

    void showsStoredChoices()
    {
        cleanup();
        settings().setInteger(WindowStyleKey, MatteStyle);
        settings().setBool(IncludeClassicAppsKey, false);
        settings().setInteger(HotKeyCodeKey, 0x7A);
        settings().setInteger(HotKeyModifiersKey, 0x1000 | 0x200);
        settings().setInteger(MaximumListHightKey, 12);
        const QString trovia = QCoreApplication::applicationFilePath();
        QVERIFY(ASLoginItems::sharedLoginItems().addLoginItem(trovia));
        openWindow();
        QVERIFY(control<QCheckBox>("openAtLoginButton")->isChecked());
        QVERIFY(ASLoginItems::sharedLoginItems().removeLoginItem(trovia));
        QVERIFY(control<QRadioButton>("matteStyleButton")->isChecked());
        QVERIFY(control<QCheckBox>("excludeClassicAppsButton")->isChecked());
        QCOMPARE(control<QLineEdit>("hotKeyField")->text(), QStringLiteral("F1"));
        QVERIFY(control<QCheckBox>("hotKeyControlModifierButton")->isChecked());
        QVERIFY(control<QCheckBox>("hotKeyShiftModifierButton")->isChecked());
        QVERIFY(!control<QCheckBox>("hotKeyOptionModifierButton")->isChecked());
        QCOMPARE(control<QSpinBox>("maximumListHeightSpinBox")->value(), 12);
    }

    void choosingAStyleStoresThenAnnounces()
    {
        qint64 styleSeenByObserver = 0;
        QObject observer;
        NotificationCenter::defaultCenter().addObserver(
            WindowAppearanceChangedNotification, &observer,
            [&] { styleSeenByObserver = settings().integer(WindowStyleKey); });

        click(control<QRadioButton>("matteStyleButton"));
        QCOMPARE(settings().integer(WindowStyleKey), qint64(MatteStyle));
        QCOMPARE(styleSeenByObserver, qint64(MatteStyle));
        QCOMPARE(postedNames(), QStringList{WindowAppearanceChangedNotification});

        click(control<QRadioButton>("shinyStyleButton"));
        QCOMPARE(settings().integer(WindowStyleKey), qint64(ShinyStyle));
        QCOMPARE(postedNames().size(), 2);
    }

    void choosingAPresetStoresItsColourAndName()
    {
        auto *colors = control<QComboBox>("colorPopUpButton");
        const QByteArray customBefore = settings().object(CustomWindowColorKey).toByteArray();
        const int start = colors->currentIndex();
        QColor colourSeenByObserver;
        QObject observer;
        NotificationCenter::defaultCenter().addObserver(
            WindowAppearanceChangedNotification, &observer,
            [&] { colourSeenByObserver = settings().color(WindowColorKey); });

        colors->setFocus();
        QTest::keyClick(colors, Qt::Key_Down);
        const QVariantMap next = ColorPresets::colorPresets().at(start + 1);
        QCOMPARE(settings().color(WindowColorKey), colorFromPreset(next));
        QCOMPARE(colourSeenByObserver, colorFromPreset(next));
        QCOMPARE(settings().string(WindowColorPresetKey), next.value("Name").toString());
        QCOMPARE(settings().object(CustomWindowColorKey).toByteArray(), customBefore);
        QCOMPARE(postedNames(), QStringList{WindowAppearanceChangedNotification});
    }

    void colourMenuMarksTheStoredPreset_data()
    {
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<QString>("markedPreset"); // empty: the custom entry

        QTest::newRow("exact name") << "Medium Gray"
                                    << "Medium Gray";
        QTest::newRow("other letter case") << "medium gray"
                                           << "";
        QTest::newRow("custom") << "Custom"
                                << "";
        QTest::newRow("preset the file lost") << "Chartreuse Dream"
                                              << "";
    }

    void colourMenuMarksTheStoredPreset()
    {
        QFETCH(QString, storedName);
        QFETCH(QString, markedPreset);
        cleanup();
        settings().setObject(WindowColorPresetKey, storedName);
        openWindow();

        auto *colors = control<QComboBox>("colorPopUpButton");
        const int presetCount = int(ColorPresets::colorPresets().size());
        QCOMPARE(colors->count(), presetCount + 1);
        const int expected = markedPreset.isEmpty() ? presetCount : indexOfPreset(markedPreset);
        QCOMPARE(colors->currentIndex(), expected);
        // Presets show by colour alone; the custom entry is last.
        for (int i = 0; i < presetCount; ++i) {
            QCOMPARE(colors->itemText(i), QString());
            const QImage swatch = colors->itemIcon(i).pixmap(QSize(32, 13)).toImage();
            QCOMPARE(swatch.size(), QSize(32, 13));
            const QColor colour = colorFromPreset(ColorPresets::colorPresets().at(i));
            QCOMPARE(swatch.pixelColor(16, 6).rgb(), colour.rgb());
            // A thin dark frame just inside the edge.
            QVERIFY(swatch.pixelColor(0, 0).lightness() < colour.lightness() ||
                    colour.lightness() == 0);
        }
        QCOMPARE(colors->itemText(presetCount), QStringLiteral("Custom..."));
    }

    void colourMenuWithoutPresetsHoldsTheCustomEntryAlone()
    {
        cleanup();
        ColorPresets::loadColorPresets(home.filePath(QStringLiteral("no such presets.plist")));
        openWindow();
        auto *colors = control<QComboBox>("colorPopUpButton");
        QCOMPARE(colors->count(), 1);
        QCOMPARE(colors->currentIndex(), 0);
        QCOMPARE(colors->itemText(0), QStringLiteral("Custom..."));
    }

    void customEntryWithoutItsTextShowsTheKey()
    {
        cleanup();
        LocalizedStrings::loadTable(home.filePath(QStringLiteral("no such table.plist")));
        openWindow();
        auto *colors = control<QComboBox>("colorPopUpButton");
        QCOMPARE(colors->itemText(colors->count() - 1), QStringLiteral("CustomColorLabel..."));
        QVERIFY(LocalizedStrings::loadTable(QStringLiteral(":/trovia/Localizable.plist")));
    }

    void customColourPanelAppliesEveryPickedColour()
    {
        auto *colors = control<QComboBox>("colorPopUpButton");
        const QColor inUse = settings().color(WindowColorKey);
        const QString presetBefore = settings().string(WindowColorPresetKey);
        QVERIFY(inUse.isValid());

        // Opening the panel only remembers the colour in use.
        colors->setFocus();
        QTest::keyClick(colors, Qt::Key_End);
        QColorDialog *panel = controller->colorPanel();
        QTRY_VERIFY(panel->isVisible());
        QCOMPARE(panel->currentColor().rgb(), inUse.rgb());
        QCOMPARE(settings().color(CustomWindowColorKey), inUse);
        QCOMPARE(settings().color(WindowColorKey), inUse);
        QCOMPARE(settings().string(WindowColorPresetKey), presetBefore);
        QVERIFY(postedNames().isEmpty());

        // Closing it without a pick changes nothing more.
        panel->close();
        QCOMPARE(settings().color(WindowColorKey), inUse);
        QCOMPARE(settings().string(WindowColorPresetKey), presetBefore);

        const QList<QColor> picks = {QColor(200, 40, 40), QColor(20, 90, 160)};
        for (const QColor &pick : picks) {
            panel->setCurrentColor(pick);
            QCOMPARE(settings().color(WindowColorKey), pick);
            QCOMPARE(settings().color(CustomWindowColorKey), pick);
            QCOMPARE(settings().string(WindowColorPresetKey), QStringLiteral("Custom"));
            QCOMPARE(colors->currentIndex(), colors->count() - 1);
        }
        QCOMPARE(postedNames(), QStringList(picks.size(), WindowAppearanceChangedNotification));

        // A preset picked afterwards leaves the custom colour where it was.
        colors->setFocus();
        QTest::keyClick(colors, Qt::Key_Home);
        QCOMPARE(settings().color(WindowColorKey),
                 colorFromPreset(ColorPresets::colorPresets().first()));
        QCOMPARE(settings().color(CustomWindowColorKey), picks.last());
    }

    void classicCheckBoxStoresTheInverseThenAnnounces()
    {
        auto *box = control<QCheckBox>("excludeClassicAppsButton");
        bool seenByObserver = true;
        QObject observer;
        NotificationCenter::defaultCenter().addObserver(
            ClassicAppInclusionChangedNotification, &observer,
            [&] { seenByObserver = settings().boolean(IncludeClassicAppsKey); });

        click(box);
        QCOMPARE(settings().boolean(IncludeClassicAppsKey), false);
        QCOMPARE(seenByObserver, false);
        click(box);
        QCOMPARE(settings().boolean(IncludeClassicAppsKey), true);
        QCOMPARE(postedNames(), QStringList(2, ClassicAppInclusionChangedNotification));
    }

    void openAtLoginAddsAndRemovesTrovia()
    {
        auto *box = control<QCheckBox>("openAtLoginButton");
        const QString trovia = QCoreApplication::applicationFilePath();
        ASLoginItems items;

        click(box);
        QVERIFY(items.loginItemExists(trovia));
        QCOMPARE(items.loginItemsArray().size(), 1);
        QVERIFY(items.loginItemsArray().first().hide);
        QVERIFY(box->isChecked());

        click(box);
        QVERIFY(!items.loginItemExists(trovia));
        QVERIFY(items.loginItemsArray().isEmpty());
        QVERIFY(postedNames().isEmpty());
    }

    void openAtLoginThatCannotBeWrittenShowsOff()
    {
        // A file where the autostart folder belongs: nothing can be written there.
        QDir().mkpath(home.filePath(QStringLiteral("config")));
        const QString autostart = home.filePath(QStringLiteral("config/autostart"));
        QVERIFY(QDir(autostart).removeRecursively());
        QFile blocker(autostart);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        auto *box = control<QCheckBox>("openAtLoginButton");
        click(box);
        QVERIFY(!box->isChecked());
        QVERIFY(!ASLoginItems().loginItemExists(QCoreApplication::applicationFilePath()));
        QVERIFY(QFile::remove(autostart));
    }

    void mixedCheckBoxesCountAsNotOn()
    {
        // The Classic box stores "left out" for anything but off.
        auto *classic = control<QCheckBox>("excludeClassicAppsButton");
        classic->setTristate(true);
        classic->setCheckState(Qt::PartiallyChecked);
        controller->setExcludeClassicApps();
        QCOMPARE(settings().boolean(IncludeClassicAppsKey), false);

        // Open at login removes the entry.
        const QString trovia = QCoreApplication::applicationFilePath();
        QVERIFY(ASLoginItems::sharedLoginItems().addLoginItem(trovia));
        auto *login = control<QCheckBox>("openAtLoginButton");
        login->setTristate(true);
        login->setCheckState(Qt::PartiallyChecked);
        controller->setOpenAtLogin();
        QVERIFY(!ASLoginItems::sharedLoginItems().loginItemExists(trovia));
        QCOMPARE(login->checkState(), Qt::Unchecked);

        // A modifier box adds no bit.
        auto *shift = control<QCheckBox>("hotKeyShiftModifierButton");
        shift->setTristate(true);
        shift->setCheckState(Qt::PartiallyChecked);
        controller->hotKeyChanged();
        QCOMPARE(settings().integer(HotKeyModifiersKey), qint64(0x800));
    }

    void modifierBoxesStoreTheirSumAndRegisterAnew()
    {
        using Registered = RecordingShortcutBackend::Registered;
        click(control<QCheckBox>("hotKeyCommandModifierButton"));
        QCOMPARE(settings().integer(HotKeyModifiersKey), qint64(0x900));
        click(control<QCheckBox>("hotKeyControlModifierButton"));
        QCOMPARE(settings().integer(HotKeyModifiersKey), qint64(0x1900));
        click(control<QCheckBox>("hotKeyShiftModifierButton"));
        QCOMPARE(settings().integer(HotKeyModifiersKey), qint64(0x1B00));
        for (const char *name : {"hotKeyCommandModifierButton", "hotKeyControlModifierButton",
                                 "hotKeyShiftModifierButton", "hotKeyOptionModifierButton"})
            click(control<QCheckBox>(name));
        // All off: the bare key is the hot key.
        QCOMPARE(settings().integer(HotKeyModifiersKey), qint64(0));
        QCOMPARE(desktop->registrations, (QList<Registered>{{53, 0x900},
                                                            {53, 0x1900},
                                                            {53, 0x1B00},
                                                            {53, 0x1A00},
                                                            {53, 0x0A00},
                                                            {53, 0x0800},
                                                            {53, 0}}));
    }

    void recordsTheKeyPressedInTheHotKeyField_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<uint>("xKeycode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("virtualKeyCode");
        QTest::addColumn<QString>("shownName");

        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << uint(XTab) << "\t" << 0x30
                             << QStringLiteral("\u21E5");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << uint(XEscape) << "\x1b" << 0x35
                                << "esc";
        QTest::newRow("Shift+A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << uint(XA) << "A"
                                 << 0x00 << "A";
        QTest::newRow("Return") << int(Qt::Key_Return) << 0 << uint(XReturn) << "\r" << 0x24
                                << QStringLiteral("\u21A9");
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << uint(XF1) << "" << 0x7A << "F1";
    }

    void recordsTheKeyPressedInTheHotKeyField()
    {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(uint, xKeycode);
        QFETCH(QString, text);
        QFETCH(int, virtualKeyCode);
        QFETCH(QString, shownName);

        // Start from another key so that Escape's case shows a change.
        settings().setInteger(HotKeyCodeKey, 0x31);
        auto *field = control<QLineEdit>("hotKeyField");
        startRecording();
        pressKey(field, qtKey, Qt::KeyboardModifiers(modifiers), xKeycode, text);

        QCOMPARE(settings().integer(HotKeyCodeKey), qint64(virtualKeyCode));
        QCOMPARE(field->text(), shownName);
        QCOMPARE(control<QLabel>("hotKeyErrorField")->text(), QString());
        // Modifiers held with the key come only from the boxes, which stay as they were.
        QCOMPARE(settings().integer(HotKeyModifiersKey), qint64(0x800));
        QVERIFY(!control<QCheckBox>("hotKeyShiftModifierButton")->isChecked());
        const RecordingShortcutBackend::Registered expected{quint16(virtualKeyCode), 0x800};
        QCOMPARE(desktop->registrations, QList<RecordingShortcutBackend::Registered>{expected});
        // The key did nothing else: the focus stayed and the dialog stayed open.
        QCOMPARE(window()->focusWidget(), field);
        QVERIFY(window()->isVisible());
    }

    void recordingComesBeforeShortcuts()
    {
        auto *closeWindow = new QAction(window());
        closeWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
        window()->addAction(closeWindow);
        QSignalSpy triggered(closeWindow, &QAction::triggered);
        auto *field = control<QLineEdit>("hotKeyField");

        // Without recording the shortcut works; while recording the key is taken.
        QTest::keyClick(control<QCheckBox>("excludeClassicAppsButton"), Qt::Key_W,
                        Qt::ControlModifier);
        QCOMPARE(triggered.size(), 1);
        startRecording();
        QTest::keyClick(field, Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(triggered.size(), 1);
        QCOMPARE(window()->focusWidget(), field);
    }

    void modifierPressedAloneIsNoHotKey()
    {
        startRecording();
        pressKey(control<QLineEdit>("hotKeyField"), Qt::Key_Shift, Qt::ShiftModifier, XShiftL);
        QCOMPARE(settings().integer(HotKeyCodeKey), qint64(53));
        QVERIFY(desktop->registrations.isEmpty());
    }

    void keyOutsideTheKeyboardTableIsRefusedPlainly()
    {
        startRecording();
        pressKey(control<QLineEdit>("hotKeyField"), Qt::Key_MediaPlay, Qt::NoModifier, 172);
        QCOMPARE(settings().integer(HotKeyCodeKey), qint64(53));
        QCOMPARE(control<QLineEdit>("hotKeyField")->text(), QStringLiteral("esc"));
        QCOMPARE(control<QLabel>("hotKeyErrorField")->text(),
                 LocalizedStrings::text(QStringLiteral("HotKeyNotUsable")));
        QVERIFY(desktop->registrations.isEmpty());
    }

    void keysReachTheControlsWhenNotRecording()
    {
        auto *classic = control<QCheckBox>("excludeClassicAppsButton");
        classic->setFocus();
        QTRY_COMPARE(window()->focusWidget(), classic);
        pressKey(classic, Qt::Key_Space, Qt::NoModifier, XSpace, QStringLiteral(" "));
        QVERIFY(classic->isChecked());
        QCOMPARE(settings().boolean(IncludeClassicAppsKey), false);
        QCOMPARE(settings().integer(HotKeyCodeKey), qint64(53));
        QVERIFY(desktop->registrations.isEmpty());
    }

    void refusedCombinationIsShownAfterItsName_data()
    {
        QTest::addColumn<GlobalShortcutBackend::Outcome>("answer");
        QTest::newRow("another program holds it") << GlobalShortcutBackend::Outcome::Refused;
        QTest::newRow("no global shortcuts here") << GlobalShortcutBackend::Outcome::Unsupported;
    }

    void refusedCombinationIsShownAfterItsName()
    {
        QFETCH(GlobalShortcutBackend::Outcome, answer);
        desktop->answer = answer;
        auto *field = control<QLineEdit>("hotKeyField");
        auto *error = control<QLabel>("hotKeyErrorField");
        startRecording();
        pressKey(field, Qt::Key_F1, Qt::NoModifier, XF1);
        QCOMPARE(field->text(), QStringLiteral("F1"));
        // Refused: what to do in this window; no shortcuts at all: what to do on this desktop.
        const QString told =
            answer == GlobalShortcutBackend::Outcome::Refused
                ? LocalizedStrings::text(QStringLiteral("HotKeyTakenInPreferences"))
                : HotKeyManager::sharedManager().refusalMessage();
        QVERIFY(!told.isEmpty());
        QCOMPARE(error->text(), told);
        QVERIFY(error->isVisible());
        // The settings keep the refused combination.
        QCOMPARE(settings().integer(HotKeyCodeKey), qint64(0x7A));

        // Changing the modifiers is a registration too: still refused, then accepted.
        click(control<QCheckBox>("hotKeyControlModifierButton"));
        QVERIFY(!error->text().isEmpty());
        desktop->answer = GlobalShortcutBackend::Outcome::Registered;
        click(control<QCheckBox>("hotKeyControlModifierButton"));
        QCOMPARE(error->text(), QString());
        QVERIFY(!error->isVisible());
        QCOMPARE(field->text(), QStringLiteral("F1"));
    }

    void keyWithoutANameShowsTheMessage()
    {
        cleanup();
        settings().setInteger(HotKeyCodeKey, 300);
        openWindow();
        QCOMPARE(control<QLineEdit>("hotKeyField")->text(), QString());
        QCOMPARE(control<QLabel>("hotKeyErrorField")->text(),
                 LocalizedStrings::text(QStringLiteral("HotKeyDisplayingNotSupported")));
    }

    void becomingActiveRefreshesTheKeyName()
    {
        settings().setInteger(HotKeyCodeKey, 0x7A);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(control<QLineEdit>("hotKeyField")->text(), QStringLiteral("esc"));
        controller->showWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));
        QCOMPARE(control<QLineEdit>("hotKeyField")->text(), QStringLiteral("F1"));
    }

    void listHeightIsStored()
    {
        auto *rows = control<QSpinBox>("maximumListHeightSpinBox");
        rows->setFocus();
        QTest::keyClick(rows, Qt::Key_Up);
        QCOMPARE(settings().integer(MaximumListHightKey), qint64(8));
        QCOMPARE(postedNames(), QStringList{WindowAppearanceChangedNotification});
    }

    void excludedLocationsTableShowsTheSharedList()
    {
        auto *table = control<QTableView>("excludedLocationsTable");
        const QString path = home.filePath(QStringLiteral("apps/tool.desktop"));
        ExcludedLocationsManager &manager = ExcludedLocationsManager::sharedManager();
        const int before = table->model()->rowCount();
        manager.addPath(path);
        QCOMPARE(table->model()->rowCount(), before + 1);
        QCOMPARE(table->model()->index(before, 0).data().toString(), path);
        QCOMPARE(settings().stringList(ExcludedLocationsKey).last(), path);
    }
};

QTEST_MAIN(TestPreferencesWindow)
#include "tst_preferenceswindow.moc"
