#pragma once

#include <QString>
#include <QStringList>
#include <random>

// Application names shaped like the ones on a desktop: one to three words from vendor, product
// and kind lists, sometimes a version ("GNOME Text Editor", "Kdenlive", "Visual Studio Code"),
// deterministic per index.
inline QString syntheticName(int index)
{
    static const QStringList vendors{"GNOME",   "KDE",   "Libre",  "Open", "Visual", "Google",
                                     "Mozilla", "Free",  "Simple", "Mini", "Super",  "Pro",
                                     "Easy",    "Quick", "Smart",  "Deep", "Blue",   "Red",
                                     "Micro",   "Meta",  "Net",    "Web",  "Cloud",  "Desktop"};
    static const QStringList products{
        "Terminal", "Writer",   "Calc",        "Impress",   "Draw",       "Studio",     "Code",
        "Firefox",  "Chrome",   "Files",       "Nautilus",  "Dolphin",    "Konsole",    "Gimp",
        "Inkscape", "Blender",  "Audacity",    "Kdenlive",  "Shotwell",   "Rhythmbox",  "Totem",
        "Evince",   "Okular",   "Thunderbird", "Evolution", "Geary",      "Boxes",      "Builder",
        "Tetris",   "Mines",    "Sudoku",      "Chess",     "Solitaire",  "Weather",    "Clocks",
        "Maps",     "Contacts", "Calendar",    "Notes",     "Photos",     "Music",      "Videos",
        "Settings", "Monitor",  "Disks",       "Fonts",     "Characters", "Screenshot", "Recorder"};
    static const QStringList kinds{"Editor",  "Viewer",  "Player",   "Manager", "Browser",
                                   "Client",  "Tool",    "Launcher", "Mixer",   "Scanner",
                                   "Console", "Monitor", "Reader",   "Server",  "Designer"};
    std::mt19937 random(static_cast<std::mt19937::result_type>(index) * 2654435761u + 1);
    const auto pick = [&random](const QStringList &list) {
        return list.at(static_cast<int>(random() % static_cast<unsigned>(list.size())));
    };
    switch (random() % 10) {
    case 0:
        return pick(products);
    case 1:
        return pick(products) + ' ' + QString::number(random() % 20 + 1);
    case 2:
    case 3:
        return pick(vendors) + ' ' + pick(products);
    case 4:
    case 5:
        return pick(products) + ' ' + pick(kinds);
    default:
        return pick(vendors) + ' ' + pick(products) + ' ' + pick(kinds);
    }
}

// What else finds a synthetic entry, shaped like a desktop's: a command ("gimp-editor"), three
// to five keywords and a generic name, deterministic per index.
inline QStringList syntheticSearchTexts(int index)
{
    static const QStringList words{
        "text",    "editor",  "web",     "browser", "internet", "image",  "photo",   "video",
        "audio",   "music",   "player",  "office",  "document", "spread", "sheet",   "present",
        "mail",    "chat",    "game",    "puzzle",  "terminal", "shell",  "console", "files",
        "manager", "system",  "monitor", "network", "settings", "disk",   "backup",  "archive",
        "viewer",  "reader",  "draw",    "paint",   "vector",   "3d",     "code",    "develop",
        "debug",   "science", "math",    "calc",    "clock",    "map",    "weather", "news"};
    std::mt19937 random(static_cast<std::mt19937::result_type>(index) * 40503u + 7);
    const auto pick = [&random] {
        return words.at(static_cast<int>(random() % static_cast<unsigned>(words.size())));
    };
    QStringList texts{pick() + '-' + pick()};
    for (unsigned i = 0, count = 3 + random() % 3; i < count; ++i)
        texts << pick();
    texts << pick() + ' ' + pick();
    return texts;
}
