// Shows Trovia's main window with a result list over a plain backdrop and photographs the screen
// with ImageMagick's import. Run it on an X server of its own (tests/with-x-session); the settings
// go to a temporary folder.
//
//   trovia-screenshot --preset "Medium Gray" --surface shiny --rows 12 --query e --output shot.png

#include "catalogue/Application.h"
#include "catalogue/Matching.h"
#include "core/ColorPresets.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/xdg/GioApplicationLauncher.h"
#include "presentation/MainView.h"
#include "presentation/ResultListModel.h"
#include "presentation/ResultListWindow.h"
#include "presentation/TroviaTableView.h"
#include "presentation/TroviaView.h"
#include "presentation/TroviaWindow.h"
#include "presentation/WindowAppearance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace
{

struct Entry {
    const char *name;
    const char *icon;
    bool classic;
    // What else finds it: keywords (';' between them), then a generic name.
    const char *keywords = "";
    const char *genericName = "";
};

const Entry entries[] = {
    {"Text Editor", "accessories-text-editor", false},
    {"Terminal", "utilities-terminal", false},
    {"Files", "system-file-manager", false, "folder;manager;explore", "File Manager"},
    {"Web Browser", "web-browser", false},
    {"Firefox", "firefox-esr", false, "Internet;WWW;Browser;Web", "Web Browser"},
    {"GNU Image Manipulation Program (Experimental Developer Preview)", "applications-graphics",
     false},
    {"Screenshot", "applets-screenshooter", false},
    {"Character Map", "accessories-character-map", false},
    {"Help Viewer", "help-browser", false},
    {"Notepad++", "accessories-text-editor", true},
    {"Settings", "preferences-desktop", false},
    {"Sound Preferences", "multimedia-volume-control", false},
    {"Games Centre", "applications-games", false},
};

// The sample applications the query matches, in Trovia's own order, at most count of them.
ApplicationList rows(const QString &query, int count)
{
    ApplicationList all;
    for (const Entry &entry : entries) {
        const QString file =
            QStringLiteral("/usr/share/applications/example-%1.desktop").arg(all.size());
        auto app = std::make_shared<Application>(QUrl::fromLocalFile(file), entry.name,
                                                 entry.classic, entry.icon);
        QList<Application::SearchText> texts;
        for (const QString &keyword :
             QString::fromUtf8(entry.keywords).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            texts.append({Application::TextKind::Keyword, keyword});
        if (*entry.genericName)
            texts.append(
                {Application::TextKind::GenericName, QString::fromUtf8(entry.genericName)});
        app->setSearchTexts(texts);
        all.append(std::move(app));
    }
    ApplicationList matches = buildMatchingApplicationList(
        query, all, [](const Application &) { return true; }, [](const QString &) { return 0; },
        MatchScope::NamesAndMore);
    return matches.mid(0, count);
}

// A quiet desktop behind the windows.
class Backdrop : public QWidget
{
public:
    Backdrop() : QWidget(nullptr, Qt::FramelessWindowHint) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, width() * 0.3, height());
        gradient.setColorAt(0, QColor(0x6d, 0x7f, 0x96));
        gradient.setColorAt(1, QColor(0x2c, 0x35, 0x44));
        painter.fillRect(rect(), gradient);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir configHome;
    QApplication application(argc, argv);
    QIcon::setThemeName(QStringLiteral("Adwaita"));

    QCommandLineParser parser;
    parser.addOptions({{"preset", "Colour preset name.", "name", "Medium Gray"},
                       {"surface", "matte or shiny.", "style", "shiny"},
                       {"rows", "At most this many matching applications.", "count", "12"},
                       {"query", "Text in the search field.", "text", "e"},
                       {"output", "PNG file to write.", "file", "trovia.png"}});
    parser.process(application);

    Settings settings(configHome.filePath(QStringLiteral("Trovia.conf")));
    settings.setValue(WindowColorPresetKey, parser.value("preset"));
    settings.setValue(WindowStyleKey, parser.value("surface") == "matte" ? MatteStyle : ShinyStyle);
    ColorPresets::loadColorPresets(settings);

    auto *view = new MainView;
    WindowAppearance::apply(view, view->troviaLabel(), settings.value(WindowColorKey),
                            settings.value(WindowStyleKey));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    Backdrop backdrop;
    backdrop.setGeometry(screen);
    backdrop.show();

    const QSize size = view->size();
    const float x = float(screen.width() - size.width()) / 2;
    const float y = float(screen.height()) * 0.72f;
    X11WindowSystem windowSystem;
    auto *window =
        new TroviaWindow(windowSystem, TroviaRect{x, y, float(size.width()), float(size.height())});
    window->setContentView(view);
    auto *list = new ResultListWindow(window, view->textField());
    GioApplicationLauncher icons;
    list->model()->setIconSource(&icons);
    list->model()->setApplications(rows(parser.value("query"), parser.value("rows").toInt()),
                                   parser.value("query"));
    list->model()->setClassicIcon(QIcon::fromTheme(QStringLiteral("wine")));
    window->show();
    window->activateWindow();
    view->textField()->setFocus();
    view->textField()->setText(parser.value("query"));
    list->setupListFrame();
    list->attach();
    list->tableView()->selectRow(0);

    const QString output = parser.value("output");
    auto shown = [&] {
        for (QWidget *widget : {static_cast<QWidget *>(&backdrop), static_cast<QWidget *>(window),
                                static_cast<QWidget *>(list)})
            if (!widget->windowHandle() || !widget->windowHandle()->isExposed())
                return false;
        return true;
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &application, [&] {
        if (!shown())
            return;
        poll.stop();
        // Everything exposed has been painted once the queued paint events ran.
        QCoreApplication::processEvents();
        // The photograph: the windows and a margin of backdrop around them, in device pixels.
        const qreal ratio = window->devicePixelRatioF();
        const QRect area =
            window->frameGeometry().united(list->frameGeometry()).adjusted(-40, -40, 40, 40);
        const QRect pixels(area.topLeft() * ratio, area.size() * ratio);
        const QString crop = QStringLiteral("%1x%2+%3+%4")
                                 .arg(pixels.width())
                                 .arg(pixels.height())
                                 .arg(pixels.x())
                                 .arg(pixels.y());
        const int status = QProcess::execute(QStringLiteral("import"),
                                             {"-window", "root", "-crop", crop, "+repage", output});
        std::fprintf(stderr, "%s: %s\n", qPrintable(output), status == 0 ? "written" : "failed");
        application.exit(status == 0 ? 0 : 1);
    });
    poll.start(50);
    const int result = application.exec();
    delete window;
    return result;
}
