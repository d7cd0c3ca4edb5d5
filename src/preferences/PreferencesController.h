#pragma once

#include <QObject>
#include <QPointer>

class ApplicationRegistry;
class ExcludedLocations;
class ExcludedLocationsManager;
class HotKeyManager;
class LoginItems;
class PreferencesWindow;
class Settings;
class QButtonGroup;
class QColor;
class QColorDialog;
namespace Ui
{
class PreferencesWindow;
}

// Owns the Preferences window, made the first time it is needed and kept for
// the run. Each control stores the user's choice in the settings at once; the settings tell the
// rest of Trovia.
class PreferencesController : public QObject
{
    Q_OBJECT
public:
    PreferencesController(Settings &settings, HotKeyManager &hotKeys,
                          ExcludedLocations &excludedLocations, LoginItems &loginItems,
                          ApplicationRegistry &registry, QObject *parent = nullptr);
    ~PreferencesController() override;

    // The window, made on first use.
    PreferencesWindow *window();
    bool isWindowLoaded() const { return !windowInstance.isNull(); }
    // Shows the window in front with focus; later calls bring the same window forward.
    void showWindow();

    void updateDisplay();
    void setupColorList();
    void displayHotKey();

    ExcludedLocationsManager &excludedLocationsTable() const { return *excludedLocations; }

    // The colour panel, created on first use; reports each colour the user picks.
    QColorDialog *colorPanel();

public Q_SLOTS:
    void setWindowStyle();
    void setPresetWindowColor(int tag);
    void chooseCustomWindowColor();
    void setCustomWindowColor(const QColor &color);
    void setOpenAtLogin();
    void setExcludeClassicApps();
    void setMatchMoreThanNames();
    void hotKeyChanged();
    void setMaximumListHeight(int rows);

private:
    void windowDidLoad();
    void colorPopUpActivated(int index);
    void recordHotKey(quint16 virtualKeyCode);
    void registerHotKey();
    void showHotKeyProblems();
    void showHotKeyMessage(const QString &message);
    void showOpenAtLoginState();

    Settings &settings;
    HotKeyManager &hotKeys;
    // The table of excluded locations and its buttons.
    ExcludedLocationsManager *excludedLocations;
    LoginItems &loginItems;
    QPointer<PreferencesWindow> windowInstance;
    QPointer<QColorDialog> colorPanelInstance;
    bool hotKeyHasNoName = false;

    // The window's controls, once it is loaded.
    Ui::PreferencesWindow *ui = nullptr;
    QButtonGroup *windowStyleMatrix = nullptr;
};
