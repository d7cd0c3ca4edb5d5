#include "preferences/HotKeyRecorder.h"

#include "core/KeyCodes.h"

#include <QKeyEvent>

namespace
{

// Keys that only modify others never become the hot key on their own.
bool isModifierKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

} // namespace

HotKeyRecorder::HotKeyRecorder(QWidget *parent) : QLineEdit(parent) {}

bool HotKeyRecorder::isRecording() const
{
    return window()->focusWidget() == this;
}

bool HotKeyRecorder::event(QEvent *event)
{
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!key || !isRecording())
        return QLineEdit::event(event);
    // Claiming the shortcut override keeps shortcuts from taking the key; the key press that
    // follows goes straight to recording, before QWidget::event turns Tab into a focus move.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        keyPressEvent(static_cast<QKeyEvent *>(event));
    return true;
}

void HotKeyRecorder::keyPressEvent(QKeyEvent *event)
{
    if (!isRecording()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (recordedSinceFocus || event->modifiers() & Qt::ControlModifier)) {
        const bool backwards =
            event->key() == Qt::Key_Backtab || event->modifiers() & Qt::ShiftModifier;
        focusNextPrevChild(!backwards);
        return;
    }
    if (event->isAutoRepeat() || isModifierKey(event->key()))
        return;
    const std::optional<quint16> code = KeyCodes::virtualKeyForXKeycode(event->nativeScanCode());
    if (!code) {
        Q_EMIT unusableKeyPressed();
        return;
    }
    recordedSinceFocus = true;
    Q_EMIT keyRecorded(*code);
}

void HotKeyRecorder::focusInEvent(QFocusEvent *event)
{
    // Each visit to the field starts over: Tab is recorded until a key is.
    recordedSinceFocus = false;
    QLineEdit::focusInEvent(event);
}
