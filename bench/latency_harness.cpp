// Times a launcher as a user sees it, from X events on a display with no window manager: when its
// window maps, when the screen stops changing ("settled": the last damage before a quiet spell),
// and how long each key typed through XTest takes to reach the screen. Damage is watched on the
// root window, which reports every drawing into its children.
//
//   latency_harness entries N FOLDER                 writes N synthetic desktop entries
//   latency_harness cold [options] -- COMMAND...      starts COMMAND for every run
//   latency_harness resident [options] -- COMMAND...  starts COMMAND once, shows it with --hotkey
//
// Each measuring mode prints one Markdown table row of medians (label first) on standard output.
#include "SyntheticNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <glib.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>
#include <xkbcommon/xkbcommon.h>

namespace
{

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "latency_harness: %s\n", message.c_str());
    std::exit(1);
}

Clock::time_point after(Clock::time_point from, double ms)
{
    return from + std::chrono::duration_cast<Clock::duration>(Milliseconds(ms));
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return Milliseconds(to - from).count();
}

struct Options {
    QString label = QStringLiteral("run");
    int runs = 10;
    int warmup = 1;
    QStringList keys; // typed after the window is up, one key combination each
    QString typeAt = QStringLiteral("settled"); // settled, paint (first content) or map
    double preTypeMs = 300;                     // idle time before typing once settled
    double quietMs = 250;                       // no damage for this long: settled
    double keyQuietMs = 250;                    // the same for each typed key
    double capMs = 20000;                       // the longest wait for any one thing
    int minArea = 20000;        // smaller damage (a text cursor, a typed character) ignored
    QString hotKey;             // resident: shows the window
    QString hideKey;            // resident: hides it again
    double daemonWaitMs = 2000; // resident: time the program gets to start
    QString touch;              // resident: folder whose date is set before each run
    QStringList command;
};

// The X connection: map, unmap and damage events with the time they arrived.
class Display
{
public:
    enum class Kind { Map, Unmap, Damage };
    struct Event {
        Clock::time_point at;
        Kind kind;
        xcb_window_t window = 0;
        int area = 0;
    };

    Display()
    {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            fail("cannot open the display " + std::string(qgetenv("DISPLAY").constData()));
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const xcb_query_extension_reply_t *damage =
            xcb_get_extension_data(connection, &xcb_damage_id);
        if (!damage || !damage->present)
            fail("the X server has no DAMAGE extension");
        damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1),
                                            nullptr));
        const xcb_query_extension_reply_t *xtest = xcb_get_extension_data(connection, &xcb_test_id);
        if (!xtest || !xtest->present)
            fail("the X server has no XTEST extension");
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        xcb_damage_create(connection, xcb_generate_id(connection), root,
                          XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        loadKeyboardMapping();
        free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
    ~Display() { xcb_disconnect(connection); }

    // The next event before the deadline.
    std::optional<Event> next(Clock::time_point deadline)
    {
        for (;;) {
            while (xcb_generic_event_t *raw = xcb_poll_for_event(connection)) {
                std::unique_ptr<xcb_generic_event_t, decltype(&free)> owned(raw, &free);
                const Clock::time_point now = Clock::now();
                const uint8_t type = raw->response_type & 0x7f;
                if (type == XCB_MAP_NOTIFY) {
                    auto *map = reinterpret_cast<xcb_map_notify_event_t *>(raw);
                    if (map->event == root)
                        return Event{now, Kind::Map, map->window};
                } else if (type == XCB_UNMAP_NOTIFY) {
                    auto *unmap = reinterpret_cast<xcb_unmap_notify_event_t *>(raw);
                    if (unmap->event == root)
                        return Event{now, Kind::Unmap, unmap->window};
                } else if (type == damageEvent) {
                    auto *damage = reinterpret_cast<xcb_damage_notify_event_t *>(raw);
                    return Event{now, Kind::Damage, 0, damage->area.width * damage->area.height};
                }
            }
            if (xcb_connection_has_error(connection))
                fail("the X connection broke");
            const double left = millisecondsBetween(Clock::now(), deadline);
            if (left <= 0)
                return std::nullopt;
            pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
            poll(&descriptor, 1, int(std::ceil(left)));
        }
    }

    // The first top-level map (or unmap) before the deadline.
    std::optional<Event> waitFor(Kind kind, Clock::time_point deadline)
    {
        while (const std::optional<Event> event = next(deadline)) {
            if (event->kind == kind)
                return event;
        }
        return std::nullopt;
    }

    // Swallows events until none came for quietMs.
    void drain(double quietMs)
    {
        while (next(after(Clock::now(), quietMs))) {
        }
    }

    // The first damage of at least minArea pixels before the deadline.
    std::optional<Clock::time_point> firstDamage(Clock::time_point deadline, int minArea)
    {
        while (const std::optional<Event> event = next(deadline)) {
            if (event->kind == Kind::Damage && event->area >= minArea)
                return event->at;
        }
        return std::nullopt;
    }

    // The last damage of at least minArea pixels that follows the one at `last` with no gap of
    // quietMs, or `last` itself; waits at most until the cap.
    Clock::time_point settledAfter(Clock::time_point last, double quietMs, Clock::time_point cap,
                                   int minArea)
    {
        while (const std::optional<Clock::time_point> damage =
                   firstDamage(std::min(after(last, quietMs), cap), minArea))
            last = *damage;
        return last;
    }

    // Presses and releases a combination such as "alt+Escape" or "t"; returns when it was sent.
    Clock::time_point press(const QString &combination)
    {
        std::vector<xcb_keycode_t> codes;
        for (const QString &name : combination.split(QLatin1Char('+')))
            codes.push_back(keycode(name));
        for (xcb_keycode_t code : codes)
            xcb_test_fake_input(connection, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, root, 0, 0, 0);
        for (auto code = codes.rbegin(); code != codes.rend(); ++code)
            xcb_test_fake_input(connection, XCB_KEY_RELEASE, *code, XCB_CURRENT_TIME, root, 0, 0,
                                0);
        xcb_flush(connection);
        return Clock::now();
    }

    // What a window manager would do for a new window.
    void focus(xcb_window_t window)
    {
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_flush(connection);
    }

private:
    void loadKeyboardMapping()
    {
        const xcb_setup_t *setup = xcb_get_setup(connection);
        minKeycode = setup->min_keycode;
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *reply = xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, minKeycode, uint8_t(count)), nullptr);
        if (!reply)
            fail("cannot read the keyboard mapping");
        perKeycode = reply->keysyms_per_keycode;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply);
        keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply));
        free(reply);
    }

    xcb_keycode_t keycode(const QString &name)
    {
        static const QMap<QString, QString> aliases{
            {QStringLiteral("alt"), QStringLiteral("Alt_L")},
            {QStringLiteral("ctrl"), QStringLiteral("Control_L")},
            {QStringLiteral("shift"), QStringLiteral("Shift_L")},
            {QStringLiteral("super"), QStringLiteral("Super_L")}};
        const QByteArray keysymName = aliases.value(name.toLower(), name).toUtf8();
        const xkb_keysym_t keysym =
            xkb_keysym_from_name(keysymName.constData(), XKB_KEYSYM_NO_FLAGS);
        if (keysym == XKB_KEY_NoSymbol)
            fail("unknown key " + name.toStdString());
        for (size_t i = 0; i < keysyms.size(); ++i) {
            if (keysyms[i] == keysym)
                return xcb_keycode_t(minKeycode + i / perKeycode);
        }
        fail("no key gives " + name.toStdString());
    }

    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
    uint8_t damageEvent = 0;
    xcb_keycode_t minKeycode = 0;
    int perKeycode = 1;
    std::vector<xcb_keysym_t> keysyms;
};

// The resident size of the process and its children in MB, the largest of them: with "VmHWM:" the
// most each reached, with "VmRSS:" what each holds now.
double residentMegabytes(qint64 pid, const QByteArray &field)
{
    double peak = 0;
    std::vector<qint64> pending{pid};
    while (!pending.empty()) {
        const qint64 current = pending.back();
        pending.pop_back();
        QFile status(QStringLiteral("/proc/%1/status").arg(current));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n')) {
                if (line.startsWith(field))
                    peak = std::max(peak,
                                    line.mid(field.size()).trimmed().split(' ').first().toDouble() /
                                        1024);
            }
        }
        const QDir tasks(QStringLiteral("/proc/%1/task").arg(current));
        for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile children(tasks.filePath(task + QStringLiteral("/children")));
            if (children.open(QIODevice::ReadOnly)) {
                for (const QByteArray &child : children.readAll().simplified().split(' '))
                    if (!child.isEmpty())
                        pending.push_back(child.toLongLong());
            }
        }
    }
    return peak;
}

void pause(double ms)
{
    std::this_thread::sleep_for(Milliseconds(ms));
}

// One measured showing of the window and the keys typed into it (milliseconds, empty: never).
struct Run {
    std::optional<double> map, settled;
    std::vector<std::optional<double>> keyFirst, keySettled;
    double peakMegabytes = 0;
    double residentMegabytes = 0; // at the end of the run
    bool failed = false;
};

std::optional<double> since(Clock::time_point from, const std::optional<Clock::time_point> &to)
{
    return to ? std::optional<double>(millisecondsBetween(from, *to)) : std::nullopt;
}

// The longest gap between the damage of one paint of a window.
constexpr double paintGapMs = 20;

// Types the keys one after the other, each once the one before has settled on screen.
void typeKeys(Display &display, const Options &options, Run &run)
{
    for (const QString &key : options.keys) {
        const Clock::time_point sent = display.press(key);
        const Clock::time_point cap = after(sent, options.capMs);
        const std::optional<Clock::time_point> first = display.firstDamage(cap, options.minArea);
        run.keyFirst.push_back(since(sent, first));
        run.keySettled.push_back(first
                                     ? since(sent, display.settledAfter(*first, options.keyQuietMs,
                                                                        cap, options.minArea))
                                     : std::nullopt);
        run.failed |= !first;
    }
}

// From the map of the window that t0 asked for: its first paint, the settled screen, the keys.
void measureWindow(Display &display, const Options &options, Clock::time_point t0,
                   const Display::Event &map, Run &run)
{
    run.map = millisecondsBetween(t0, map.at);
    display.focus(map.window);
    if (options.typeAt == QLatin1String("map"))
        return typeKeys(display, options, run);
    const Clock::time_point cap = after(map.at, options.capMs);
    const std::optional<Clock::time_point> paint = display.firstDamage(cap, options.minArea);
    if (!paint) {
        run.failed = true;
        return;
    }
    if (options.typeAt == QLatin1String("paint")) {
        // The rest of the same paint, so that the key's answer is not taken for it.
        run.settled = since(t0, display.settledAfter(*paint, paintGapMs, cap, options.minArea));
        return typeKeys(display, options, run);
    }
    run.settled = since(t0, display.settledAfter(*paint, options.quietMs, cap, options.minArea));
    if (!options.keys.isEmpty()) {
        pause(options.preTypeMs);
        display.drain(50);
        typeKeys(display, options, run);
    }
}

// Starts the command; its error output goes to the harness's.
std::unique_ptr<QProcess> start(const QStringList &command)
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(command.first());
    process->setArguments(command.mid(1));
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    if (!process->waitForStarted())
        fail("cannot start " + command.join(QLatin1Char(' ')).toStdString());
    return process;
}

// The map of the program's window; ends the harness when the program ended instead.
std::optional<Display::Event> waitForWindow(Display &display, QProcess &process,
                                            Clock::time_point deadline)
{
    while (Clock::now() < deadline) {
        if (const std::optional<Display::Event> map =
                display.waitFor(Display::Kind::Map, std::min(after(Clock::now(), 100), deadline)))
            return map;
        if (process.state() != QProcess::Running)
            fail(process.program().toStdString() + " ended before its window showed");
    }
    return std::nullopt;
}

void stop(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished();
    }
}

std::vector<Run> measureCold(Display &display, const Options &options)
{
    std::vector<Run> runs;
    for (int i = 0; i < options.warmup + options.runs; ++i) {
        display.drain(50);
        Run run;
        const Clock::time_point t0 = Clock::now();
        const std::unique_ptr<QProcess> process = start(options.command);
        if (const std::optional<Display::Event> map =
                waitForWindow(display, *process, after(t0, options.capMs)))
            measureWindow(display, options, t0, *map, run);
        else
            run.failed = true;
        run.peakMegabytes = residentMegabytes(process->processId(), "VmHWM:");
        run.residentMegabytes = residentMegabytes(process->processId(), "VmRSS:");
        stop(*process);
        if (i >= options.warmup)
            runs.push_back(run);
        pause(200);
    }
    return runs;
}

std::vector<Run> measureResident(Display &display, const Options &options)
{
    if (options.hotKey.isEmpty())
        fail("resident needs --hotkey");
    const std::unique_ptr<QProcess> process = start(options.command);
    pause(options.daemonWaitMs);
    display.drain(200);
    std::vector<Run> runs;
    for (int i = 0; i < options.warmup + options.runs; ++i) {
        // A folder date newer than the last build is what makes the program build again.
        if (!options.touch.isEmpty() &&
            utimensat(AT_FDCWD, options.touch.toLocal8Bit().constData(), nullptr, 0))
            fail("cannot touch " + options.touch.toStdString());
        display.drain(50);
        Run run;
        const Clock::time_point t0 = display.press(options.hotKey);
        const std::optional<Display::Event> map =
            waitForWindow(display, *process, after(t0, options.capMs));
        if (map)
            measureWindow(display, options, t0, *map, run);
        else
            run.failed = true;
        run.peakMegabytes = residentMegabytes(process->processId(), "VmHWM:");
        if (process->state() != QProcess::Running)
            fail(options.command.first().toStdString() + " ended during the run");
        if (map) {
            display.press(options.hideKey.isEmpty() ? options.hotKey : options.hideKey);
            const Clock::time_point cap = after(Clock::now(), options.capMs);
            std::optional<Display::Event> unmap;
            do
                unmap = display.waitFor(Display::Kind::Unmap, cap);
            while (unmap && unmap->window != map->window);
            if (!unmap)
                fail("the window did not hide after " + options.hideKey.toStdString());
        }
        pause(200);
        run.residentMegabytes = residentMegabytes(process->processId(), "VmRSS:");
        if (i >= options.warmup)
            runs.push_back(run);
    }
    stop(*process);
    return runs;
}

QString median(std::vector<double> values)
{
    if (values.empty())
        return QStringLiteral("–");
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    const double value =
        values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return QString::number(value, 'f', value < 100 ? 1 : 0);
}

template <typename Pick> std::vector<double> collect(const std::vector<Run> &runs, Pick pick)
{
    std::vector<double> values;
    for (const Run &run : runs) {
        for (const std::optional<double> &value : pick(run))
            if (value)
                values.push_back(*value);
    }
    return values;
}

// label | map | window settled | keys | peak RSS (RSS at the end of a run). Up to three keys: each
// key's first and settled repaint; more: the median and the worst settled key over every run.
void printRow(const Options &options, const std::vector<Run> &runs)
{
    const auto one = [](std::optional<double> Run::*member) {
        return [member](const Run &run) { return std::vector<std::optional<double>>{run.*member}; };
    };
    QStringList cells{options.label, median(collect(runs, one(&Run::map))),
                      median(collect(runs, one(&Run::settled)))};
    const qsizetype keyCount = options.keys.size();
    if (keyCount > 3) {
        const std::vector<double> settled =
            collect(runs, [](const Run &run) { return run.keySettled; });
        const double worst =
            settled.empty() ? 0 : *std::max_element(settled.begin(), settled.end());
        cells << median(settled) + QStringLiteral(" / ") + median({worst});
    } else {
        for (qsizetype key = 0; key < keyCount; ++key) {
            const auto at = [key](const std::vector<std::optional<double>> &values) {
                return std::vector<std::optional<double>>{
                    key < qsizetype(values.size()) ? values[size_t(key)] : std::nullopt};
            };
            cells << median(collect(runs, [&](const Run &run) { return at(run.keyFirst); })) +
                         QLatin1Char('/') +
                         median(collect(runs, [&](const Run &run) { return at(run.keySettled); }));
        }
    }
    std::vector<double> peaks, residents;
    for (const Run &run : runs) {
        peaks.push_back(run.peakMegabytes);
        residents.push_back(run.residentMegabytes);
    }
    cells << median(peaks) + QStringLiteral(" (") + median(residents) + QStringLiteral(") MB");
    int failed = 0;
    for (const Run &run : runs)
        failed += run.failed;
    if (failed)
        cells << QStringLiteral("%1 of %2 runs failed").arg(failed).arg(runs.size());
    std::printf("| %s |\n", qPrintable(cells.join(QStringLiteral(" | "))));
    std::fflush(stdout);
}

// Entries like an installed application's, with names shaped like real ones; earlier synthetic
// entries in the folder are removed first.
void writeEntries(int count, const QString &folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        fail("cannot make " + folder.toStdString());
    for (const QString &old : dir.entryList({QStringLiteral("synthetic-*.desktop")}, QDir::Files))
        dir.remove(old);
    static const char *const categories[] = {"Utility;",           "Development;", "Graphics;",
                                             "AudioVideo;Player;", "Office;",      "Network;"};
    for (int i = 0; i < count; ++i) {
        const QByteArray name = syntheticName(i).toUtf8();
        g_autoptr(GKeyFile) entry = g_key_file_new();
        const char *group = G_KEY_FILE_DESKTOP_GROUP;
        g_key_file_set_string(entry, group, G_KEY_FILE_DESKTOP_KEY_TYPE, "Application");
        g_key_file_set_string(entry, group, G_KEY_FILE_DESKTOP_KEY_NAME, name.constData());
        g_key_file_set_string(entry, group, G_KEY_FILE_DESKTOP_KEY_COMMENT,
                              ("Does what " + name + " does").constData());
        g_key_file_set_string(entry, group, G_KEY_FILE_DESKTOP_KEY_EXEC, "true");
        g_key_file_set_string(entry, group, G_KEY_FILE_DESKTOP_KEY_ICON,
                              "application-x-executable");
        g_key_file_set_boolean(entry, group, G_KEY_FILE_DESKTOP_KEY_TERMINAL, false);
        g_key_file_set_string(entry, group, G_KEY_FILE_DESKTOP_KEY_CATEGORIES,
                              categories[i % std::size(categories)]);
        if (i % 3 == 0)
            g_key_file_set_string(entry, group, "Keywords", "tool;edit;view;");
        const QByteArray path =
            QFile::encodeName(dir.filePath(QStringLiteral("synthetic-%1.desktop").arg(i)));
        g_autoptr(GError) error = nullptr;
        if (!g_key_file_save_to_file(entry, path.constData(), &error))
            fail(error->message);
    }
}

Options parseOptions(const QStringList &arguments)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            options.command = arguments.mid(i + 1);
            break;
        }
        if (i + 1 >= arguments.size())
            fail("no value after " + argument.toStdString());
        const QString value = arguments.at(++i);
        bool numeric = true;
        const double number = value.toDouble(&numeric);
        if (argument == QLatin1String("--label"))
            options.label = value;
        else if (argument == QLatin1String("--keys"))
            options.keys = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        else if (argument == QLatin1String("--type-at"))
            options.typeAt = value;
        else if (argument == QLatin1String("--hotkey"))
            options.hotKey = value;
        else if (argument == QLatin1String("--hide-key"))
            options.hideKey = value;
        else if (argument == QLatin1String("--touch"))
            options.touch = value;
        else if (!numeric)
            fail("unknown option or bad value: " + argument.toStdString() + " " +
                 value.toStdString());
        else if (argument == QLatin1String("--runs"))
            options.runs = int(number);
        else if (argument == QLatin1String("--warmup"))
            options.warmup = int(number);
        else if (argument == QLatin1String("--quiet"))
            options.quietMs = number;
        else if (argument == QLatin1String("--key-quiet"))
            options.keyQuietMs = number;
        else if (argument == QLatin1String("--min-area"))
            options.minArea = int(number);
        else if (argument == QLatin1String("--daemon-wait"))
            options.daemonWaitMs = number;
        else
            fail("unknown option " + argument.toStdString());
    }
    if (options.command.isEmpty())
        fail("no command after --");
    if (!QStringList{QStringLiteral("map"), QStringLiteral("paint"), QStringLiteral("settled")}
             .contains(options.typeAt))
        fail("--type-at takes map, paint or settled");
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString mode = arguments.value(0);
    if (mode == QLatin1String("entries") && arguments.size() == 3) {
        writeEntries(arguments.at(1).toInt(), arguments.at(2));
        return 0;
    }
    if (mode != QLatin1String("cold") && mode != QLatin1String("resident")) {
        std::fputs("usage: latency_harness entries N FOLDER\n"
                   "       latency_harness cold|resident [options] -- COMMAND...\n",
                   stderr);
        return 2;
    }
    const Options options = parseOptions(arguments.mid(1));
    Display display;
    printRow(options, mode == QLatin1String("cold") ? measureCold(display, options)
                                                    : measureResident(display, options));
    return 0;
}
