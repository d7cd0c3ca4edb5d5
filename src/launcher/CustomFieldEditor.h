#pragma once

#include <QObject>

class Controller;
class QLineEdit;

// The query field's key handling: Escape, Up, Down, Page Up, Page Down, Return and Enter go to the
// Controller instead of the field, so none of them moves the cursor or ends editing; every edit of
// the text reaches Controller::userDidType once the field holds the new text.
class CustomFieldEditor : public QObject
{
    Q_OBJECT
public:
    explicit CustomFieldEditor(QObject *parent = nullptr);

    // Not owned.
    void setController(Controller *controller);
    // Takes over field's keys and edits.
    void attach(QLineEdit *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Controller *controller = nullptr;
};
