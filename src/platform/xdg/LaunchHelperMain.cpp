// trovia-launch, Trovia's launch helper: launches one desktop entry or action with GIO. Reads a
// LaunchRequest from standard input. On standard output, a pipe to Trovia, it writes its log
// lines, then a line of a NUL byte and '1' (launched) or '0', then the log lines of the answers it
// waits for, and a line of a NUL byte and 'f' if one says the launch failed after all.

#include "core/Logging.h"
#include "platform/xdg/GioLaunch.h"

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace
{

int toTrovia = -1;

void writeToTrovia(const QByteArray &bytes)
{
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t result =
            write(toTrovia, bytes.constData() + written, size_t(bytes.size() - written));
        if (result <= 0)
            return;
        written += result;
    }
}

// Each line of a message becomes one of Trovia's warnings: the helper logs only warnings.
void logToTrovia(QtMsgType, const QMessageLogContext &, const QString &message)
{
    writeToTrovia(message.toUtf8() + '\n');
}

} // namespace

int main(int argc, char *argv[])
{
    // The programs launched must not write into the pipe, which ends with the helper: they write
    // where Trovia does, to its standard error, which also takes the place of standard output.
    toTrovia = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        // Trovia runs with standard error closed.
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDOUT_FILENO);
        close(nowhere);
    }
    qInstallMessageHandler(logToTrovia);
    QCoreApplication application(argc, argv);
    QFile input;
    input.open(stdin, QIODevice::ReadOnly);
    const std::optional<LaunchRequest> request = LaunchRequest::decoded(input.readAll());
    if (!request)
        qCWarning(lcPlatform) << "trovia-launch: no launch request on standard input.";
    const bool launched = request && GioLaunch::launch(*request);
    // Trovia may be gone by the time the last answer comes. Not before the launch: a launched
    // program would inherit the ignored signal.
    std::signal(SIGPIPE, SIG_IGN);
    writeToTrovia(QByteArray("\0", 1) + (launched ? "1\n" : "0\n"));
    GioLaunch::waitForReplies([] { writeToTrovia(QByteArray("\0f\n", 3)); });
    return launched ? 0 : 1;
}
