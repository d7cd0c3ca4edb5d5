#pragma once

#include <QObject>

class QLineEdit;

// The query field's key handling: Escape, Up, Down, Page Up, Page Down, Return and Enter are
// reported instead of reaching the field, so none of them moves the cursor or ends editing; every
// edit of the text is reported once the field holds the new text.
class CustomFieldEditor : public QObject
{
    Q_OBJECT
public:
    explicit CustomFieldEditor(QObject *parent = nullptr);

    // Takes over field's keys and edits.
    void attach(QLineEdit *field);

Q_SIGNALS:
    // The user's edits only (typing, deleting, pasting), not a setText of Trovia's own.
    void textEdited();
    void cancelled();
    void movedDown();
    void movedUp();
    void pagedDown();
    void pagedUp();
    void confirmed(Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
