#include "core/SurfaceStyle.h"
#include "presentation/Shading.h"
#include "presentation/TroviaProgressIndicator.h"
#include "presentation/TroviaView.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <cmath>

namespace
{

using Evaluator = void (*)(int, const float *, float *);

// The fill seen through the veil of the evaluator's grey and alpha at t, as 8-bit channels.
QColor composite(const QColor &fill, float color, float alpha)
{
    auto channel = [&](int base) { return qRound(base * (1.0 - alpha) + 255.0 * color * alpha); };
    return QColor(channel(fill.red()), channel(fill.green()), channel(fill.blue()));
}

QColor composite(const QColor &fill, Evaluator evaluator, float t)
{
    float values[4];
    evaluator(4, &t, values);
    return composite(fill, values[0], values[3]);
}

bool close(const QColor &a, const QColor &b, int tolerance = 2)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

class TestSurface : public QObject
{
    Q_OBJECT

    const QColor fill = QColor(96, 128, 176);

    QImage renderView(int style)
    {
        TroviaView view;
        view.resize(300, 50);
        view.setBackgroundColor(fill);
        view.setSurfaceStyle(style);
        return view.grab().toImage();
    }

private Q_SLOTS:
    void evaluators_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<float>("t");
        QTest::addColumn<float>("color");
        QTest::addColumn<float>("alpha");
        const int matte = MatteStyle, shiny = ShinyStyle;
        QTest::newRow("matte 0.0") << matte << 0.0f << 0.0f << 0.2f;
        QTest::newRow("matte 0.03f") << matte << 0.03f << 0.0f << 0.2f;
        QTest::newRow("matte 0.1") << matte << 0.1f << 0.0f << 0.06f;
        QTest::newRow("matte 0.3") << matte << 0.3f << 0.0f << 0.02f;
        QTest::newRow("matte 0.4") << matte << 0.4f << 1.0f << 0.0f;
        QTest::newRow("matte 0.5") << matte << 0.5f << 1.0f << 0.0375f;
        QTest::newRow("matte 0.8") << matte << 0.8f << 1.0f << 0.15f;
        QTest::newRow("matte 0.97f") << matte << 0.97f << 1.0f << 0.4f;
        QTest::newRow("matte 1.0") << matte << 1.0f << 1.0f << 0.4f;
        QTest::newRow("shiny 0.0") << shiny << 0.0f << 0.0f << 0.0f;
        QTest::newRow("shiny 0.2") << shiny << 0.2f << 0.0f << 0.022f;
        QTest::newRow("shiny 0.4") << shiny << 0.4f << 0.0f << 0.044f;
        QTest::newRow("shiny 0.5") << shiny << 0.5f << 1.0f << 0.08f;
        QTest::newRow("shiny 0.8") << shiny << 0.8f << 1.0f << 0.2f;
        QTest::newRow("shiny 1.0") << shiny << 1.0f << 1.0f << 0.28f;
    }

    void evaluators()
    {
        QFETCH(int, style);
        QFETCH(float, t);
        QFETCH(float, color);
        QFETCH(float, alpha);
        float values[4] = {-1, -1, -1, -1};
        (style == MatteStyle ? calculateMatteShadingValues : calculateShinyShadingValues)(4, &t,
                                                                                          values);
        QCOMPARE(values[0], color);
        QCOMPARE(values[1], color);
        QCOMPARE(values[2], color);
        QVERIFY2(std::abs(values[3] - alpha) < 1e-6f, qPrintable(QString::number(values[3])));
    }

    // Every device-pixel row shows the fill under the evaluator's value at the row's centre;
    // other styles show the flat fill.
    void renderedRowsFollowTheEvaluators_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("matte") << int(MatteStyle);
        QTest::newRow("shiny") << int(ShinyStyle);
        QTest::newRow("unknown") << 3;
    }

    void renderedRowsFollowTheEvaluators()
    {
        QFETCH(int, style);
        const QImage image = renderView(style);
        const qreal scale = qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2.0 : 1.0;
        QCOMPARE(image.size(), QSize(qRound(300 * scale), qRound(50 * scale)));
        const int rows = image.height();
        for (int row = 0; row < rows; ++row) {
            const float t = (float(rows - row) - 0.5f) / float(rows);
            const QColor expected =
                style == MatteStyle   ? composite(fill, calculateMatteShadingValues, t)
                : style == ShinyStyle ? composite(fill, calculateShinyShadingValues, t)
                                      : fill;
            for (int x : {0, image.width() / 2, image.width() - 1})
                QVERIFY2(close(image.pixelColor(x, row), expected),
                         qPrintable(QStringLiteral("row %1, x %2").arg(row).arg(x)));
        }
    }

    // The matte bands cover the lowest and highest 1.5 units of a 50 unit high view at any scale.
    void matteBandsAreOnePointFiveUnitsHigh()
    {
        const QImage image = renderView(MatteStyle);
        const qreal scale = image.devicePixelRatio();
        const int rows = image.height();
        for (int row = 0; row < rows; ++row) {
            const qreal fromBottom = (rows - row - 0.5) / scale, fromTop = (row + 0.5) / scale;
            if (qFuzzyCompare(fromBottom, 1.5) || qFuzzyCompare(fromTop, 1.5))
                continue; // a 1x row straddles the band's edge
            const QColor seen = image.pixelColor(150, row);
            QCOMPARE(close(seen, composite(fill, 0.0f, 0.2f)), fromBottom < 1.5);
            QCOMPARE(close(seen, composite(fill, 1.0f, 0.4f)), fromTop < 1.5);
        }
    }

    // Shiny: darker below the middle, lighter from it up, with a hard edge between.
    void shinyEdgeIsAtTheMiddle()
    {
        const QImage image = renderView(ShinyStyle);
        const int middle = image.height() / 2;
        const auto lightness = [&](int row) { return image.pixelColor(150, row).lightness(); };
        QVERIFY(lightness(middle - 1) > fill.lightness());
        QVERIFY(lightness(middle) < fill.lightness());
        const int step = qMax(lightness(middle - 2) - lightness(middle - 1),
                              lightness(middle) - lightness(middle + 1));
        QVERIFY(lightness(middle - 1) - lightness(middle) > 5 * qMax(1, step));
    }

    void progressIndicatorTurnsOnlyWhileAnimated()
    {
        TroviaProgressIndicator indicator;
        indicator.resize(24, 16);
        const QColor text = indicator.palette().color(QPalette::Text);
        auto textPixels = [&] {
            const QImage image = indicator.grab().toImage();
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += close(image.pixelColor(x, y), text, 40) ? 1 : 0;
            return count;
        };
        QCOMPARE(textPixels(), 0);
        indicator.startAnimation();
        QVERIFY(textPixels() > 4);
        indicator.stopAnimation();
        QCOMPARE(textPixels(), 0);
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
