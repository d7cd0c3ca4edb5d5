#include "preferences/PreferencesController.h"

#include "core/ColorPresets.h"
#include "core/KeyCodes.h"
#include "core/LocalizedStrings.h"
#include "core/Logging.h"
#include "core/PreferencesDefaults.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "platform/LoginItems.h"
#include "preferences/ExcludedLocationsManager.h"
#include "preferences/HotKeyRecorder.h"
#include "preferences/PreferencesWindow.h"
#include "ui_Preferences.h"

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
void alignFormLabels(const Ui::PreferencesWindow &ui)
{
    const QList<QLabel *> labels = {ui.hotKeyLabel, ui.modifiersLabel, ui.styleLabel, ui.colorLabel,
                                    ui.listHeightLabel};
    int width = 0;
    for (const QLabel *label : labels)
        width = qMax(width, label->sizeHint().width());
    for (QLabel *label : labels)
        label->setMinimumWidth(width);
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
    return box->checkState() == Qt::Checked;
}

void setOn(QCheckBox *box, bool on)
{
    box->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

} // namespace

PreferencesController::PreferencesController(Settings &store, HotKeyManager &hotKeyManager,
                                             ExcludedLocations &excluded, LoginItems &items,
                                             ApplicationRegistry &registry, QObject *parent)
    : QObject(parent), settings(store), hotKeys(hotKeyManager),
      excludedLocations(new ExcludedLocationsManager(excluded, registry, this)), loginItems(items)
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
        windowInstance = new PreferencesWindow;
        windowDidLoad();
    }
    return windowInstance;
}

void PreferencesController::showWindow()
{
    QWidget *preferences = window();
    preferences->show();
    preferences->raise();
    preferences->activateWindow();
}

void PreferencesController::windowDidLoad()
{
    PreferencesWindow *w = windowInstance;
    ui = &w->controls();
    connect(ui->hotKeyField, &HotKeyRecorder::keyRecorded, this,
            &PreferencesController::recordHotKey);
    connect(ui->hotKeyField, &HotKeyRecorder::unusableKeyPressed, this, [this] {
        showHotKeyMessage(LocalizedStrings::text(QStringLiteral("HotKeyNotUsable")));
    });

    // The style cells carry their style as the "tag" property.
    windowStyleMatrix = new QButtonGroup(w);
    for (QAbstractButton *cell : ui->windowStyleMatrix->findChildren<QAbstractButton *>())
        windowStyleMatrix->addButton(cell, cell->property("tag").toInt());
    connect(windowStyleMatrix, &QButtonGroup::idClicked, this,
            &PreferencesController::setWindowStyle);

    for (QCheckBox *box : {ui->hotKeyCommandModifierButton, ui->hotKeyShiftModifierButton,
                           ui->hotKeyOptionModifierButton, ui->hotKeyControlModifierButton})
        connect(box, &QCheckBox::clicked, this, &PreferencesController::hotKeyChanged);
    connect(ui->openAtLoginButton, &QCheckBox::clicked, this,
            &PreferencesController::setOpenAtLogin);
    connect(ui->excludeClassicAppsButton, &QCheckBox::clicked, this,
            &PreferencesController::setExcludeClassicApps);
    connect(ui->matchMoreThanNamesButton, &QCheckBox::clicked, this,
            &PreferencesController::setMatchMoreThanNames);
    connect(ui->colorPopUpButton, &QComboBox::activated, this,
            &PreferencesController::colorPopUpActivated);
    connect(ui->colorPopUpButton, &QComboBox::currentIndexChanged, this,
            [this] { describeCurrentColor(ui->colorPopUpButton); });
    connect(ui->maximumListHeightSpinBox, &QSpinBox::valueChanged, this,
            &PreferencesController::setMaximumListHeight);

    // Rows as tight as a list's: the table holds one line of text per location.
    QTableView *locationsTable = ui->excludedLocationsTable;
    locationsTable->verticalHeader()->setDefaultSectionSize(locationsTable->fontMetrics().height() +
                                                            6);
    excludedLocations->setOutlets(locationsTable, ui->addLocationButton, ui->removeLocationButton);

    connect(ui->buttonBox, &QDialogButtonBox::rejected, w, &QDialog::reject);
    // Opening the window must not start recording a hot key: the first keys go elsewhere.
    if (QPushButton *close = ui->buttonBox->button(QDialogButtonBox::Close))
        close->setFocus();

    alignFormLabels(*ui);
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

    const int style = settings.value(WindowStyleKey);
    if (QAbstractButton *cell = windowStyleMatrix->button(style)) {
        cell->setChecked(true);
        // Tab enters the style cells at the checked one, as it does once the user has chosen
        // one; otherwise it stops at the first cell and Tab never reaches the checked one.
        for (QAbstractButton *other : windowStyleMatrix->buttons())
            other->setFocusPolicy(Qt::FocusPolicy(other == cell
                                                      ? other->focusPolicy() | Qt::TabFocus
                                                      : other->focusPolicy() & ~Qt::TabFocus));
    }

    setOn(ui->excludeClassicAppsButton, !PreferencesDefaults::includeClassicApps(settings));
    setOn(ui->matchMoreThanNamesButton, PreferencesDefaults::matchMoreThanNames(settings));

    const qint64 modifiers = settings.value(HotKeyModifiersKey);
    displayHotKey();
    if (modifiers & KeyCodes::SuperModifier)
        setOn(ui->hotKeyCommandModifierButton, true);
    if (modifiers & KeyCodes::ShiftModifier)
        setOn(ui->hotKeyShiftModifierButton, true);
    if (modifiers & KeyCodes::AltModifier)
        setOn(ui->hotKeyOptionModifierButton, true);
    if (modifiers & KeyCodes::ControlModifier)
        setOn(ui->hotKeyControlModifierButton, true);

    const QSignalBlocker blocker(ui->maximumListHeightSpinBox);
    ui->maximumListHeightSpinBox->setValue(static_cast<int>(settings.value(MaximumListHeightKey)));
}

void PreferencesController::setupColorList()
{
    if (!ui)
        return;
    QComboBox *colorPopUpButton = ui->colorPopUpButton;
    const QString storedName = settings.value(WindowColorPresetKey);
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
    const QComboBox *colorPopUpButton = ui->colorPopUpButton;
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
    settings.setValue(WindowStyleKey, style);
}

void PreferencesController::setPresetWindowColor(int tag)
{
    const QList<QVariantMap> &presets = ColorPresets::colorPresets();
    if (tag < 0 || tag >= presets.size())
        return;
    const QVariantMap &preset = presets.at(tag);
    settings.setValue(WindowColorPresetKey, preset.value(QStringLiteral("Name")).toString());
    settings.setValue(WindowColorKey, colorFromPreset(preset));
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
    QColor inUse = settings.value(WindowColorKey);
    // With no colour stored yet (no preset file), the panel starts from the last custom colour.
    if (!inUse.isValid())
        inUse = settings.value(CustomWindowColorKey);
    settings.setValue(CustomWindowColorKey, inUse);

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
    settings.setValue(CustomWindowColorKey, color);
    settings.setValue(WindowColorPresetKey, QStringLiteral("Custom"));
    settings.setValue(WindowColorKey, color);
    if (ui)
        ui->colorPopUpButton->setCurrentIndex(ui->colorPopUpButton->count() - 1);
}

void PreferencesController::setOpenAtLogin()
{
    const QString path = QCoreApplication::applicationFilePath();
    if (ui && isOn(ui->openAtLoginButton))
        loginItems.addLoginItem(path);
    else
        loginItems.removeLoginItem(path);
    // A write that failed shows as the state the login items really have.
    showOpenAtLoginState();
}

void PreferencesController::showOpenAtLoginState()
{
    if (ui)
        setOn(ui->openAtLoginButton,
              loginItems.loginItemExists(QCoreApplication::applicationFilePath()));
}

void PreferencesController::setExcludeClassicApps()
{
    settings.setValue(IncludeClassicAppsKey,
                      ui && ui->excludeClassicAppsButton->checkState() == Qt::Unchecked);
}

void PreferencesController::setMatchMoreThanNames()
{
    settings.setValue(MatchMoreThanNamesKey, ui && isOn(ui->matchMoreThanNamesButton));
}

void PreferencesController::setMaximumListHeight(int rows)
{
    settings.setValue(MaximumListHeightKey, rows);
}

void PreferencesController::recordHotKey(quint16 virtualKeyCode)
{
    settings.setValue(HotKeyCodeKey, virtualKeyCode);
    displayHotKey();
    registerHotKey();
}

void PreferencesController::hotKeyChanged()
{
    quint32 modifiers = 0;
    if (isOn(ui->hotKeyCommandModifierButton))
        modifiers += KeyCodes::SuperModifier;
    if (isOn(ui->hotKeyShiftModifierButton))
        modifiers += KeyCodes::ShiftModifier;
    if (isOn(ui->hotKeyOptionModifierButton))
        modifiers += KeyCodes::AltModifier;
    if (isOn(ui->hotKeyControlModifierButton))
        modifiers += KeyCodes::ControlModifier;
    settings.setValue(HotKeyModifiersKey, modifiers);
    registerHotKey();
}

void PreferencesController::registerHotKey()
{
    hotKeys.registerHotKey();
    showHotKeyProblems();
}

void PreferencesController::displayHotKey()
{
    if (!ui)
        return;
    const auto code = static_cast<quint16>(settings.value(HotKeyCodeKey));
    const QString name = hotKeys.nameForKey(code);
    ui->hotKeyField->setText(name);
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
    if (!ui)
        return;
    ui->hotKeyErrorField->setText(message);
    ui->hotKeyErrorField->setVisible(!message.isEmpty());
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
