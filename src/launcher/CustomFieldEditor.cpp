#include "launcher/CustomFieldEditor.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace
{

// Plain arrows only (a keypad arrow included): Shift+Down and the like keep their editing meaning.
bool isPlain(const QKeyEvent *event)
{
    return (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

CustomFieldEditor::CustomFieldEditor(QObject *parent) : QObject(parent) {}

void CustomFieldEditor::attach(QLineEdit *field)
{
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this, &CustomFieldEditor::textEdited);
}

bool CustomFieldEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    // Escape belongs to the field even where a dialog or shortcut would want it.
    if (event->type() == QEvent::ShortcutOverride) {
        if (key->key() == Qt::Key_Escape)
            event->accept();
        return false;
    }
    switch (key->key()) {
    case Qt::Key_Escape:
        Q_EMIT cancelled();
        return true;
    case Qt::Key_Down:
        if (!isPlain(key))
            break;
        Q_EMIT movedDown();
        return true;
    case Qt::Key_Up:
        if (!isPlain(key))
            break;
        Q_EMIT movedUp();
        return true;
    // The field has no use for the page keys: they page through the list.
    case Qt::Key_PageDown:
        Q_EMIT pagedDown();
        return true;
    case Qt::Key_PageUp:
        Q_EMIT pagedUp();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT confirmed(key->modifiers());
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
