#include "TroviaSession.h"

#include "core/PropertyList.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPoint>
#include <QRect>
#include <QTest>
#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace
{

QString xdotool(const QStringList &arguments, bool *ok = nullptr)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    const bool finished = process.waitForFinished(10000);
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

} // namespace

TroviaSession::TroviaSession()
{
    const QString home = root.filePath(QStringLiteral("home"));
    dataHome = home + QStringLiteral("/.local/share");
    configHome = home + QStringLiteral("/.config");
    dataDir = root.filePath(QStringLiteral("data"));
    markerFile = root.filePath(QStringLiteral("launches"));
    fileManagerRecord = root.filePath(QStringLiteral("file-manager"));
    const QString runtime = root.filePath(QStringLiteral("runtime"));
    for (const QString &dir :
         {dataHome, configHome, home + QStringLiteral("/.cache"),
          dataDir + QStringLiteral("/applications"), runtime, root.filePath(QStringLiteral("bin"))})
        QDir().mkpath(dir);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString mark = root.filePath(QStringLiteral("bin/mark"));
    writeFile(mark, "#!/bin/sh\necho \"$1\" >> '" + markerFile.toUtf8() + "'\n");
    QFile::setPermissions(mark, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    env.insert(QStringLiteral("XDG_DATA_DIRS"), dataDir);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("XDG_CONFIG_DIRS"), root.filePath(QStringLiteral("etc-xdg")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/.local/state"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    for (const char *name :
         {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN",
          "XDG_CURRENT_DESKTOP", "QT_LOGGING_RULES", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(QString::fromLatin1(name));
    // The tests read Trovia's English texts, whatever the machine's language.
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
}

TroviaSession::~TroviaSession()
{
    for (QProcess *process : {trovia.get(), fileManager.get()}) {
        if (process && process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

QString TroviaSession::entryPath(const QString &id) const
{
    return dataDir + QStringLiteral("/applications/") + id + QStringLiteral(".desktop");
}

QString TroviaSession::addEntry(const QString &id, const QString &name)
{
    const QString path = entryPath(id);
    writeFile(path, "[Desktop Entry]\nType=Application\nName=" + name.toUtf8() +
                        "\nExec=" + root.filePath(QStringLiteral("bin/mark")).toUtf8() + ' ' +
                        id.toUtf8() + "\nTerminal=false\n");
    return path;
}

QString TroviaSession::addEntryWithAction(const QString &id, const QString &name,
                                          const QString &actionId, const QString &actionName)
{
    const QString path = entryPath(id);
    const QByteArray mark = root.filePath(QStringLiteral("bin/mark")).toUtf8();
    writeFile(path, "[Desktop Entry]\nType=Application\nName=" + name.toUtf8() + "\nExec=" + mark +
                        ' ' + id.toUtf8() + "\nTerminal=false\nActions=" + actionId.toUtf8() +
                        ";\n\n[Desktop Action " + actionId.toUtf8() +
                        "]\nName=" + actionName.toUtf8() + "\nExec=" + mark + ' ' + id.toUtf8() +
                        '-' + actionId.toUtf8() + '\n');
    return path;
}

QString TroviaSession::addWindowEntry(const QString &id, const QString &title)
{
    const QString path = entryPath(id);
    writeFile(path, "[Desktop Entry]\nType=Application\nName=" + title.toUtf8() +
                        "\nExec=" + qgetenv("TROVIA_TEST_WINDOW") + " \"" + title.toUtf8() + "\" " +
                        markerFile.toUtf8() + "\nStartupNotify=true\nTerminal=false\n");
    return path;
}

QString TroviaSession::addRecorderEntry(const QString &id, const QString &name)
{
    const QString record = root.filePath(id + QStringLiteral(".record"));
    const QString program = root.filePath(QStringLiteral("bin/record-") + id);
    writeFile(program, "#!/bin/sh\nread -r stat < /proc/$$/stat\nset -- $stat\n"
                       "{ echo \"$1 $5 $6\"; tr '\\0' '\\n' < /proc/$$/environ; } > '" +
                           record.toUtf8() + ".part'\nmv '" + record.toUtf8() + ".part' '" +
                           record.toUtf8() + "'\nexec sleep 600\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(entryPath(id), "[Desktop Entry]\nType=Application\nName=" + name.toUtf8() +
                                 "\nExec=" + program.toUtf8() +
                                 "\nStartupNotify=true\nTerminal=false\n");
    return record;
}

QStringList TroviaSession::launches() const
{
    QFile file(markerFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString TroviaSession::usageLogPath() const
{
    return dataHome + QStringLiteral("/Trovia/Usage log.plist");
}

int TroviaSession::usageCount(const QString &id, const QString &actionId) const
{
    const PropertyList::ReadResult log = PropertyList::fromFile(usageLogPath());
    if (!log.ok())
        return 0;
    return log.value.toMap()
        .value(QStringLiteral("Applications Uses"))
        .toMap()
        .value(actionId.isEmpty() ? entryPath(id) : entryPath(id) + QLatin1Char('#') + actionId)
        .toInt();
}

QString TroviaSession::settingsPath() const
{
    return configHome + QStringLiteral("/Trovia/Trovia.conf");
}

bool TroviaSession::start(const QStringList &arguments)
{
    errors.clear();
    trovia = std::make_unique<QProcess>();
    trovia->setProcessEnvironment(env);
    trovia->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    QObject::connect(trovia.get(), &QProcess::readyReadStandardError,
                     [this] { errors += trovia->readAllStandardError(); });
    const qint64 sizeLimit = fileSizeLimit;
    const bool group = ownGroup;
    trovia->setChildProcessModifier([sizeLimit, group] {
        if (sizeLimit >= 0) {
            const rlimit limit{rlim_t(sizeLimit), rlim_t(sizeLimit)};
            // A write past the limit then fails (EFBIG) instead of ending the process.
            std::signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (group)
            setpgid(0, 0);
    });
    trovia->start(QString::fromLocal8Bit(qgetenv("TROVIA_BINARY")), arguments);
    return trovia->waitForStarted(10000);
}

bool TroviaSession::isRunning() const
{
    return trovia && trovia->state() == QProcess::Running;
}

bool TroviaSession::terminate()
{
    if (!isRunning())
        return false;
    trovia->terminate();
    if (!trovia->waitForFinished(10000))
        return false;
    errors += trovia->readAllStandardError();
    return trovia->exitStatus() == QProcess::NormalExit && trovia->exitCode() == 0;
}

int TroviaSession::runAnother(const QStringList &arguments)
{
    QProcess another;
    another.setProcessEnvironment(env);
    another.setProcessChannelMode(QProcess::ForwardedChannels);
    another.start(QString::fromLocal8Bit(qgetenv("TROVIA_BINARY")), arguments);
    if (!another.waitForFinished(15000)) {
        another.kill();
        another.waitForFinished();
        return -1;
    }
    return another.exitStatus() == QProcess::NormalExit ? another.exitCode() : -1;
}

QString TroviaSession::standardError()
{
    if (trovia)
        errors += trovia->readAllStandardError();
    return QString::fromLocal8Bit(errors);
}

QStringList TroviaSession::windowsNamed(const QString &name)
{
    // A window destroyed while xdotool walks the tree makes the search fail with an X error,
    // which says nothing about the window sought: search again then.
    for (int attempt = 0; attempt < 5; ++attempt) {
        QProcess search;
        search.start(QStringLiteral("xdotool"),
                     {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                      QStringLiteral("--name"), QLatin1Char('^') + name + QLatin1Char('$')});
        if (!search.waitForFinished(10000))
            return {};
        const QString windows = QString::fromUtf8(search.readAllStandardOutput()).trimmed();
        if (!windows.isEmpty())
            return windows.split(QLatin1Char('\n'));
        const QByteArray errors = search.readAllStandardError();
        if (errors.isEmpty())
            return {};
    }
    return {};
}

bool TroviaSession::isTrayIcon(const QString &window)
{
    // A tray icon lives inside the tray's window, and the window manager, which marks every
    // window it manages with WM_STATE, leaves it alone.
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const xcb_window_t id = window.toUInt();
    xcb_query_tree_reply_t *tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr);
    const bool nested = tree && tree->parent != tree->root;
    free(tree);
    const QByteArray name = "WM_STATE";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()),
        nullptr);
    xcb_get_property_reply_t *state =
        atom ? xcb_get_property_reply(
                   connection, xcb_get_property(connection, 0, id, atom->atom, XCB_ATOM_ANY, 0, 2),
                   nullptr)
             : nullptr;
    const bool managed = state && state->type != XCB_ATOM_NONE;
    free(state);
    free(atom);
    xcb_disconnect(connection);
    return nested && !managed;
}

QString TroviaSession::windowNamed(const QString &name)
{
    for (const QString &window : windowsNamed(name)) {
        if (!isTrayIcon(window))
            return window;
    }
    return {};
}

QString TroviaSession::trayIcon()
{
    // Searched by hand: xdotool's search does not look inside other clients' windows, where a
    // tray keeps its icons.
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    QList<xcb_window_t> windows{xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root};
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, 12, "_NET_WM_NAME"), nullptr);
    const xcb_atom_t netWmName = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(atom);
    QString found;
    while (!windows.isEmpty() && found.isEmpty()) {
        const xcb_window_t window = windows.takeFirst();
        xcb_query_tree_reply_t *tree =
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
        if (tree) {
            const xcb_window_t *children = xcb_query_tree_children(tree);
            windows.append(
                QList<xcb_window_t>(children, children + xcb_query_tree_children_length(tree)));
            free(tree);
        }
        xcb_get_property_reply_t *name = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, netWmName, XCB_ATOM_ANY, 0, 64),
            nullptr);
        xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, window), nullptr);
        if (name && attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
            QByteArray(static_cast<const char *>(xcb_get_property_value(name)),
                       xcb_get_property_value_length(name)) == "Trovia" &&
            isTrayIcon(QString::number(window)))
            found = QString::number(window);
        free(name);
        free(attributes);
    }
    xcb_disconnect(connection);
    return found;
}

QString TroviaSession::mainWindow()
{
    return windowNamed(QStringLiteral("Trovia"));
}

QString TroviaSession::resultList()
{
    return windowNamed(QStringLiteral("Trovia Results"));
}

QString TroviaSession::activeWindow()
{
    return xdotool({QStringLiteral("getactivewindow")});
}

QRect TroviaSession::windowGeometry(const QString &window)
{
    // "X=…\nY=…\nWIDTH=…\nHEIGHT=…" in shell form.
    const QStringList lines =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window})
            .split(QLatin1Char('\n'));
    QRect geometry(-1, -1, 0, 0);
    for (const QString &line : lines) {
        const QString value = line.section(QLatin1Char('='), 1);
        if (line.startsWith(QLatin1String("X=")))
            geometry.moveLeft(value.toInt());
        else if (line.startsWith(QLatin1String("Y=")))
            geometry.moveTop(value.toInt());
        else if (line.startsWith(QLatin1String("WIDTH=")))
            geometry.setWidth(value.toInt());
        else if (line.startsWith(QLatin1String("HEIGHT=")))
            geometry.setHeight(value.toInt());
    }
    return geometry;
}

QPoint TroviaSession::windowPosition(const QString &window)
{
    return windowGeometry(window).topLeft();
}

bool TroviaSession::click(const QString &window, std::optional<QPoint> at)
{
    const QRect geometry = windowGeometry(window);
    const QPoint point = at.value_or(QPoint(geometry.width() / 2, geometry.height() / 2));
    bool ok = false;
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
             QString::number(point.x()), QString::number(point.y()), QStringLiteral("click"),
             QStringLiteral("1")},
            &ok);
    return ok && !geometry.isEmpty();
}

bool TroviaSession::key(const QString &keys)
{
    bool ok = false;
    xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys}, &ok);
    return ok;
}

bool TroviaSession::type(const QString &text)
{
    bool ok = false;
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), text}, &ok);
    return ok;
}

bool TroviaSession::startFileManager()
{
    fileManager = std::make_unique<QProcess>();
    fileManager->setProcessChannelMode(QProcess::ForwardedChannels);
    fileManager->start(QString::fromLocal8Bit(qgetenv("TROVIA_FAKE_FILEMANAGER")),
                       {fileManagerRecord});
    if (!fileManager->waitForStarted(10000))
        return false;
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    const QDeadlineTimer deadline(10000);
    while (!bus->isServiceRegistered(QStringLiteral("org.freedesktop.FileManager1"))) {
        if (deadline.hasExpired() || fileManager->state() != QProcess::Running)
            return false;
        QTest::qWait(20);
    }
    return true;
}

QStringList TroviaSession::shownItems() const
{
    QFile file(fileManagerRecord);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
