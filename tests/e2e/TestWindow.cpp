// A program with one window titled by its argument: what a launched application looks like to
// the window manager (Qt passes on the startup notification it was started with).
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QString title = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Window");
    QLabel window(title);
    window.setWindowTitle(title);
    window.resize(300, 120);
    window.show();
    return application.exec();
}
