#pragma once

#include <QDialog>
#include <memory>

namespace Ui
{
class PreferencesWindow;
}

// The Preferences window, as Preferences.ui describes it. It says when it becomes the active
// window, so that the controller can show the hot key as the keyboard now names it.
class PreferencesWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesWindow(QWidget *parent = nullptr);
    ~PreferencesWindow() override;

    // Its controls.
    Ui::PreferencesWindow &controls() const { return *ui; }

Q_SIGNALS:
    // The window became the active window (the one with keyboard focus).
    void becameKey();

protected:
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::PreferencesWindow> ui;
};
