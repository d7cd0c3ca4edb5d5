#include "FakeApplicationRegistry.h"
#include "TestServices.h"
#include "core/ColorPresets.h"
#include "core/LocalizedStrings.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "preferences/PreferencesController.h"
#include "preferences/PreferencesWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <memory>

using Outcome = GlobalShortcutBackend::Outcome;

namespace
{

std::unique_ptr<TestServices> run;
FakeApplicationRegistry registry;

Settings &settings()
{
    return run->settings;
}

// Trovia's notifications, by name: each is a signal of the settings.
const QString WindowAppearanceChangedNotification = QStringLiteral("Window Appearance Changed");
const QString ClassicAppInclusionChangedNotification =
    QStringLiteral("Classic App Inclusion Changed");
const QString ExcludedLocationsChangedNotification = QStringLiteral("Excluded Locations Changed");
const QString MatchScopeChangedNotification = QStringLiteral("Match Scope Changed");

// What a key holds now, as text.
using StoredText = std::function<QString()>;
template <typename T> StoredText storedText(const SettingKey<T> &key)
{
    return [&key] { return QVariant::fromValue(settings().value(key)).toString(); };
}

// Calls handler at every emission of the notification's signal until context is destroyed.
void observe(const QString &notification, const QObject *context, std::function<void()> handler)
{
    Settings *source = &settings();
    if (notification == WindowAppearanceChangedNotification)
        QObject::connect(source, &Settings::windowAppearanceChanged, context, handler);
    else if (notification == ClassicAppInclusionChangedNotification)
        QObject::connect(source, &Settings::classicAppInclusionChanged, context, handler);
    else if (notification == ExcludedLocationsChangedNotification)
        QObject::connect(source, &Settings::excludedLocationsChanged, context, handler);
    else if (notification == MatchScopeChangedNotification)
        QObject::connect(source, &Settings::matchScopeChanged, context, handler);
}

// A key as X delivers it: shortcut override, press, release, with the X keycode.
void pressKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers, quint32 xKeycode,
              const QString &text = {}, bool autoRepeat = false)
{
    QKeyEvent override(QEvent::ShortcutOverride, key, modifiers, xKeycode, 0, 0, text, autoRepeat);
    override.ignore();
    QApplication::sendEvent(target, &override);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, xKeycode, 0, 0, text, autoRepeat);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, xKeycode, 0, 0, text, autoRepeat);
    QApplication::sendEvent(target, &release);
}

// Clicks a check box or radio button on its indicator, the part that takes clicks.
void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

int indexOfPreset(const QString &name)
{
    const QList<QVariantMap> &presets = ColorPresets::colorPresets();
    for (int i = 0; i < presets.size(); ++i) {
        if (presets.at(i).value(QStringLiteral("Name")).toString() == name)
            return i;
    }
    return -1;
}

} // namespace

Q_DECLARE_METATYPE(StoredText)

class TestPreferencesWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    FakeShortcutBackend *desktop = nullptr;
    std::unique_ptr<PreferencesController> controller;
    QStringList posts; // the notifications since the window opened

    template <typename T> T *control(const char *name) const
    {
        auto *found = controller->window()->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("Preferences.ui has no %s", name);
        return found;
    }
    QLineEdit *hotKeyField() const { return control<QLineEdit>("hotKeyField"); }
    QString errorText() const { return control<QLabel>("hotKeyErrorField")->text(); }
    QStringList postedNames() const { return posts; }

    void openWindow()
    {
        controller = std::make_unique<PreferencesController>(
            run->settings, run->hotKeys, run->excludedLocations, run->loginItems, registry);
        controller->showWindow();
        QVERIFY(QTest::qWaitForWindowActive(controller->window()));
        posts.clear();
        for (const QString &notification :
             {WindowAppearanceChangedNotification, ClassicAppInclusionChangedNotification,
              ExcludedLocationsChangedNotification, MatchScopeChangedNotification})
            observe(notification, controller.get(),
                    [this, notification] { posts << notification; });
        desktop->calls.clear();
    }
    void reopen()
    {
        cleanup();
        openWindow();
    }

    void startRecording()
    {
        hotKeyField()->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(controller->window()->focusWidget(), hotKeyField());
    }

private Q_SLOTS:
    void initTestCase()
    {
        run = std::make_unique<TestServices>(home.path());
        ColorPresets::initialize(run->settings);
        QVERIFY2(ColorPresets::colorPresets().size() > 1, "the shipped presets were not found");
        desktop = run->shortcuts;
    }

    void cleanupTestCase()
    {
        controller.reset();
        run.reset();
    }

    // Each case starts as a first run: nothing stored, the shipped presets, the colour applied.
    void init()
    {
        settings().remove(WindowStyleKey, WindowColorKey, WindowColorPresetKey,
                          CustomWindowColorKey, HotKeyCodeKey, HotKeyModifiersKey,
                          IncludeClassicAppsKey, ShowFullscreenMessageKey, MaximumListHeightKey,
                          ExcludedLocationsKey, MainWindowXKey, MainWindowYKey,
                          MatchMoreThanNamesKey);
        ColorPresets::loadColorPresets(run->settings);
        desktop->next.outcome = Outcome::Registered;
        run->hotKeys.registerHotKey();
        openWindow();
    }

    void cleanup()
    {
        posts.clear();
        controller.reset();
    }

    // Opening shows the stored choices, never starts recording and announces nothing.
    void showsTheSettingsAfterLoading_data()
    {
        QTest::addColumn<bool>("choicesStored");
        QTest::addColumn<bool>("loginItem");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("keyName");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("rows");
        QTest::newRow("defaults") << false << false
                                  << QStringList{"hotKeyOptionModifierButton",
                                                 "matchMoreThanNamesButton", "shinyStyleButton"}
                                  << "esc" << QString() << 7;
        QTest::newRow("stored choices")
            << true << true
            << QStringList{"excludeClassicAppsButton", "hotKeyControlModifierButton",
                           "hotKeyShiftModifierButton", "matteStyleButton", "openAtLoginButton"}
            << "F1" << QString() << 12;
    }

    void showsTheSettingsAfterLoading()
    {
        QFETCH(bool, choicesStored);
        QFETCH(bool, loginItem);
        QFETCH(QStringList, checked);
        QFETCH(QString, keyName);
        QFETCH(QString, error);
        QFETCH(int, rows);
        if (choicesStored) {
            settings().setValue(WindowStyleKey, MatteStyle);
            settings().setValue(IncludeClassicAppsKey, false);
            settings().setValue(MatchMoreThanNamesKey, false);
            settings().setValue(HotKeyCodeKey, 0x7A);
            settings().setValue(HotKeyModifiersKey, 0x1000 | 0x200);
            settings().setValue(MaximumListHeightKey, 12);
        }
        const QString trovia = QCoreApplication::applicationFilePath();
        if (loginItem)
            QVERIFY(run->loginItems.addLoginItem(trovia));
        reopen();
        if (loginItem)
            QVERIFY(run->loginItems.removeLoginItem(trovia));

        QStringList on;
        for (QAbstractButton *box : controller->window()->findChildren<QAbstractButton *>()) {
            if (box->isCheckable() && box->isChecked())
                on << box->objectName();
        }
        on.sort();
        QCOMPARE(on, checked);
        QCOMPARE(hotKeyField()->text(), keyName);
        QCOMPARE(errorText(), error);
        QCOMPARE(control<QSpinBox>("maximumListHeightSpinBox")->value(), rows);
        QCOMPARE(control<QComboBox>("colorPopUpButton")->currentIndex(),
                 indexOfPreset(QStringLiteral("Medium Gray")));
        // A stray key must not replace the hot key.
        QVERIFY(controller->window()->focusWidget() != hotKeyField());
        QVERIFY(postedNames().isEmpty());
    }

    // Each control stores its choice, then announces it: observers read the new value.
    void controlsStoreThenAnnounce_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<StoredText>("read");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("notification");
        QTest::newRow("matte") << "matteStyleButton" << storedText(WindowStyleKey)
                               << QVariant(MatteStyle) << WindowAppearanceChangedNotification;
        QTest::newRow("Wine left out")
            << "excludeClassicAppsButton" << storedText(IncludeClassicAppsKey) << QVariant(false)
            << ClassicAppInclusionChangedNotification;
        QTest::newRow("names alone")
            << "matchMoreThanNamesButton" << storedText(MatchMoreThanNamesKey) << QVariant(false)
            << MatchScopeChangedNotification;
        QTest::newRow("list height")
            << "maximumListHeightSpinBox" << storedText(MaximumListHeightKey) << QVariant(8)
            << WindowAppearanceChangedNotification;
        QTest::newRow("next preset") << "colorPopUpButton" << storedText(WindowColorPresetKey)
                                     << QVariant() << WindowAppearanceChangedNotification;
    }

    void controlsStoreThenAnnounce()
    {
        QFETCH(QString, button);
        QFETCH(StoredText, read);
        QFETCH(QVariant, stored);
        QFETCH(QString, notification);
        const QColor customBefore = settings().value(CustomWindowColorKey);
        QString seenByObserver;
        QObject observer;
        observe(notification, &observer, [&] { seenByObserver = read(); });
        QWidget *widget = control<QWidget>(qPrintable(button));
        if (auto *box = qobject_cast<QAbstractButton *>(widget)) {
            click(box);
        } else {
            widget->setFocus();
            QTest::keyClick(widget, qobject_cast<QSpinBox *>(widget) ? Qt::Key_Up : Qt::Key_Down);
        }
        if (button == QLatin1String("colorPopUpButton")) {
            const QVariantMap next = ColorPresets::colorPresets().at(
                control<QComboBox>("colorPopUpButton")->currentIndex());
            stored = next.value("Name");
            QCOMPARE(settings().value(WindowColorKey), colorFromPreset(next));
            QCOMPARE(settings().value(CustomWindowColorKey), customBefore);
        }
        QCOMPARE(read(), stored.toString());
        QCOMPARE(seenByObserver, stored.toString());
        QCOMPARE(postedNames(), QStringList{notification});
    }

    // The stored preset is marked by its exact name, else the custom entry, which is last;
    // presets show as swatches of their colour.
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
        QTest::newRow("no presets") << "Medium Gray"
                                    << "";
    }

    void colourMenuMarksTheStoredPreset()
    {
        QFETCH(QString, storedName);
        QFETCH(QString, markedPreset);
        settings().setValue(WindowColorPresetKey, storedName);
        if (QByteArray(QTest::currentDataTag()) == "no presets")
            ColorPresets::loadColorPresets(run->settings,
                                           home.filePath(QStringLiteral("none.plist")));
        reopen();
        auto *colors = control<QComboBox>("colorPopUpButton");
        const int presetCount = int(ColorPresets::colorPresets().size());
        QCOMPARE(colors->count(), presetCount + 1);
        QCOMPARE(colors->currentIndex(),
                 markedPreset.isEmpty() ? presetCount : indexOfPreset(markedPreset));
        for (int i = 0; i < presetCount; ++i) {
            const QImage swatch = colors->itemIcon(i).pixmap(QSize(32, 13)).toImage();
            QCOMPARE(swatch.pixelColor(16, 6).rgb(),
                     colorFromPreset(ColorPresets::colorPresets().at(i)).rgb());
        }
    }

    void customColourPanelAppliesEveryPickedColour()
    {
        auto *colors = control<QComboBox>("colorPopUpButton");
        const QColor inUse = settings().value(WindowColorKey);
        const QString presetBefore = settings().value(WindowColorPresetKey);

        // Opening the panel, or closing it without a pick, only remembers the colour in use.
        colors->setFocus();
        QTest::keyClick(colors, Qt::Key_End);
        QColorDialog *panel = controller->colorPanel();
        QTRY_VERIFY(panel->isVisible());
        QCOMPARE(panel->currentColor().rgb(), inUse.rgb());
        panel->close();
        QCOMPARE(settings().value(CustomWindowColorKey), inUse);
        QCOMPARE(settings().value(WindowColorPresetKey), presetBefore);
        QVERIFY(postedNames().isEmpty());

        const QColor pick(200, 40, 40);
        panel->setCurrentColor(pick);
        QCOMPARE(settings().value(WindowColorKey), pick);
        QCOMPARE(settings().value(CustomWindowColorKey), pick);
        QCOMPARE(settings().value(WindowColorPresetKey), QStringLiteral("Custom"));
        QCOMPARE(colors->currentIndex(), colors->count() - 1);
        QCOMPARE(postedNames(), QStringList{WindowAppearanceChangedNotification});
    }

    void openAtLoginAddsAndRemovesTrovia()
    {
        auto *box = control<QCheckBox>("openAtLoginButton");
        click(box);
        QCOMPARE(run->loginItems.paths, QStringList{QCoreApplication::applicationFilePath()});
        click(box);
        QVERIFY(run->loginItems.paths.isEmpty());

        // A desktop that keeps no login item: the box shows what really happened.
        run->loginItems.refusing = true;
        click(box);
        QVERIFY(!box->isChecked());
        run->loginItems.refusing = false;
    }

    // A mixed box counts as off: Wine applications left out, no login item, no modifier bit.
    void mixedCheckBoxesCountAsNotOn()
    {
        const QString trovia = QCoreApplication::applicationFilePath();
        QVERIFY(run->loginItems.addLoginItem(trovia));
        for (const char *name :
             {"excludeClassicAppsButton", "openAtLoginButton", "hotKeyShiftModifierButton"}) {
            control<QCheckBox>(name)->setTristate(true);
            control<QCheckBox>(name)->setCheckState(Qt::PartiallyChecked);
        }
        controller->setExcludeClassicApps();
        controller->setOpenAtLogin();
        controller->hotKeyChanged();
        QCOMPARE(settings().value(IncludeClassicAppsKey), false);
        QVERIFY(!run->loginItems.loginItemExists(trovia));
        QCOMPARE(control<QCheckBox>("openAtLoginButton")->checkState(), Qt::Unchecked);
        QCOMPARE(settings().value(HotKeyModifiersKey), qint64(0x800));
    }

    // All four off is a valid hot key too: the bare key.
    void modifierBoxesStoreTheirSumAndRegisterAnew()
    {
        for (const char *name : {"hotKeyOptionModifierButton", "hotKeyCommandModifierButton",
                                 "hotKeyShiftModifierButton", "hotKeyControlModifierButton"})
            click(control<QCheckBox>(name));
        QCOMPARE(settings().value(HotKeyModifiersKey), qint64(0x1300));
        QCOMPARE(desktop->registrations(),
                 (QStringList{"register 53 0x0", "register 53 0x100", "register 53 0x300",
                              "register 53 0x1300"}));
    }

    // Every key is taken while recording, Escape and Tab included; modifiers held with it come
    // only from the boxes; a modifier alone, or a key outside the table, changes nothing.
    void recordsTheKeyPressedInTheHotKeyField_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<uint>("xKeycode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("error");
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << 23u << "\t" << 0x30 << "\u21E5"
                             << "";
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 9u << "\x1b" << 0x35 << "esc"
                                << "";
        QTest::newRow("Shift+A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << 38u << "A" << 0x00
                                 << "A"
                                 << "";
        QTest::newRow("Shift alone")
            << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << 50u << "" << 0x31 << "Space"
            << "";
        QTest::newRow("media key") << int(Qt::Key_MediaPlay) << 0 << 172u << "" << 0x31 << "Space"
                                   << LocalizedStrings::text("HotKeyNotUsable");
    }

    void recordsTheKeyPressedInTheHotKeyField()
    {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(uint, xKeycode);
        QFETCH(QString, text);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(QString, error);
        // Start from Space so that Escape's case shows a change.
        settings().setValue(HotKeyCodeKey, 0x31);
        reopen();
        startRecording();
        pressKey(hotKeyField(), qtKey, Qt::KeyboardModifiers(modifiers), xKeycode, text);
        QCOMPARE(settings().value(HotKeyCodeKey), qint64(stored));
        QCOMPARE(hotKeyField()->text(), shown);
        QCOMPARE(errorText(), error);
        QCOMPARE(settings().value(HotKeyModifiersKey), qint64(0x800));
        QCOMPARE(desktop->registrations(),
                 stored == 0x31 ? QStringList()
                                : QStringList{QString("register %1 0x800").arg(stored)});
        // The key did nothing else: the focus stayed and the dialog stayed open.
        QCOMPARE(controller->window()->focusWidget(), hotKeyField());
        QVERIFY(controller->window()->isVisible());
    }

    // A held key is recorded once: its repeats do not register the combination again.
    void heldKeyIsRecordedOnce()
    {
        startRecording();
        pressKey(hotKeyField(), Qt::Key_F1, Qt::NoModifier, 67);
        pressKey(hotKeyField(), Qt::Key_F1, Qt::NoModifier, 67, {}, true);
        QCOMPARE(settings().value(HotKeyCodeKey), qint64(0x7A));
        QCOMPARE(desktop->registrations(), QStringList{"register 122 0x800"});
    }

    // The field never traps the keyboard: Ctrl+Tab leaves it without recording; once a key was
    // recorded there, Tab and Shift+Tab leave it too (the first Tab is still recorded).
    void hotKeyFieldCanBeLeftWithTheKeyboard()
    {
        settings().setValue(HotKeyCodeKey, 0x31);
        reopen();
        startRecording();
        pressKey(hotKeyField(), Qt::Key_Tab, Qt::ControlModifier, 23u, QStringLiteral("\t"));
        QVERIFY(controller->window()->focusWidget() != hotKeyField());
        QCOMPARE(settings().value(HotKeyCodeKey), qint64(0x31));

        startRecording();
        pressKey(hotKeyField(), Qt::Key_Tab, Qt::NoModifier, 23u, QStringLiteral("\t"));
        QCOMPARE(settings().value(HotKeyCodeKey), qint64(0x30));
        QCOMPARE(controller->window()->focusWidget(), hotKeyField());
        pressKey(hotKeyField(), Qt::Key_Backtab, Qt::ShiftModifier, 23u);
        QVERIFY(controller->window()->focusWidget() != hotKeyField());
        QCOMPARE(settings().value(HotKeyCodeKey), qint64(0x30));
        QWidget *previous = controller->window()->focusWidget();

        // Ctrl+Shift+Tab goes back without recording; each visit records Tab anew.
        settings().setValue(HotKeyCodeKey, 0x31);
        startRecording();
        pressKey(hotKeyField(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 23u);
        QCOMPARE(controller->window()->focusWidget(), previous);
        startRecording();
        pressKey(hotKeyField(), Qt::Key_Tab, Qt::NoModifier, 23u, QStringLiteral("\t"));
        QCOMPARE(settings().value(HotKeyCodeKey), qint64(0x30));
        QCOMPARE(controller->window()->focusWidget(), hotKeyField());
    }

    // Every language's texts fit: no label, button, group title or spin box is given less room
    // than its text needs, and the window fits on the screen (run at 1x and, as its own test, 2x).
    void noTextIsClippedInAnyLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << QString();
        const QStringList built = QDir(qEnvironmentVariable("TROVIA_BUILT_TRANSLATIONS"))
                                      .entryList({QStringLiteral("trovia_*.qm")}, QDir::Files);
        QCOMPARE(built.size(), 6);
        for (const QString &file : built)
            QTest::newRow(qPrintable(file)) << file.chopped(3);
    }

    void noTextIsClippedInAnyLanguage()
    {
        QFETCH(QString, language);
        cleanup();
        // Trovia's texts, and Qt's own for the Close button.
        QTranslator translator, qtTranslator;
        if (!language.isEmpty()) {
            QVERIFY(translator.load(language, qEnvironmentVariable("TROVIA_BUILT_TRANSLATIONS")));
            QCoreApplication::installTranslator(&translator);
            QVERIFY(qtTranslator.load(QLocale(language.mid(7)), QStringLiteral("qtbase"),
                                      QStringLiteral("_"),
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
            QCoreApplication::installTranslator(&qtTranslator);
        }
        const auto untranslate = qScopeGuard([&translator, &qtTranslator] {
            QCoreApplication::removeTranslator(&translator);
            QCoreApplication::removeTranslator(&qtTranslator);
        });
        openWindow();
        PreferencesWindow *window = controller->window();
        // With a message of two lines or more under the hot key: a key Trovia cannot use.
        startRecording();
        pressKey(hotKeyField(), Qt::Key_MediaPlay, Qt::NoModifier, 172u);
        QVERIFY(!errorText().isEmpty());
        QTest::qWait(50);
        QStringList clipped;
        if (!window->screen()->availableGeometry().contains(window->frameGeometry()))
            clipped << QStringLiteral("the window does not fit on the screen: %1x%2 in %3x%4")
                           .arg(window->frameGeometry().width())
                           .arg(window->frameGeometry().height())
                           .arg(window->screen()->availableGeometry().width())
                           .arg(window->screen()->availableGeometry().height());
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->isVisible())
                continue;
            QString text;
            QSize needed = widget->minimumSizeHint();
            if (auto *label = qobject_cast<QLabel *>(widget)) {
                text = label->text();
                needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                           : label->sizeHint();
            } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
                text = button->text();
            } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
                text = group->title();
            } else if (!qobject_cast<QAbstractSpinBox *>(widget)) {
                continue;
            }
            if (widget->width() < needed.width() || widget->height() < needed.height())
                clipped << QStringLiteral("%1 \"%2\": %3x%4 < %5x%6")
                               .arg(widget->objectName(), text)
                               .arg(widget->width())
                               .arg(widget->height())
                               .arg(needed.width())
                               .arg(needed.height());
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
    }

    void recordingComesBeforeShortcutsAndOnlyWhileFocused()
    {
        auto *closeWindow = new QAction(controller->window());
        closeWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
        controller->window()->addAction(closeWindow);
        QSignalSpy triggered(closeWindow, &QAction::triggered);
        auto *classic = control<QCheckBox>("excludeClassicAppsButton");
        classic->setFocus();
        QTest::keyClick(classic, Qt::Key_W, Qt::ControlModifier);
        pressKey(classic, Qt::Key_Space, Qt::NoModifier, 65, QStringLiteral(" "));
        QCOMPARE(triggered.size(), 1);
        QVERIFY(classic->isChecked());
        QVERIFY(desktop->registrations().isEmpty());

        startRecording();
        QTest::keyClick(hotKeyField(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(triggered.size(), 1);
    }

    // Refused: what to do in this window; no shortcuts at all: what to do on this desktop. The
    // settings keep the combination; every later registration says again.
    void refusedCombinationIsShownAfterItsName_data()
    {
        QTest::addColumn<Outcome>("answer");
        QTest::newRow("another program holds it") << Outcome::Refused;
        QTest::newRow("no global shortcuts here") << Outcome::Unsupported;
    }

    void refusedCombinationIsShownAfterItsName()
    {
        QFETCH(Outcome, answer);
        desktop->next.outcome = answer;
        startRecording();
        pressKey(hotKeyField(), Qt::Key_F1, Qt::NoModifier, 67);
        QCOMPARE(hotKeyField()->text(), QStringLiteral("F1"));
        const QString told =
            answer == Outcome::Refused
                ? LocalizedStrings::text(QStringLiteral("HotKeyTakenInPreferences"))
                : run->hotKeys.refusalMessage();
        QCOMPARE(errorText(), told);
        QCOMPARE(settings().value(HotKeyCodeKey), qint64(0x7A));

        click(control<QCheckBox>("hotKeyControlModifierButton"));
        QVERIFY(!errorText().isEmpty());
        desktop->next.outcome = Outcome::Registered;
        click(control<QCheckBox>("hotKeyControlModifierButton"));
        QCOMPARE(errorText(), QString());
        QVERIFY(!control<QLabel>("hotKeyErrorField")->isVisible());
    }

    void becomingActiveRefreshesTheKeyName()
    {
        settings().setValue(HotKeyCodeKey, 0x7A);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(hotKeyField()->text(), QStringLiteral("esc"));
        controller->showWindow();
        QVERIFY(QTest::qWaitForWindowActive(controller->window()));
        QCOMPARE(hotKeyField()->text(), QStringLiteral("F1"));
    }
};

QTEST_MAIN(TestPreferencesWindow)
#include "tst_preferenceswindow.moc"
