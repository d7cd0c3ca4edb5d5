#pragma once

#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

// Starts Trovia shown, with its window focused.
#define TROVIA_START_SHOWN(session)                                                                \
    do {                                                                                           \
        QVERIFY((session).start());                                                                \
        QTRY_VERIFY_WITH_TIMEOUT(!TroviaSession::mainWindow().isEmpty(), 15000);                   \
        QTRY_COMPARE_WITH_TIMEOUT(TroviaSession::activeWindow(), TroviaSession::mainWindow(),      \
                                  10000);                                                          \
    } while (false)

// Types into the focused field and waits for the result list.
#define TROVIA_TYPE_TO_LIST(text)                                                                  \
    do {                                                                                           \
        QVERIFY(TroviaSession::type(QStringLiteral(text)));                                        \
        QTRY_VERIFY(!TroviaSession::resultList().isEmpty());                                       \
    } while (false)

// One isolated Trovia user for an end-to-end test: HOME and every XDG folder in a temporary
// folder, fixture desktop entries whose Exec appends the entry's id to a marker file, and the real
// trovia program started in it on the test's X display and session bus.
class TroviaSession
{
public:
    TroviaSession();
    ~TroviaSession();

    // Writes <data>/applications/<id>.desktop named name; launching it records id.
    QString addEntry(const QString &id, const QString &name);
    // The same with one desktop action, actionId named actionName; launching the action records
    // "<id>-<actionId>".
    QString addEntryWithAction(const QString &id, const QString &name, const QString &actionId,
                               const QString &actionName);
    // Writes an entry that opens a window titled title, with startup notification; launching it
    // records "<startup notification ID> <activation token> own-session|shared-session", as the
    // program got them.
    QString addWindowEntry(const QString &id, const QString &title);
    // Writes an entry with startup notification whose program records its process id, process
    // group and session ("pid pgid sid" on the first line), then the environment it was given, one
    // variable a line, in the file returned; the program then stays until it is killed.
    QString addRecorderEntry(const QString &id, const QString &name);
    QString entryPath(const QString &id) const;
    // What the entries launched so far recorded, in launch order: their ids.
    QStringList launches() const;
    QString usageLogPath() const;
    // The count the usage log holds for the entry, or for one of its actions; 0 when it holds
    // none.
    int usageCount(const QString &id, const QString &actionId = QString()) const;
    QString settingsPath() const;

    // From the next start on, no file Trovia writes may grow past bytes, as on a full disk (the
    // write fails); -1 lifts the limit.
    void setFileSizeLimit(qint64 bytes) { fileSizeLimit = bytes; }
    // From the next start on, Trovia leads a process group of its own, as a shell's job does.
    void setOwnProcessGroup(bool own) { ownGroup = own; }
    qint64 processId() const { return trovia ? trovia->processId() : 0; }
    // Starts Trovia; true once the process runs (its window may not be mapped yet).
    bool start(const QStringList &arguments = {});
    bool isRunning() const;
    // Sends SIGTERM and waits for the exit; true when Trovia exited by itself with status 0.
    bool terminate();
    // Runs one more trovia with the arguments to its end; its exit code, -1 when it hung.
    int runAnother(const QStringList &arguments);
    QString standardError();

    // The running Trovia's windows as the X server sees them; 0 when none is mapped.
    static QString mainWindow();
    static QString resultList();
    // The first mapped window titled name, tray icons aside.
    static QString windowNamed(const QString &name);
    static QString activeWindow();
    static QPoint windowPosition(const QString &window);
    static QRect windowGeometry(const QString &window);
    // Trovia's icon in the desktop's XEmbed tray; empty when it shows none.
    static QString trayIcon();

    // A left click in window: in its middle, else at the point given within it.
    static bool click(const QString &window, std::optional<QPoint> at = std::nullopt);

    // Real key presses through XTest, to whichever window has the focus.
    static bool key(const QString &keys);
    static bool type(const QString &text);

    // A fake org.freedesktop.FileManager1 on the session bus; the URIs it was asked to show.
    bool startFileManager();
    QStringList shownItems() const;

    QProcessEnvironment environment() const { return env; }

private:
    static QStringList windowsNamed(const QString &name);
    static bool isTrayIcon(const QString &window);

    QTemporaryDir root;
    QString dataHome, dataDir, configHome, markerFile, fileManagerRecord;
    QProcessEnvironment env;
    std::unique_ptr<QProcess> trovia;
    std::unique_ptr<QProcess> fileManager;
    QByteArray errors;
    qint64 fileSizeLimit = -1;
    bool ownGroup = false;
};
