#pragma once

#include <QDialog>

// The Preferences window. It says when it becomes the active window, so that the controller can
// show the hot key as the keyboard now names it.
class PreferencesWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesWindow(QWidget *parent = nullptr);

Q_SIGNALS:
    // The window became the active window (the one with keyboard focus).
    void becameKey();

protected:
    void changeEvent(QEvent *event) override;
};
