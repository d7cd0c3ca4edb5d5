#pragma once

#include <QLineEdit>

// The hot key field of the Preferences ("hotKeyField" in Preferences.ui). While it has the focus,
// the next key pressed is recorded before shortcuts, focus moves and the dialog's own keys (Escape,
// Return) can take it. Modifiers held with the key are not recorded: the hot key's modifiers are
// those of the check boxes. The field never traps the keyboard: Ctrl+Tab and Ctrl+Shift+Tab always
// move on without recording, and once a key was recorded since the field took the focus, Tab and
// Shift+Tab move on too.
class HotKeyRecorder : public QLineEdit
{
    Q_OBJECT

public:
    explicit HotKeyRecorder(QWidget *parent = nullptr);

Q_SIGNALS:
    // A key was recorded, as its virtual key code.
    void keyRecorded(quint16 virtualKeyCode);
    // A key with no place on the keyboard Trovia knows (a media key, say): nothing was recorded.
    void unusableKeyPressed();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    bool isRecording() const;

    bool recordedSinceFocus = false;
};
