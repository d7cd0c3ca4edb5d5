#include "launcher/WindowOrigin.h"

#include <QTest>

Q_DECLARE_METATYPE(TroviaPoint)

class TestWindowOrigin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void origin_data()
    {
        // One 1440x900 screen with a 28-unit panel at its top: visible frame 0,0 1440x872.
        QTest::addColumn<std::optional<TroviaPoint>>("saved");
        QTest::addColumn<QList<TroviaRect>>("screens");
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        const QList<TroviaRect> one{{0, 0, 1440, 872}};
        QTest::newRow("first start: centred, under the panel")
            << std::optional<TroviaPoint>() << one << 520.0f << 812.0f;
        QTest::newRow("saved and inside")
            << std::optional(TroviaPoint{100, 200}) << one << 100.0f << 200.0f;
        QTest::newRow("touching the top right edges")
            << std::optional(TroviaPoint{1040, 812}) << one << 1040.0f << 812.0f;
        QTest::newRow("one unit beyond the right edge")
            << std::optional(TroviaPoint{1041, 812}) << one << 520.0f << 812.0f;
        QTest::newRow("one unit under the panel")
            << std::optional(TroviaPoint{100, 813}) << one << 520.0f << 812.0f;
        const QList<TroviaRect> two{{0, 0, 1440, 872}, {1440, -100, 1024, 768}};
        QTest::newRow("on the second screen")
            << std::optional(TroviaPoint{1500, -50}) << two << 1500.0f << -50.0f;
        QTest::newRow("across both screens")
            << std::optional(TroviaPoint{1300, 100}) << two << 520.0f << 812.0f;
    }

    void origin()
    {
        QFETCH(std::optional<TroviaPoint>, saved);
        QFETCH(QList<TroviaRect>, screens);
        QFETCH(float, x);
        QFETCH(float, y);
        const TroviaRect main{0, 0, screens.first().width, 900};
        const TroviaPoint origin =
            initialWindowOrigin(saved, 400, 60, screens, main, screens.first());
        QCOMPARE(origin.x, x);
        QCOMPARE(origin.y, y);
    }
};

QTEST_APPLESS_MAIN(TestWindowOrigin)
#include "tst_windoworigin.moc"
