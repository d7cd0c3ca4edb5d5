#include "core/KeyCodes.h"
#include "platform/x11/XkbKeymap.h"

#include <QSet>
#include <QTest>
#include <xkbcommon/xkbcommon.h>

// The key-code tables and what xkbcommon's layouts give each key, with keymaps compiled from the
// default rules (no display).
class TestKeyTables : public QObject
{
    Q_OBJECT

    static std::unique_ptr<XkbKeymap> layoutNamed(const char *layout)
    {
        qputenv("XKB_DEFAULT_RULES", "evdev");
        qputenv("XKB_DEFAULT_MODEL", "pc105");
        qputenv("XKB_DEFAULT_LAYOUT", layout);
        qunsetenv("XKB_DEFAULT_VARIANT");
        qunsetenv("XKB_DEFAULT_OPTIONS");
        return XkbKeymap::fromDefaultRules();
    }

private Q_SLOTS:
    void tableIsOneToOneBothWays()
    {
        const QVector<KeyCodes::KeyPair> table = KeyCodes::keyTable();
        QVERIFY(table.size() > 110);
        QSet<quint16> virtualCodes;
        QSet<quint8> xKeycodes;
        for (const KeyCodes::KeyPair &pair : table) {
            QVERIFY2(!virtualCodes.contains(pair.virtualKeyCode),
                     qPrintable(QString::number(pair.virtualKeyCode)));
            QVERIFY2(!xKeycodes.contains(pair.xKeycode),
                     qPrintable(QString::number(pair.xKeycode)));
            virtualCodes.insert(pair.virtualKeyCode);
            xKeycodes.insert(pair.xKeycode);
            QCOMPARE(KeyCodes::xKeycodeForVirtualKey(pair.virtualKeyCode), pair.xKeycode);
            QCOMPARE(KeyCodes::virtualKeyForXKeycode(pair.xKeycode), pair.virtualKeyCode);
        }
        // Codes no key has, and X keycodes below the first key.
        QVERIFY(!KeyCodes::xKeycodeForVirtualKey(0x34));
        QVERIFY(!KeyCodes::xKeycodeForVirtualKey(0xffff));
        QVERIFY(!KeyCodes::virtualKeyForXKeycode(0));
        QVERIFY(!KeyCodes::virtualKeyForXKeycode(8));
        QVERIFY(!KeyCodes::virtualKeyForXKeycode(100000));
    }

    // Every key of a full-size keyboard, by xkb's key names, has a virtual key code, and that
    // code's X keycode is this very key.
    void everyKeyOfAFullSizeKeyboardIsMapped_data()
    {
        QTest::addColumn<QString>("xkbName");
        QTest::addColumn<int>("virtualKeyCode");
        const QList<QPair<const char *, int>> keys{
            {"ESC", 53},   {"FK01", 122}, {"FK02", 120}, {"FK03", 99},  {"FK04", 118},
            {"FK05", 96},  {"FK06", 97},  {"FK07", 98},  {"FK08", 100}, {"FK09", 101},
            {"FK10", 109}, {"FK11", 103}, {"FK12", 111}, {"PRSC", 105}, {"SCLK", 107},
            {"PAUS", 113}, {"TLDE", 50},  {"AE01", 18},  {"AE02", 19},  {"AE03", 20},
            {"AE04", 21},  {"AE05", 23},  {"AE06", 22},  {"AE07", 26},  {"AE08", 28},
            {"AE09", 25},  {"AE10", 29},  {"AE11", 27},  {"AE12", 24},  {"BKSP", 51},
            {"TAB", 48},   {"AD01", 12},  {"AD02", 13},  {"AD03", 14},  {"AD04", 15},
            {"AD05", 17},  {"AD06", 16},  {"AD07", 32},  {"AD08", 34},  {"AD09", 31},
            {"AD10", 35},  {"AD11", 33},  {"AD12", 30},  {"BKSL", 42},  {"CAPS", 57},
            {"AC01", 0},   {"AC02", 1},   {"AC03", 2},   {"AC04", 3},   {"AC05", 5},
            {"AC06", 4},   {"AC07", 38},  {"AC08", 40},  {"AC09", 37},  {"AC10", 41},
            {"AC11", 39},  {"RTRN", 36},  {"LFSH", 56},  {"LSGT", 10},  {"AB01", 6},
            {"AB02", 7},   {"AB03", 8},   {"AB04", 9},   {"AB05", 11},  {"AB06", 45},
            {"AB07", 46},  {"AB08", 43},  {"AB09", 47},  {"AB10", 44},  {"RTSH", 60},
            {"LCTL", 59},  {"LWIN", 55},  {"LALT", 58},  {"SPCE", 49},  {"RALT", 61},
            {"RWIN", 54},  {"MENU", 110}, {"RCTL", 62},  {"INS", 114},  {"HOME", 115},
            {"PGUP", 116}, {"DELE", 117}, {"END", 119},  {"PGDN", 121}, {"UP", 126},
            {"LEFT", 123}, {"DOWN", 125}, {"RGHT", 124}, {"NMLK", 71},  {"KPDV", 75},
            {"KPMU", 67},  {"KPSU", 78},  {"KP7", 89},   {"KP8", 91},   {"KP9", 92},
            {"KPAD", 69},  {"KP4", 86},   {"KP5", 87},   {"KP6", 88},   {"KP1", 83},
            {"KP2", 84},   {"KP3", 85},   {"KPEN", 76},  {"KP0", 82},   {"KPDL", 65},
        };
        for (const auto &[name, code] : keys)
            QTest::newRow(name) << QString::fromLatin1(name) << code;
    }

    void everyKeyOfAFullSizeKeyboardIsMapped()
    {
        QFETCH(QString, xkbName);
        QFETCH(int, virtualKeyCode);
        xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
        const xkb_rule_names names{"evdev", "pc105", "us", nullptr, nullptr};
        xkb_keymap *keymap =
            xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
        QVERIFY(keymap);
        const xkb_keycode_t xKeycode = xkb_keymap_key_by_name(keymap, qPrintable(xkbName));
        xkb_keymap_unref(keymap);
        xkb_context_unref(context);
        QVERIFY(xKeycode != XKB_KEYCODE_INVALID);
        QCOMPARE(KeyCodes::virtualKeyForXKeycode(xKeycode), quint16(virtualKeyCode));
        QCOMPARE(KeyCodes::xKeycodeForVirtualKey(quint16(virtualKeyCode)), quint8(xKeycode));
    }

    void charactersOfTheUsLayout_data()
    {
        QTest::addColumn<int>("virtualKeyCode");
        QTest::addColumn<QString>("characters");
        QTest::newRow("A") << 0 << "a";
        QTest::newRow("escape") << 53 << "\x1b";
        QTest::newRow("backspace") << 51 << "\x7f";
        QTest::newRow("forward delete") << 117 << QString(QChar(0xF728));
        QTest::newRow("F1") << 122 << QString(QChar(0xF704));
        QTest::newRow("print is F13") << 105 << QString(QChar(0xF710));
        QTest::newRow("pause is F15") << 113 << QString(QChar(0xF712));
        QTest::newRow("insert is help") << 114 << QString(QChar(0xF746));
        QTest::newRow("left") << 123 << QString(QChar(0xF702));
        QTest::newRow("keypad 7 types 7") << 89 << "7";
        QTest::newRow("num lock is clear") << 71 << QString(QChar(0xF739));
        QTest::newRow("shift types nothing") << 56 << QString();
        QTest::newRow("no such key") << 0x34 << QString();
    }

    void charactersOfTheUsLayout()
    {
        QFETCH(int, virtualKeyCode);
        QFETCH(QString, characters);
        const auto layout = layoutNamed("us");
        QVERIFY(layout);
        QCOMPARE(layout->charactersForKeyCode(quint16(virtualKeyCode)), characters);
    }

    void charactersFollowTheLayout()
    {
        const auto german = layoutNamed("de");
        QVERIFY(german);
        QCOMPARE(german->charactersForKeyCode(6), QString("y")); // the key where US has Z
        QCOMPARE(german->charactersForKeyCode(0x10), QString("z"));
        QCOMPARE(german->charactersForKeyCode(0x29), QString(QChar(0xF6))); // ö
        QCOMPARE(german->charactersForKeyCode(0x32), QString("^")); // a dead key: its accent

        const auto french = layoutNamed("fr");
        QVERIFY(french);
        QCOMPARE(french->charactersForKeyCode(0), QString("q"));
        QCOMPARE(french->charactersForKeyCode(0x12), QString("&"));
        QCOMPARE(french->keysymName(0x12), QString("ampersand"));
    }

    void keysymNames()
    {
        const auto layout = layoutNamed("us");
        QCOMPARE(layout->keysymName(53), QString("Escape"));
        QCOMPARE(layout->keysymName(0), QString("a"));
        QCOMPARE(layout->keysymName(122), QString("F1"));
        QCOMPARE(layout->keysymName(0x34), QString());
    }
};

QTEST_GUILESS_MAIN(TestKeyTables)
#include "tst_keytables.moc"
