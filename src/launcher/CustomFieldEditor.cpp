#include "launcher/CustomFieldEditor.h"

#include "launcher/Controller.h"

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

void CustomFieldEditor::setController(Controller *newController)
{
    controller = newController;
}

void CustomFieldEditor::attach(QLineEdit *field)
{
    field->installEventFilter(this);
    // textEdited: the user's edits only (typing, deleting, pasting); the Controller's own
    // setText does not count as typing.
    connect(field, &QLineEdit::textEdited, this, [this, field] {
        if (controller)
            controller->userDidType(field);
    });
}

bool CustomFieldEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (!controller ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
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
        controller->userCancelled();
        return true;
    case Qt::Key_Down:
        if (!isPlain(key))
            break;
        controller->moveDown();
        return true;
    case Qt::Key_Up:
        if (!isPlain(key))
            break;
        controller->moveUp();
        return true;
    // The field has no use for the page keys: they page through the list.
    case Qt::Key_PageDown:
        controller->movePageDown();
        return true;
    case Qt::Key_PageUp:
        controller->movePageUp();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        controller->userConfirmed(key->modifiers());
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
