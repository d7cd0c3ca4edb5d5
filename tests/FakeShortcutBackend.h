#pragma once

#include "platform/GlobalShortcutBackend.h"

#include <QStringList>

// The desktop's side of the hot key: records every call, answers with the outcome the test sets.
class FakeShortcutBackend : public GlobalShortcutBackend
{
public:
    Registration registerShortcut(quint16 virtualKeyCode, quint32 modifiers) override
    {
        calls << QStringLiteral("register %1 0x%2").arg(virtualKeyCode).arg(modifiers, 0, 16);
        return next;
    }
    void unregisterShortcut() override { calls << QStringLiteral("unregister"); }

    void press(quint32 timestamp) { Q_EMIT activated(timestamp); }
    void answer(Outcome outcome, const QString &detail = {})
    {
        Q_EMIT registrationFinished(outcome, detail);
    }
    QStringList registrations() const { return calls.filter(QStringLiteral("register ")); }

    Registration next{Outcome::Registered, QStringLiteral("held by another program")};
    QStringList calls;
};
