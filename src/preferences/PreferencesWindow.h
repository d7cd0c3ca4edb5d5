#pragma once

#include <QDialog>
#include <QPointer>

class PreferencesController;

// The Preferences window. Every event it is about to dispatch to one of its widgets is first
// offered to its delegate, so that recording a hot key sees keys before shortcuts, focus changes
// and the dialog's own keys do.
class PreferencesWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesWindow(QWidget *parent = nullptr);
    ~PreferencesWindow() override;

    void setDelegate(PreferencesController *delegate);
    PreferencesController *delegate() const { return windowDelegate; }
    // Moves the focus to the next control, as Tab does, or back, as Shift+Tab does.
    void moveFocus(bool forward) { focusNextPrevChild(forward); }

Q_SIGNALS:
    // The window became the active window (the one with keyboard focus).
    void becameKey();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QPointer<PreferencesController> windowDelegate;
};
