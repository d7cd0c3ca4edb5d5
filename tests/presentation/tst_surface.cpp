#include "SettingsKeys.h"
#include "Shading.h"
#include "TroviaProgressIndicator.h"
#include "TroviaView.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <cmath>

namespace
{

struct Shade {
    float color;
    float alpha;
};

using Evaluator = void (*)(int, const float *, float *);

Shade evaluate(Evaluator evaluator, float t)
{
    float values[4] = {-1, -1, -1, -1};
    evaluator(4, &t, values);
    return {values[0], values[3]};
}

// The fill seen through the veil, as 8-bit channels.
QColor composite(const QColor &fill, const Shade &shade)
{
    auto channel = [&](int base) {
        return qRound(base * (1.0 - shade.alpha) + 255.0 * shade.color * shade.alpha);
    };
    return QColor(channel(fill.red()), channel(fill.green()), channel(fill.blue()));
}

bool close(const QColor &a, const QColor &b, int tolerance = 2)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QString describe(const QColor &color)
{
    return QStringLiteral("(%1, %2, %3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

} // namespace

class TestSurface : public QObject
{
    Q_OBJECT

private:
    const QColor fill = QColor(96, 128, 176);

    QImage renderView(int style)
    {
        TroviaView view;
        view.resize(300, 50);
        view.setBackgroundColor(fill);
        view.setSurfaceStyle(style);
        return view.grab().toImage();
    }

    void evaluatorTable(Evaluator evaluator)
    {
        QFETCH(float, t);
        QFETCH(float, color);
        QFETCH(float, alpha);
        const Shade shade = evaluate(evaluator, t);
        float values[4];
        evaluator(4, &t, values);
        QCOMPARE(values[1], shade.color);
        QCOMPARE(values[2], shade.color);
        QCOMPARE(shade.color, color);
        QVERIFY2(std::abs(shade.alpha - alpha) < 1e-6f, qPrintable(QString::number(shade.alpha)));
    }

private Q_SLOTS:
    void matteEvaluator_data()
    {
        QTest::addColumn<float>("t");
        QTest::addColumn<float>("color");
        QTest::addColumn<float>("alpha");
        QTest::newRow("0.0") << 0.0f << 0.0f << 0.2f;
        QTest::newRow("0.03f, just below 0.03") << 0.03f << 0.0f << 0.2f;
        QTest::newRow("0.1") << 0.1f << 0.0f << 0.06f;
        QTest::newRow("0.3") << 0.3f << 0.0f << 0.02f;
        QTest::newRow("0.4") << 0.4f << 1.0f << 0.0f;
        QTest::newRow("0.5") << 0.5f << 1.0f << 0.0375f;
        QTest::newRow("0.8") << 0.8f << 1.0f << 0.15f;
        QTest::newRow("0.97f, just above 0.97") << 0.97f << 1.0f << 0.4f;
        QTest::newRow("1.0") << 1.0f << 1.0f << 0.4f;
    }
    void matteEvaluator() { evaluatorTable(calculateMatteShadingValues); }

    void shinyEvaluator_data()
    {
        QTest::addColumn<float>("t");
        QTest::addColumn<float>("color");
        QTest::addColumn<float>("alpha");
        QTest::newRow("0.0") << 0.0f << 0.0f << 0.0f;
        QTest::newRow("0.2") << 0.2f << 0.0f << 0.022f;
        QTest::newRow("0.4") << 0.4f << 0.0f << 0.044f;
        QTest::newRow("0.5") << 0.5f << 1.0f << 0.08f;
        QTest::newRow("0.8") << 0.8f << 1.0f << 0.2f;
        QTest::newRow("1.0") << 1.0f << 1.0f << 0.28f;
    }
    void shinyEvaluator() { evaluatorTable(calculateShinyShadingValues); }

    // Every device-pixel row shows the fill under the evaluator's value at the row's centre.
    void renderedRowsFollowTheEvaluators_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("matte") << int(MatteStyle);
        QTest::newRow("shiny") << int(ShinyStyle);
    }

    void renderedRowsFollowTheEvaluators()
    {
        QFETCH(int, style);
        const QImage image = renderView(style);
        const qreal scale = image.devicePixelRatio();
        QCOMPARE(scale, qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2.0 : 1.0);
        QCOMPARE(image.width(), qRound(300 * scale));
        QCOMPARE(image.height(), qRound(50 * scale));
        const Evaluator evaluator =
            style == MatteStyle ? calculateMatteShadingValues : calculateShinyShadingValues;

        const int rows = image.height();
        for (int row = 0; row < rows; ++row) {
            const float t = (float(rows - row) - 0.5f) / float(rows);
            const QColor expected = composite(fill, evaluate(evaluator, t));
            for (int x : {0, image.width() / 2, image.width() - 1}) {
                const QColor seen = image.pixelColor(x, row);
                QVERIFY2(close(seen, expected), qPrintable(QStringLiteral("row %1: %2, not %3")
                                                               .arg(row)
                                                               .arg(describe(seen))
                                                               .arg(describe(expected))));
            }
        }
    }

    // The matte bands cover the lowest and highest 1.5 units of a 50 unit high view at any scale.
    void matteBandsAreOnePointFiveUnitsHigh()
    {
        const QImage image = renderView(MatteStyle);
        const qreal scale = image.devicePixelRatio();
        const QColor bottomBand = composite(fill, {0.0f, 0.2f});
        const QColor topBand = composite(fill, {1.0f, 0.4f});
        const int rows = image.height();
        for (int row = 0; row < rows; ++row) {
            const qreal centreFromBottom = (rows - row - 0.5) / scale;
            const qreal centreFromTop = (row + 0.5) / scale;
            const QColor seen = image.pixelColor(150, row);
            if (qFuzzyCompare(centreFromBottom, 1.5) || qFuzzyCompare(centreFromTop, 1.5))
                continue; // a 1x row straddles the band's edge
            QCOMPARE(close(seen, bottomBand), centreFromBottom < 1.5);
            QCOMPARE(close(seen, topBand), centreFromTop < 1.5);
        }
    }

    // Shiny: darker below the middle, lighter from it up, with a hard edge between.
    void shinyEdgeIsAtTheMiddle()
    {
        const QImage image = renderView(ShinyStyle);
        const int middle = image.height() / 2;
        const QColor above = image.pixelColor(150, middle - 1);
        const QColor below = image.pixelColor(150, middle);
        QVERIFY2(above.lightness() > fill.lightness(), qPrintable(describe(above)));
        QVERIFY2(below.lightness() < fill.lightness(), qPrintable(describe(below)));
        const int edge = above.lightness() - below.lightness();
        const int stepAbove = image.pixelColor(150, middle - 2).lightness() - above.lightness();
        const int stepBelow = below.lightness() - image.pixelColor(150, middle + 1).lightness();
        QVERIFY2(edge > 5 * qMax(1, qMax(stepAbove, stepBelow)), qPrintable(QString::number(edge)));
    }

    void otherStylesShowTheFlatFill_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("0") << 0;
        QTest::newRow("3") << 3;
    }

    void otherStylesShowTheFlatFill()
    {
        QFETCH(int, style);
        const QImage image = renderView(style);
        for (int row = 0; row < image.height(); ++row)
            QCOMPARE(image.pixelColor(10, row).rgb(), fill.rgb());
    }

    void progressIndicatorTurnsOnlyWhileAnimated()
    {
        TroviaProgressIndicator indicator;
        indicator.resize(24, 16);
        const QColor base = indicator.palette().color(QPalette::Base);
        const QColor text = indicator.palette().color(QPalette::Text);
        auto textPixels = [&](const QImage &image) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += close(image.pixelColor(x, y), text, 40) ? 1 : 0;
            return count;
        };
        QImage resting = indicator.grab().toImage();
        const QPoint centre(resting.width() / 2, resting.height() / 2);
        QVERIFY(close(resting.pixelColor(centre), base));
        QCOMPARE(textPixels(resting), 0);

        indicator.startAnimation();
        QVERIFY(indicator.isAnimating());
        QVERIFY(textPixels(indicator.grab().toImage()) > 4);
        indicator.stopAnimation();
        QVERIFY(!indicator.isAnimating());
        QCOMPARE(textPixels(indicator.grab().toImage()), 0);
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
