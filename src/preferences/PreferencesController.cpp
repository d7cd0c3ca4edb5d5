#include "preferences/PreferencesController.h"

#include "core/ColorPresets.h"
#include "core/KeyCodes.h"
#include "core/LocalizedStrings.h"
#include "core/Logging.h"
#include "core/PreferencesDefaults.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "platform/xdg/LoginItems.h"
#include "preferences/ExcludedLocationsManager.h"
#include "preferences/HotKeyRecorder.h"
#include "preferences/PreferencesWindow.h"
#include "presentation/InterfaceLoader.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>

namespace
{

// A preset's swatch: its colour with a thin dark frame just inside the edge.
QIcon swatchIcon(const QColor &color, qreal devicePixelRatio)
{
    const QSize size(32, 13);
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.3f), 1.0));
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    painter.end();
    return QIcon(pixmap);
}

// The hot key and appearance groups sit one above the other: their fields start in one column.
void alignFormLabels(QWidget *window)
{
    const QList<QLabel *> labels = {
        window->findChild<QLabel *>(QStringLiteral("hotKeyLabel")),
        window->findChild<QLabel *>(QStringLiteral("modifiersLabel")),
        window->findChild<QLabel *>(QStringLiteral("styleLabel")),
        window->findChild<QLabel *>(QStringLiteral("colorLabel")),
        window->findChild<QLabel *>(QStringLiteral("listHeightLabel")),
    };
    int width = 0;
    for (const QLabel *label : labels)
        width = label ? qMax(width, label->sizeHint().width()) : width;
    for (QLabel *label : labels) {
        if (label)
            label->setMinimumWidth(width);
    }
}

// A preset's name in the user's language where the string table has it, else as the file gives it.
QString presetNameToSpeak(const QString &name)
{
    const QString key = QStringLiteral("ColorPreset") + QString(name).remove(u' ');
    return LocalizedStrings::contains(key) ? LocalizedStrings::text(key) : name;
}

// The presets show as swatches without text, and Qt 6.4 gives screen readers no value for a combo
// box: its description names the colour shown.
void describeCurrentColor(QComboBox *box)
{
    const QVariant spoken = box->currentData(Qt::AccessibleTextRole);
    box->setAccessibleDescription(spoken.isValid() ? spoken.toString() : box->currentText());
}

bool isOn(const QCheckBox *box)
{
    return box && box->checkState() == Qt::Checked;
}

void setOn(QCheckBox *box, bool on)
{
    if (box)
        box->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

} // namespace

PreferencesController::PreferencesController(Settings &store, HotKeyManager &hotKeyManager,
                                             ExcludedLocations &excluded, ASLoginItems &items,
                                             QObject *parent)
    : QObject(parent), settings(store), hotKeys(hotKeyManager),
      excludedLocations(new ExcludedLocationsManager(excluded, this)), loginItems(items)
{
}

PreferencesController::~PreferencesController()
{
    delete colorPanelInstance.data();
    delete windowInstance.data();
}

PreferencesWindow *PreferencesController::window()
{
    if (!windowInstance) {
        // Made as Trovia's own classes: the window says when it becomes active, the hot key
        // field records keys.
        InterfaceLoader loader;
        loader.registerClass(QStringLiteral("PreferencesWindow"),
                             [](QWidget *parent) { return new PreferencesWindow(parent); });
        loader.registerClass(QStringLiteral("HotKeyRecorder"),
                             [](QWidget *parent) { return new HotKeyRecorder(parent); });
        windowInstance = loader.loadRoot<PreferencesWindow>(QStringLiteral("Preferences.ui"),
                                                            nullptr, QString(), lcPreferences());
        if (!windowInstance)
            return nullptr;
        windowDidLoad();
    }
    return windowInstance;
}

void PreferencesController::showWindow()
{
    QWidget *preferences = window();
    if (!preferences)
        return;
    preferences->show();
    preferences->raise();
    preferences->activateWindow();
}

void PreferencesController::windowDidLoad()
{
    PreferencesWindow *w = windowInstance;
    openAtLoginButton = w->findChild<QCheckBox *>(QStringLiteral("openAtLoginButton"));
    excludeClassicAppsButton =
        w->findChild<QCheckBox *>(QStringLiteral("excludeClassicAppsButton"));
    matchMoreThanNamesButton =
        w->findChild<QCheckBox *>(QStringLiteral("matchMoreThanNamesButton"));
    hotKeyCommandModifierButton =
        w->findChild<QCheckBox *>(QStringLiteral("hotKeyCommandModifierButton"));
    hotKeyOptionModifierButton =
        w->findChild<QCheckBox *>(QStringLiteral("hotKeyOptionModifierButton"));
    hotKeyControlModifierButton =
        w->findChild<QCheckBox *>(QStringLiteral("hotKeyControlModifierButton"));
    hotKeyShiftModifierButton =
        w->findChild<QCheckBox *>(QStringLiteral("hotKeyShiftModifierButton"));
    hotKeyField = w->findChild<HotKeyRecorder *>(QStringLiteral("hotKeyField"));
    if (hotKeyField) {
        connect(hotKeyField, &HotKeyRecorder::keyRecorded, this,
                &PreferencesController::recordHotKey);
        connect(hotKeyField, &HotKeyRecorder::unusableKeyPressed, this, [this] {
            showHotKeyMessage(LocalizedStrings::text(QStringLiteral("HotKeyNotUsable")));
        });
    }
    hotKeyErrorField = w->findChild<QLabel *>(QStringLiteral("hotKeyErrorField"));
    colorPopUpButton = w->findChild<QComboBox *>(QStringLiteral("colorPopUpButton"));
    maximumListHeightSpinBox = w->findChild<QSpinBox *>(QStringLiteral("maximumListHeightSpinBox"));

    // The style cells carry their style as the "tag" property.
    windowStyleMatrix = new QButtonGroup(w);
    if (auto *matrix = w->findChild<QWidget *>(QStringLiteral("windowStyleMatrix"))) {
        for (QAbstractButton *cell : matrix->findChildren<QAbstractButton *>())
            windowStyleMatrix->addButton(cell, cell->property("tag").toInt());
    }
    connect(windowStyleMatrix, &QButtonGroup::idClicked, this,
            &PreferencesController::setWindowStyle);

    for (QCheckBox *box : {hotKeyCommandModifierButton, hotKeyShiftModifierButton,
                           hotKeyOptionModifierButton, hotKeyControlModifierButton}) {
        if (box)
            connect(box, &QCheckBox::clicked, this, &PreferencesController::hotKeyChanged);
    }
    if (openAtLoginButton)
        connect(openAtLoginButton, &QCheckBox::clicked, this,
                &PreferencesController::setOpenAtLogin);
    if (excludeClassicAppsButton)
        connect(excludeClassicAppsButton, &QCheckBox::clicked, this,
                &PreferencesController::setExcludeClassicApps);
    if (matchMoreThanNamesButton)
        connect(matchMoreThanNamesButton, &QCheckBox::clicked, this,
                &PreferencesController::setMatchMoreThanNames);
    if (colorPopUpButton) {
        connect(colorPopUpButton, &QComboBox::activated, this,
                &PreferencesController::colorPopUpActivated);
        connect(colorPopUpButton, &QComboBox::currentIndexChanged, this,
                [this] { describeCurrentColor(colorPopUpButton); });
    }
    if (maximumListHeightSpinBox)
        connect(maximumListHeightSpinBox, &QSpinBox::valueChanged, this,
                &PreferencesController::setMaximumListHeight);

    auto *locationsTable = w->findChild<QTableView *>(QStringLiteral("excludedLocationsTable"));
    if (locationsTable) {
        // Rows as tight as a list's: the table holds one line of text per location.
        locationsTable->verticalHeader()->setDefaultSectionSize(
            locationsTable->fontMetrics().height() + 6);
    }
    excludedLocations->setOutlets(
        locationsTable, w->findChild<QAbstractButton *>(QStringLiteral("addLocationButton")),
        w->findChild<QAbstractButton *>(QStringLiteral("removeLocationButton")));

    if (auto *buttons = w->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))) {
        connect(buttons, &QDialogButtonBox::rejected, w, &QDialog::reject);
        // Opening the window must not start recording a hot key: the first keys go elsewhere.
        if (QPushButton *close = buttons->button(QDialogButtonBox::Close))
            close->setFocus();
    }

    alignFormLabels(w);
    // On a small screen the window gives up table rows rather than leave the screen.
    const QSize room = w->screen()->availableGeometry().size() - QSize(40, 60);
    w->resize(w->sizeHint().boundedTo(room).expandedTo(w->minimumSizeHint()));
    connect(w, &PreferencesWindow::becameKey, this, &PreferencesController::displayHotKey);
    // The desktop portal answers a registration later.
    connect(&hotKeys, &HotKeyManager::registrationRefused, this,
            &PreferencesController::showHotKeyProblems);
    setupColorList();
    updateDisplay();
}

void PreferencesController::updateDisplay()
{
    if (!windowInstance)
        return;

    showOpenAtLoginState();

    const int style = static_cast<int>(settings.integer(WindowStyleKey));
    if (QAbstractButton *cell = windowStyleMatrix->button(style)) {
        cell->setChecked(true);
        // Tab enters the style cells at the checked one, as it does once the user has chosen
        // one; otherwise it stops at the first cell and Tab never reaches the checked one.
        for (QAbstractButton *other : windowStyleMatrix->buttons())
            other->setFocusPolicy(Qt::FocusPolicy(other == cell
                                                      ? other->focusPolicy() | Qt::TabFocus
                                                      : other->focusPolicy() & ~Qt::TabFocus));
    }

    setOn(excludeClassicAppsButton, !PreferencesDefaults::includeClassicApps(settings));
    setOn(matchMoreThanNamesButton, PreferencesDefaults::matchMoreThanNames(settings));

    const qint64 modifiers = settings.integer(HotKeyModifiersKey);
    displayHotKey();
    if (modifiers & KeyCodes::SuperModifier)
        setOn(hotKeyCommandModifierButton, true);
    if (modifiers & KeyCodes::ShiftModifier)
        setOn(hotKeyShiftModifierButton, true);
    if (modifiers & KeyCodes::AltModifier)
        setOn(hotKeyOptionModifierButton, true);
    if (modifiers & KeyCodes::ControlModifier)
        setOn(hotKeyControlModifierButton, true);

    if (maximumListHeightSpinBox) {
        const QSignalBlocker blocker(maximumListHeightSpinBox);
        maximumListHeightSpinBox->setValue(
            static_cast<int>(settings.integer(MaximumListHeightKey)));
    }
}

void PreferencesController::setupColorList()
{
    if (!colorPopUpButton)
        return;
    const QString storedName = settings.string(WindowColorPresetKey);
    const qreal ratio = colorPopUpButton->devicePixelRatioF();
    const QList<QVariantMap> &presets = ColorPresets::colorPresets();

    colorPopUpButton->clear();
    int marked = -1;
    for (int i = 0; i < presets.size(); ++i) {
        const QVariantMap &preset = presets.at(i);
        const QString name = preset.value(QStringLiteral("Name")).toString();
        // Presets show by colour alone; the name is only for screen readers.
        colorPopUpButton->addItem(swatchIcon(colorFromPreset(preset), ratio), QString(), i);
        colorPopUpButton->setItemData(i, presetNameToSpeak(name), Qt::AccessibleTextRole);
        if (marked < 0 && name == storedName)
            marked = i;
    }
    colorPopUpButton->addItem(LocalizedStrings::text(QStringLiteral("CustomColorLabel")) +
                              QStringLiteral("..."));
    colorPopUpButton->setCurrentIndex(marked >= 0 ? marked : colorPopUpButton->count() - 1);
    describeCurrentColor(colorPopUpButton);
}

void PreferencesController::colorPopUpActivated(int index)
{
    if (index == colorPopUpButton->count() - 1)
        chooseCustomWindowColor();
    else
        setPresetWindowColor(colorPopUpButton->itemData(index).toInt());
}

void PreferencesController::setWindowStyle()
{
    const int style = windowStyleMatrix ? windowStyleMatrix->checkedId() : -1;
    if (style < 0)
        return;
    settings.setInteger(WindowStyleKey, style);
    Q_EMIT settings.windowAppearanceChanged();
}

void PreferencesController::setPresetWindowColor(int tag)
{
    const QList<QVariantMap> &presets = ColorPresets::colorPresets();
    if (tag < 0 || tag >= presets.size())
        return;
    const QVariantMap &preset = presets.at(tag);
    settings.setColor(WindowColorKey, colorFromPreset(preset));
    settings.setObject(WindowColorPresetKey, preset.value(QStringLiteral("Name")).toString());
    Q_EMIT settings.windowAppearanceChanged();
}

QColorDialog *PreferencesController::colorPanel()
{
    if (!colorPanelInstance) {
        // A live panel like the main window's colour: no OK or Cancel, every pick applies.
        colorPanelInstance = new QColorDialog(window());
        colorPanelInstance->setOptions(QColorDialog::DontUseNativeDialog | QColorDialog::NoButtons);
        colorPanelInstance->setWindowTitle(tr("Trovia Window Color"));
        connect(colorPanelInstance, &QColorDialog::currentColorChanged, this,
                &PreferencesController::setCustomWindowColor);
    }
    return colorPanelInstance;
}

void PreferencesController::chooseCustomWindowColor()
{
    QColor inUse = settings.color(WindowColorKey);
    // With no colour stored yet (no preset file), the panel starts from the last custom colour.
    if (!inUse.isValid())
        inUse = settings.color(CustomWindowColorKey);
    settings.setColor(CustomWindowColorKey, inUse);

    QColorDialog *panel = colorPanel();
    {
        const QSignalBlocker blocker(panel);
        panel->setCurrentColor(inUse);
    }
    panel->show();
    panel->raise();
    panel->activateWindow();
}

void PreferencesController::setCustomWindowColor(const QColor &color)
{
    if (!color.isValid())
        return;
    settings.setColor(WindowColorKey, color);
    settings.setColor(CustomWindowColorKey, color);
    settings.setObject(WindowColorPresetKey, QStringLiteral("Custom"));
    Q_EMIT settings.windowAppearanceChanged();
    if (colorPopUpButton)
        colorPopUpButton->setCurrentIndex(colorPopUpButton->count() - 1);
}

void PreferencesController::setOpenAtLogin()
{
    const QString path = QCoreApplication::applicationFilePath();
    if (isOn(openAtLoginButton))
        loginItems.addLoginItem(path);
    else
        loginItems.removeLoginItem(path);
    // A write that failed shows as the state the login items really have.
    showOpenAtLoginState();
}

void PreferencesController::showOpenAtLoginState()
{
    setOn(openAtLoginButton, loginItems.loginItemExists(QCoreApplication::applicationFilePath()));
}

void PreferencesController::setExcludeClassicApps()
{
    settings.setBool(IncludeClassicAppsKey,
                     excludeClassicAppsButton &&
                         excludeClassicAppsButton->checkState() == Qt::Unchecked);
    Q_EMIT settings.classicAppInclusionChanged();
}

void PreferencesController::setMatchMoreThanNames()
{
    settings.setBool(MatchMoreThanNamesKey, isOn(matchMoreThanNamesButton));
    Q_EMIT settings.matchScopeChanged();
}

void PreferencesController::setMaximumListHeight(int rows)
{
    settings.setInteger(MaximumListHeightKey, rows);
    Q_EMIT settings.windowAppearanceChanged();
}

void PreferencesController::recordHotKey(quint16 virtualKeyCode)
{
    settings.setInteger(HotKeyCodeKey, virtualKeyCode);
    displayHotKey();
    registerHotKey();
}

void PreferencesController::hotKeyChanged()
{
    quint32 modifiers = 0;
    if (isOn(hotKeyCommandModifierButton))
        modifiers += KeyCodes::SuperModifier;
    if (isOn(hotKeyShiftModifierButton))
        modifiers += KeyCodes::ShiftModifier;
    if (isOn(hotKeyOptionModifierButton))
        modifiers += KeyCodes::AltModifier;
    if (isOn(hotKeyControlModifierButton))
        modifiers += KeyCodes::ControlModifier;
    settings.setInteger(HotKeyModifiersKey, modifiers);
    registerHotKey();
}

void PreferencesController::registerHotKey()
{
    hotKeys.registerHotKey();
    showHotKeyProblems();
}

void PreferencesController::displayHotKey()
{
    if (!hotKeyField)
        return;
    const auto code = static_cast<quint16>(settings.integer(HotKeyCodeKey));
    const QString name = hotKeys.nameForKey(code);
    hotKeyField->setText(name);
    hotKeyHasNoName = name.isEmpty();
    showHotKeyProblems();
}

// The name problem as the key is shown, and whether the combination now in force was refused.
void PreferencesController::showHotKeyProblems()
{
    QStringList problems;
    if (hotKeyHasNoName)
        problems << LocalizedStrings::text(QStringLiteral("HotKeyDisplayingNotSupported"));
    const HotKeyManager &manager = hotKeys;
    if (manager.state() == HotKeyManager::State::Refused)
        problems << LocalizedStrings::text(QStringLiteral("HotKeyTakenInPreferences"));
    else if (manager.isRegistrationRefused())
        problems << manager.refusalMessage();
    showHotKeyMessage(problems.join(QLatin1Char('\n')));
}

// The message line takes room only while it has something to say.
void PreferencesController::showHotKeyMessage(const QString &message)
{
    if (!hotKeyErrorField)
        return;
    hotKeyErrorField->setText(message);
    hotKeyErrorField->setVisible(!message.isEmpty());
    // The window grows by the message's lines instead of squeezing the controls above it (a
    // translated message can take several).
    if (windowInstance && !message.isEmpty()) {
        windowInstance->layout()->activate();
        const int needed = qMax(windowInstance->heightForWidth(windowInstance->width()),
                                windowInstance->minimumSizeHint().height());
        if (needed > windowInstance->height())
            windowInstance->resize(windowInstance->width(), needed);
    }
}
