#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QtGlobal>

class QWidget;

// Says a short text through the screen reader while the focus stays where it is: the search field
// keeps the focus while the list under it changes, so the list is told through announcements.
// Only the last text given within a short while is spoken: typing quickly does not queue one
// announcement per key behind the user.
class ScreenReaderAnnouncer : public QObject
{
    Q_OBJECT
public:
    // source: the focused widget the announcements speak for (not owned).
    explicit ScreenReaderAnnouncer(QWidget *source, QObject *parent = nullptr);

    void announce(const QString &text);
    // Drops what is not yet spoken: the window hides, or an application opens.
    void cancel();

    // A text waits to be spoken.
    bool isPending() const { return settle.isActive(); }

    // How long the announcer waits for the next change before it speaks.
    static constexpr int settleMs = 150;

Q_SIGNALS:
    // The text was handed to the screen reader.
    void spoken(const QString &text);

private:
    void speak();

    QWidget *source;
    QTimer settle;
    QString pending;
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    // Before Qt 6.8 there is no announcement event: a notice in a status line becomes visible
    // with the text as its name, which screen readers speak without its role.
    QWidget *notice = nullptr;
#endif
};
