#include "launcher/CommandLine.h"

#include <QCommandLineParser>

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Trovia, a keyboard application launcher."));
    // Qt's own options are single-dash words.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption toggle(
        QStringLiteral("toggle"),
        QStringLiteral(
            "Show Trovia, or hide it when it is shown (starts it when it is not running)."));
    const QCommandLineOption hidden(QStringLiteral("hidden"),
                                    QStringLiteral("Start without showing the window."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show Trovia's version."));
    parser.addOptions({toggle, hidden, help, version});
    // Taken here only so that they are not errors; the application object reads them.
    for (const char *name : {"platform", "display", "style", "qwindowgeometry", "qwindowtitle",
                             "qwindowicon", "platformtheme", "plugin"}) {
        QCommandLineOption qtOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }

    CommandLine result;
    // Without an application object Qt cannot name the program in its help.
    result.usage =
        parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("trovia"));
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = QStringLiteral("Unexpected argument '%1'.")
                           .arg(parser.positionalArguments().constFirst());
        return result;
    }
    result.toggle = parser.isSet(toggle);
    result.hidden = parser.isSet(hidden);
    result.help = parser.isSet(help);
    result.version = parser.isSet(version);
    return result;
}

QString CommandLine::versionText()
{
    return QStringLiteral("trovia ") + QLatin1String(TROVIA_VERSION);
}

QStringList applicationArguments(const QStringList &arguments,
                                 const QProcessEnvironment &environment)
{
    QStringList result = arguments;
    // QT_QPA_PLATFORM=wayland, as many Wayland guides advise, is meant for the programs Trovia
    // launches; only an explicit argument puts Trovia itself elsewhere.
    const bool platformChosen = arguments.contains(QStringLiteral("-platform")) ||
                                arguments.contains(QStringLiteral("--platform"));
    if (!platformChosen && environment.contains(QStringLiteral("WAYLAND_DISPLAY"))) {
        const int afterProgram = qMin(1, int(result.size()));
        result.insert(afterProgram, QStringLiteral("xcb"));
        result.insert(afterProgram, QStringLiteral("-platform"));
    }
    return result;
}
