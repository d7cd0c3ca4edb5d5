#include "platform/xdg/GioApplicationLauncher.h"

#include "core/Logging.h"
#include "core/ResourcePaths.h"
#include "platform/x11/WindowActivation.h"
#include "platform/x11/X11Connection.h"
#include "platform/xdg/DesktopEntryFile.h"
#include "platform/xdg/LaunchRequest.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <glib.h>
#include <optional>
#include <utility>

namespace
{

// A launch through GIO takes milliseconds; the helper is given up on long before the user would.
constexpr int answerTimeoutMs = 10000;

// Logs the helper's complete lines as Trovia's own; returns the letters of its control lines: '1'
// launched or '0' not, then 'f' when the launch failed after all.
QByteArray relayLines(QProcess &helper)
{
    QByteArray controls;
    while (helper.canReadLine()) {
        QByteArray line = helper.readLine();
        line.chop(1);
        if (line.size() == 2 && line.at(0) == '\0')
            controls += line.at(1);
        else
            qCWarning(lcPlatform).noquote() << QString::fromUtf8(line);
    }
    return controls;
}

std::optional<bool> answerIn(const QByteArray &controls)
{
    if (controls.contains('1'))
        return true;
    if (controls.contains('0'))
        return false;
    return std::nullopt;
}

// Begins the X startup notification of a launch on Trovia's connection, for an entry that asks
// for one, told as GIO would tell it; empty when there is none.
QByteArray beginStartup(const QByteArray &entryFile, const QString &actionId)
{
    // The helper says why anything but a regular file does not launch.
    if (!X11::qtConnection() || !DesktopEntryFile::isRegularFile(entryFile))
        return {};
    const DesktopEntryFile keys(entryFile);
    if (!keys.isApplication() || !keys.flag(G_KEY_FILE_DESKTOP_KEY_STARTUP_NOTIFY))
        return {};
    const QByteArray actionGroup = DesktopEntryFile::actionGroup(actionId.toUtf8());
    const char *group = actionId.isEmpty() ? nullptr : actionGroup.constData();
    WindowActivation::StartupDetails details;
    if (!group)
        details.name = keys.localised("X-GNOME-FullName");
    if (details.name.isEmpty())
        details.name = keys.localised(G_KEY_FILE_DESKTOP_KEY_NAME, group);
    int argc = 0;
    char **argv = nullptr;
    const QByteArray exec = keys.string(G_KEY_FILE_DESKTOP_KEY_EXEC, group);
    if (g_shell_parse_argv(exec.constData(), &argc, &argv, nullptr)) {
        details.binary = argv[0];
        g_strfreev(argv);
    }
    details.icon = keys.localised(G_KEY_FILE_DESKTOP_KEY_ICON);
    // As GIO mends a themed icon named with its file's extension.
    if (!details.icon.startsWith('/')) {
        for (const char *extension : {".png", ".xpm", ".svg"}) {
            if (details.icon.endsWith(extension)) {
                details.icon.chop(4);
                break;
            }
        }
    }
    details.applicationId = entryFile;
    return WindowActivation::beginStartup(details, WindowActivation::userTime());
}

} // namespace

GioApplicationLauncher::GioApplicationLauncher(QString helperProgram)
    : helper(std::move(helperProgram))
{
}

QString GioApplicationLauncher::installedHelper()
{
    for (const QString &candidate : besideOrRelativeToExecutable(
             QStringLiteral("trovia-launch"), QStringLiteral(TROVIA_LAUNCH_HELPER_FROM_BINARY))) {
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return QStringLiteral(TROVIA_INSTALLED_LAUNCH_HELPER);
}

bool GioApplicationLauncher::launch(const QByteArray &entryFile)
{
    return launchThroughHelper({entryFile, QString(), QByteArray()});
}

bool GioApplicationLauncher::launchAction(const QByteArray &entryFile, const QString &actionId)
{
    return !actionId.isEmpty() && launchThroughHelper({entryFile, actionId, QByteArray()});
}

bool GioApplicationLauncher::launchThroughHelper(const LaunchRequest &request)
{
    LaunchRequest sent = request;
    sent.startupId = beginStartup(request.entryFile, request.actionId);

    // Not owned by Trovia: once it has answered, the helper may still wait for the desktop's
    // replies (a systemd scope, a D-Bus activation), also after Trovia quits.
    auto *process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(helper, QStringList());
    if (!process->waitForStarted(answerTimeoutMs)) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: the launch helper %2 did not start: %3")
                   .arg(QFile::decodeName(request.entryFile), helper, process->errorString());
        WindowActivation::completeStartup(sent.startupId);
        delete process;
        return false;
    }
    process->write(sent.encoded());
    process->closeWriteChannel();

    QByteArray controls;
    const QDeadlineTimer deadline(answerTimeoutMs);
    while (!answerIn(controls) && process->waitForReadyRead(int(deadline.remainingTime())))
        controls += relayLines(*process);
    controls += relayLines(*process);
    const std::optional<bool> answer = answerIn(controls);
    if (!answer) {
        qCWarning(lcPlatform).noquote() << QStringLiteral("%1: the launch helper gave no answer.")
                                               .arg(QFile::decodeName(request.entryFile));
        // A late launch would come after Trovia reported the failure.
        process->kill();
    }
    // Nothing will start: end the busy cursor now rather than at the desktop's timeout.
    if (!answer.value_or(false) || controls.contains('f'))
        WindowActivation::completeStartup(sent.startupId);

    // What it says later is logged as it comes; it is freed when it ends.
    const auto relay = [process, startupId = sent.startupId] {
        if (relayLines(*process).contains('f'))
            WindowActivation::completeStartup(startupId);
    };
    const auto finish = [process, relay] {
        relay();
        if (const QByteArray rest = process->readAll(); !rest.isEmpty())
            qCWarning(lcPlatform).noquote() << QString::fromUtf8(rest);
        process->deleteLater();
    };
    if (process->state() == QProcess::NotRunning) {
        finish();
    } else {
        QObject::connect(process, &QProcess::readyRead, process, relay);
        QObject::connect(process, &QProcess::finished, process, finish);
    }
    return answer.value_or(false);
}

QIcon GioApplicationLauncher::icon(const QString &iconName)
{
    const QIcon generic = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    if (iconName.isEmpty())
        return generic;
    if (QDir::isAbsolutePath(iconName))
        return QFileInfo(iconName).isFile() ? QIcon(iconName) : generic;
    return QIcon::fromTheme(iconName, generic);
}
