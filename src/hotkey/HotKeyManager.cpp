#include "hotkey/HotKeyManager.h"

#include "core/KeyCodes.h"
#include "core/LocalizedStrings.h"
#include "core/Logging.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "platform/KeyboardLayout.h"
#include "platform/Notifications.h"

#include <QGuiApplication>
#include <QHash>
#include <QMetaEnum>

namespace
{

// What the user reads about a hot key that does not work: a title and a message in which %1
// stands for the combination.
struct ProblemTexts {
    const char *titleKey;
    const char *messageKey;
};

ProblemTexts problemTexts(HotKeyManager::State state)
{
    switch (state) {
    case HotKeyManager::State::Unsupported:
        return {"HotKeyUnsupportedTitle", "HotKeyUnsupportedMessage"};
    case HotKeyManager::State::Invalid:
        return {"HotKeyInvalidTitle", "HotKeyInvalidMessage"};
    default:
        return {"HotKeyRefusedTitle", "HotKeyRefusedMessage"};
    }
}

// As desktops write a combination in their settings and messages.
QString combinationText(quint32 modifierBits, const QString &key)
{
    return KeyCodes::combinationText(modifierBits, key, {"Ctrl", "Alt", "Shift", "Super"});
}

// A key in a sentence, as desktops write it ("Escape", "Page Up"): the Preferences' short names
// are glyphs and "esc", which read badly in a message.
QString sentenceName(const QString &shortName)
{
    static const QHash<QString, QString> words{
        {QStringLiteral("esc"), QStringLiteral("Escape")},
        {QStringLiteral("\u232B"), QStringLiteral("Backspace")},
        {QStringLiteral("\u2326"), QStringLiteral("Delete")},
        {QStringLiteral("\u2327"), QStringLiteral("Clear")},
        {QStringLiteral("\u2324"), QStringLiteral("Enter")},
        {QStringLiteral("\u21A9"), QStringLiteral("Return")},
        {QStringLiteral("\u21E5"), QStringLiteral("Tab")},
        {QStringLiteral("\u2196"), QStringLiteral("Home")},
        {QStringLiteral("\u2198"), QStringLiteral("End")},
        {QStringLiteral("\u21DE"), QStringLiteral("Page Up")},
        {QStringLiteral("\u21DF"), QStringLiteral("Page Down")},
        {QStringLiteral("\u21E0"), QStringLiteral("Left")},
        {QStringLiteral("\u21E2"), QStringLiteral("Right")},
        {QStringLiteral("\u21E1"), QStringLiteral("Up")},
        {QStringLiteral("\u21E3"), QStringLiteral("Down")},
    };
    return words.value(shortName, shortName);
}

// The desktop a refusal belongs to: the same combination may work in another session.
QString desktopName()
{
    QString name = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    if (name.isEmpty())
        name = qEnvironmentVariable("XDG_SESSION_DESKTOP");
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    return name + (wayland ? QStringLiteral(" Wayland") : QStringLiteral(" X11"));
}

QString character(char16_t unicode)
{
    return QString(QChar(unicode));
}

// Keys named by their code alone, before any layout is asked.
QString nameByCode(quint16 virtualKeyCode)
{
    switch (virtualKeyCode) {
    case 51:
        return character(u'\u232B'); // delete (backspace)
    case 71:
        return character(u'\u2327'); // keypad clear
    case 76:
        return character(u'\u2324'); // keypad enter
    case 96:
        return QStringLiteral("F5");
    case 97:
        return QStringLiteral("F6");
    case 98:
        return QStringLiteral("F7");
    case 99:
        return QStringLiteral("F3");
    case 100:
        return QStringLiteral("F8");
    case 101:
        return QStringLiteral("F9");
    case 103:
        return QStringLiteral("F11");
    case 105:
        return QStringLiteral("F13");
    case 109:
        return QStringLiteral("F10");
    case 111:
        return QStringLiteral("F12");
    case 115:
        return character(u'\u2196'); // home
    case 116:
        return character(u'\u21DE'); // page up
    case 117:
        return character(u'\u2326'); // forward delete
    case 118:
        return QStringLiteral("F4");
    case 119:
        return character(u'\u2198'); // end
    case 120:
        return QStringLiteral("F2");
    case 121:
        return character(u'\u21DF'); // page down
    case 122:
        return QStringLiteral("F1");
    case 123:
        return character(u'\u21E0'); // left arrow
    case 124:
        return character(u'\u21E2'); // right arrow
    case 125:
        return character(u'\u21E3'); // down arrow
    case 126:
        return character(u'\u21E1'); // up arrow
    default:
        return {};
    }
}

// The name of what a key types, decided by its first character.
QString nameByCharacters(const QString &characters)
{
    using namespace FunctionKeyCharacter;
    const char16_t first = characters.at(0).unicode();
    if (first >= F1 && first <= F15)
        return QStringLiteral("F%1").arg(first - F1 + 1);
    switch (first) {
    case u'\t':
        return character(u'\u21E5');
    case u'\r':
        return character(u'\u21A9');
    case u'\x1b':
        return QStringLiteral("esc");
    case u' ':
        return QStringLiteral("Space");
    case u'\x7f':
        return character(u'\u232B');
    case UpArrow:
        return character(u'\u21E1');
    case DownArrow:
        return character(u'\u21E3');
    case LeftArrow:
        return character(u'\u21E0');
    case RightArrow:
        return character(u'\u21E2');
    case Delete:
        return character(u'\u2326');
    case Home:
        return character(u'\u2196');
    case End:
        return character(u'\u2198');
    case PageUp:
        return character(u'\u21DE');
    case PageDown:
        return character(u'\u21DF');
    case ClearLine:
        return character(u'\u2327');
    case Help:
        return QStringLiteral("Help");
    default:
        return characters.toUpper();
    }
}

} // namespace

HotKeyManager::HotKeyManager(Settings &store, std::unique_ptr<GlobalShortcutBackend> desktop,
                             const KeyboardLayout &layout, Notifications &notifier, QObject *parent)
    : QObject(parent), settings(store), keyboardLayout(layout), notifications(notifier)
{
    setBackend(std::move(desktop));
}

HotKeyManager::~HotKeyManager()
{
    unregisterHotKey();
}

void HotKeyManager::setBackend(std::unique_ptr<GlobalShortcutBackend> newBackend)
{
    unregisterHotKey();
    backend = std::move(newBackend);
    if (!backend)
        return;
    connect(backend.get(), &GlobalShortcutBackend::activated, this, [this](quint32 timestamp) {
        pressTimestamp = timestamp;
        Q_EMIT hotKeyPressed(timestamp);
    });
    connect(backend.get(), &GlobalShortcutBackend::registrationFinished, this,
            [this](GlobalShortcutBackend::Outcome outcome, const QString &detail) {
                if (currentState == State::Pending &&
                    outcome != GlobalShortcutBackend::Outcome::Pending)
                    settle(outcome, detail);
            });
}

void HotKeyManager::registerHotKey()
{
    unregisterHotKey();
    ++registrations;

    bool codeRejected = false;
    bool modifiersRejected = false;
    storedCode = settings.value(HotKeyCodeKey, &codeRejected);
    const qint64 modifiers = settings.value(HotKeyModifiersKey, &modifiersRejected);
    storedModifiers = quint32(modifiers);
    // Only the four modifier bits are ever stored. Garbage must not become a combination nobody
    // chose (stray bits masked away would grab plain Escape for the whole desktop).
    if (codeRejected || modifiersRejected || (modifiers & ~qint64(KeyCodes::AllModifiers)) != 0) {
        storedCode = HotKeyCodeKey.defaultValue;
        storedModifiers = quint32(HotKeyModifiersKey.defaultValue);
        qCWarning(lcHotKey).noquote()
            << QStringLiteral("The stored hot key (code \"%1\", modifiers \"%2\") is no key "
                              "combination; Trovia uses %3.")
                   .arg(settings.text(HotKeyCodeKey), settings.text(HotKeyModifiersKey),
                        nameForCombination(quint16(storedCode), storedModifiers));
    }
    if (storedCode < 0 || storedCode > 0xffff) {
        settle(State::Invalid, QStringLiteral("the stored key code %1 is no key").arg(storedCode));
        return;
    }
    if (!backend) {
        const QString platform = qGuiApp ? QGuiApplication::platformName() : QString();
        settle(State::Unsupported,
               QStringLiteral("no global hot key on the \"%1\" platform").arg(platform));
        return;
    }
    const GlobalShortcutBackend::Registration registration =
        backend->registerShortcut(quint16(storedCode), storedModifiers);
    settle(registration.outcome, registration.detail);
}

void HotKeyManager::unregisterHotKey()
{
    if (backend)
        backend->unregisterShortcut();
    currentState = State::Unregistered;
    message.clear();
}

void HotKeyManager::settle(GlobalShortcutBackend::Outcome outcome, const QString &detail)
{
    using Outcome = GlobalShortcutBackend::Outcome;
    switch (outcome) {
    case Outcome::Registered:
        currentState = State::Registered;
        qCDebug(lcHotKey).noquote()
            << QStringLiteral("Hot key %1 registered.")
                   .arg(nameForCombination(quint16(storedCode), storedModifiers));
        return;
    case Outcome::Pending:
        currentState = State::Pending;
        return;
    case Outcome::Refused:
        settle(State::Refused, detail);
        return;
    case Outcome::Unsupported:
        settle(State::Unsupported, detail);
        return;
    }
}

void HotKeyManager::settle(State state, const QString &detail)
{
    currentState = state;
    // Named only now: reading the keyboard layout costs a millisecond at every start.
    const QString combination =
        storedCode >= 0 && storedCode <= 0xffff
            ? nameForCombination(quint16(storedCode), storedModifiers)
            : combinationText(storedModifiers, QStringLiteral("key %1").arg(storedCode));
    qCWarning(lcHotKey).noquote()
        << QStringLiteral("Hot key %1 not registered: %2.").arg(combination, detail);
    const ProblemTexts texts = problemTexts(state);
    message = LocalizedStrings::text(QString::fromLatin1(texts.messageKey)).arg(combination);
    Q_EMIT registrationRefused(message);
    // Told once is enough: at every later start the log line above and the Preferences say it.
    // A user who bound the command has a hot key, whatever Trovia's own registration says.
    if (settings.value(HotKeyProblemsToldKey).contains(problemKey()) || isBoundByUser())
        return;
    tell(LocalizedStrings::text(QString::fromLatin1(texts.titleKey)));
}

void HotKeyManager::tell(const QString &title)
{
    // Without a desktop service there is no desktop to show a notification either.
    if (!backend) {
        Q_EMIT refusalNotShown(title, message);
        return;
    }
    // A later registration makes this refusal old news.
    const quint64 attempt = registrations;
    const QString told = message;
    notifications.show(title, told, this, [this, attempt, title, told](bool shown) {
        if (attempt != registrations)
            return;
        if (shown)
            refusalTold();
        else
            Q_EMIT refusalNotShown(title, told);
    });
}

QString HotKeyManager::problemKey() const
{
    return QStringLiteral("%1|%2|%3|%4")
        .arg(desktopName(),
             QString::fromLatin1(QMetaEnum::fromType<State>().valueToKey(int(currentState))))
        .arg(storedCode)
        .arg(storedModifiers);
}

void HotKeyManager::toggledByUserBinding()
{
    // A notification still on its way is old news.
    ++registrations;
    if (isBoundByUser())
        return;
    QStringList desktops = settings.value(HotKeyBoundByUserKey);
    desktops.append(desktopName());
    while (desktops.size() > 16)
        desktops.removeFirst();
    settings.setValue(HotKeyBoundByUserKey, desktops);
}

bool HotKeyManager::isBoundByUser() const
{
    return settings.value(HotKeyBoundByUserKey).contains(desktopName());
}

void HotKeyManager::refusalTold()
{
    if (!isRegistrationRefused())
        return;
    QStringList told = settings.value(HotKeyProblemsToldKey);
    const QString problem = problemKey();
    if (told.contains(problem))
        return;
    // A few combinations on a few desktops: the oldest are forgotten.
    told.append(problem);
    while (told.size() > 16)
        told.removeFirst();
    settings.setValue(HotKeyProblemsToldKey, told);
}

QString HotKeyManager::charactersForKeyCode(quint16 virtualKeyCode) const
{
    return keyboardLayout.charactersForKeyCode(virtualKeyCode);
}

QString HotKeyManager::nameForKey(quint16 virtualKeyCode) const
{
    const QString byCode = nameByCode(virtualKeyCode);
    if (!byCode.isEmpty())
        return byCode;
    const QString characters = charactersForKeyCode(virtualKeyCode);
    if (characters.isEmpty())
        return {};
    return nameByCharacters(characters);
}

QString HotKeyManager::nameForCombination(quint16 virtualKeyCode, quint32 modifierBits) const
{
    const QString key = nameForKey(virtualKeyCode);
    return combinationText(modifierBits, key.isEmpty()
                                             ? QStringLiteral("key %1").arg(virtualKeyCode)
                                             : sentenceName(key));
}
