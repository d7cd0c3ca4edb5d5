// One catalogue build over real desktop entry files in a temporary XDG folder. GLib reads the XDG
// variables once per process, so each size runs in its own process: --entries=N (default 1000).
#include "SyntheticNames.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSnapshot.h"
#include "platform/FolderWalk.h"
#include "platform/xdg/GioApplicationRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>
#include <gio/gio.h>

namespace
{

// An entry the size of a packaged one: translated names and comments, keywords, MIME types.
QByteArray entryText(int index)
{
    static const char *const languages[] = {
        "ar", "ca", "cs", "da", "de", "el",    "es", "fi", "fr", "he", "hu",    "it",
        "ja", "ko", "nl", "pl", "pt", "pt_BR", "ru", "sv", "tr", "uk", "zh_CN", "zh_TW"};
    const QByteArray name = syntheticName(index).toUtf8();
    QByteArray text = "[Desktop Entry]\nType=Application\nVersion=1.0\nName=" + name + "\n";
    for (const char *language : languages)
        text += QByteArray("Name[") + language + "]=" + name + " (" + language + ")\n";
    text += "GenericName=Application\nComment=Does what " + name + " does\n";
    for (const char *language : languages)
        text += QByteArray("Comment[") + language + "]=Does what " + name + " does, translated\n";
    text += "Exec=true %U\nIcon=app" + QByteArray::number(index) +
            "\nTerminal=false\nCategories=Utility;Development;\n"
            "Keywords=tool;utility;edit;view;\nMimeType=text/plain;application/x-example;\n"
            "StartupNotify=true\n";
    if (index % 10 == 0)
        text += "NoDisplay=true\n";
    return text;
}

void catalogueBuild(benchmark::State &state)
{
    GioApplicationRegistry registry;
    Catalogue catalogue(registry);
    for (auto _ : state) {
        catalogue.buildApplicationList();
        benchmark::DoNotOptimize(catalogue.apps().size());
    }
    state.counters["records"] = static_cast<double>(catalogue.apps().size());
}

// What a start with a snapshot reads before its first build lands.
void snapshotRead(benchmark::State &state)
{
    GioApplicationRegistry registry;
    QTemporaryDir cache;
    const QString path = cache.filePath(QStringLiteral("catalogue"));
    QString error;
    if (!CatalogueSnapshot::write(path, Catalogue::build(registry, QString()), &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CatalogueSnapshot::read(path, &error));
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

void registryEntries(benchmark::State &state)
{
    GioApplicationRegistry registry;
    for (auto _ : state)
        benchmark::DoNotOptimize(registry.entries().size());
}

// GIO's own listing, which Trovia no longer uses: it looks every file's desktop-file id up in a
// list of all files, so its time grows with the square of the entries.
// What every launch adds to find symbolic-link loops: the applications folders walked for folders
// alone.
void loopSearch(benchmark::State &state)
{
    GioApplicationRegistry registry;
    for (auto _ : state) {
        FolderWalk::Walk walk;
        for (const QString &folder : registry.applicationsFolders())
            FolderWalk::walk(QFile::encodeName(folder), QByteArray(), walk);
        benchmark::DoNotOptimize(walk.loop);
    }
}

void gioListing(benchmark::State &state)
{
    for (auto _ : state) {
        GList *all = g_app_info_get_all();
        benchmark::DoNotOptimize(all);
        g_list_free_full(all, g_object_unref);
    }
}

} // namespace

int main(int argc, char **argv)
{
    int entries = 1000;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--entries=", 10) == 0)
            entries = std::atoi(argv[i] + 10);
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath("home/applications");
    QDir().mkpath(folder);
    for (int i = 0; i < entries; ++i) {
        QFile file(QString("%1/app%2.desktop").arg(folder).arg(i));
        file.open(QIODevice::WriteOnly);
        file.write(entryText(i));
    }
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("home")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dir.filePath("system")));
    QCoreApplication app(argc, argv);

    const std::string suffix = "/" + std::to_string(entries);
    benchmark::RegisterBenchmark(("catalogueBuild" + suffix).c_str(), catalogueBuild)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("registryEntries" + suffix).c_str(), registryEntries)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("snapshotRead" + suffix).c_str(), snapshotRead)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("loopSearch" + suffix).c_str(), loopSearch)
        ->Unit(benchmark::kMillisecond);
    // Beyond 20,000 entries GIO's listing takes minutes.
    if (entries <= 20000)
        benchmark::RegisterBenchmark(("gioListing" + suffix).c_str(), gioListing)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
