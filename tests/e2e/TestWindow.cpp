// A program with one window titled by its first argument: what a launched application looks like
// to the window manager (Qt passes on the startup notification it was started with). It appends
// "<startup notification ID> <activation token> own-session|shared-session" to the file named by
// its second argument, and, given a third,
// appends "focused <platform> <process id>" to that file each time its window gets the keyboard
// focus.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QWindow>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc > 2) {
        QFile record(QString::fromLocal8Bit(argv[2]));
        if (record.open(QIODevice::Append))
            record.write(qgetenv("DESKTOP_STARTUP_ID") + ' ' + qgetenv("XDG_ACTIVATION_TOKEN") +
                         (getsid(0) == getpid() ? " own-session\n" : " shared-session\n"));
    }
    QApplication application(argc, argv);
    if (argc > 3) {
        const QString focusRecord = QString::fromLocal8Bit(argv[3]);
        QObject::connect(
            &application, &QGuiApplication::focusWindowChanged, [focusRecord](QWindow *focused) {
                QFile record(focusRecord);
                if (focused && record.open(QIODevice::Append))
                    record.write("focused " + QGuiApplication::platformName().toUtf8() + ' ' +
                                 QByteArray::number(QCoreApplication::applicationPid()) + '\n');
            });
    }
    const QString title = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Window");
    QLabel window(title);
    window.setWindowTitle(title);
    window.resize(300, 120);
    window.show();
    return application.exec();
}
