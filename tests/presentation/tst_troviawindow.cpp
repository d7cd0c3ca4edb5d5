#include "StderrCapture.h"
#include "TroviaView.h"
#include "TroviaWindow.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

// The screens come from offscreen-screens.json: the primary one's visible frame is (0, 0, 1440,
// 878) in Trovia's coordinates, a second screen lies to its right.
class TestTroviaWindow : public QObject
{
    Q_OBJECT

private:
    TroviaWindow *window = nullptr;
    TroviaView *view = nullptr;

    void moveWithModifiers(const TroviaPoint &origin, Qt::KeyboardModifiers modifiers)
    {
        // The modifiers of the latest input event decide, as they would for a real move.
        QTest::keyPress(window, Qt::Key_A, modifiers);
        QTest::keyRelease(window, Qt::Key_A, modifiers);
        QCOMPARE(QGuiApplication::keyboardModifiers(), modifiers);
        window->setFrameOrigin(origin);
        QTest::keyRelease(window, Qt::Key_A, Qt::NoModifier);
    }

    void compareOrigin(float x, float y)
    {
        QCoreApplication::processEvents();
        QTRY_COMPARE(window->frame().x, x);
        QTRY_COMPARE(window->frame().y, y);
        // The platform's later report of the move changes nothing.
        QCoreApplication::processEvents();
        QCOMPARE(window->frame().x, x);
        QCOMPARE(window->frame().y, y);
    }

    void resizeView(int width, int height)
    {
        view->setFixedSize(width, height);
        window->resize(width, height);
        QTRY_COMPARE(window->frame().width, float(width));
        QTRY_COMPARE(window->frame().height, float(height));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1440, 878));
    }

    void init()
    {
        window = new TroviaWindow(TroviaRect{400, 400, 400, 60});
        view = new TroviaView;
        view->setFixedSize(400, 60);
        window->setContentView(view);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->frame(), (TroviaRect{400, 400, 400, 60}));
    }

    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    void isAFramelessWindow()
    {
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window->isWindow());
        QVERIFY(window->snapsToEdges());
        QCOMPARE(window->snapTolerance(), 10.0f);
        QCOMPARE(window->contentView(), view);
        // Trovia's y grows upwards from the primary screen's bottom edge.
        QCOMPARE(window->geometry(), QRect(400, 878 - 400 - 60, 400, 60));
    }

    void movesSnapToTheVisibleFrame_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<float>("snappedX");
        QTest::addColumn<float>("snappedY");
        QTest::newRow("5 from the left") << 400 << 60 << 5.f << 300.f << 0 << 0.f << 300.f;
        QTest::newRow("5 from the right") << 400 << 60 << 1035.f << 300.f << 0 << 1040.f << 300.f;
        QTest::newRow("exactly 10 away") << 400 << 60 << 10.f << 300.f << 0 << 10.f << 300.f;
        QTest::newRow("past the left edge with Shift")
            << 400 << 60 << -8.f << 300.f << int(Qt::ShiftModifier) << -8.f << 300.f;
        QTest::newRow("past the left edge with Alt")
            << 400 << 60 << -8.f << 300.f << int(Qt::AltModifier) << -8.f << 300.f;
        QTest::newRow("past the left edge") << 400 << 60 << -8.f << 300.f << 0 << 0.f << 300.f;
        QTest::newRow("6 below the top") << 400 << 60 << 300.f << 812.f << 0 << 300.f << 818.f;
        QTest::newRow("near the lower left corner") << 400 << 60 << 4.f << 9.f << 0 << 0.f << 0.f;
        QTest::newRow("far from every edge") << 400 << 60 << 500.f << 500.f << 0 << 500.f << 500.f;
        QTest::newRow("nearly as wide: the right snap wins")
            << 1432 << 60 << 3.f << 300.f << 0 << 8.f << 300.f;
        QTest::newRow("nearly as high: the top snap wins")
            << 400 << 870 << 300.f << 3.f << 0 << 300.f << 8.f;
    }

    void movesSnapToTheVisibleFrame()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(int, modifiers);
        QFETCH(float, snappedX);
        QFETCH(float, snappedY);
        resizeView(width, height);
        moveWithModifiers({x, y}, Qt::KeyboardModifiers(modifiers));
        compareOrigin(snappedX, snappedY);
    }

    void noSnappingWhenTurnedOff()
    {
        window->setSnapsToEdges(false);
        window->setFrameOrigin({5, 300});
        compareOrigin(5, 300);
        window->setSnapTolerance(2);
        window->setSnapsToEdges(true);
        window->setFrameOrigin({3, 300});
        compareOrigin(3, 300);
        window->setFrameOrigin({1, 300});
        compareOrigin(0, 300);
    }

    // A press on the surface and drag events move the window by the mouse's travel.
    void dragMovesTheWindow()
    {
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 30));
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ClosedHandCursor);
        QTest::mouseMove(view, QPoint(80, 10));
        compareOrigin(430, 420);
        QTest::mouseMove(view, QPoint(30, 50));
        compareOrigin(410, 400);
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(30, 50));
        QVERIFY(!QGuiApplication::overrideCursor());
        // After the release, moves of the mouse leave the window alone.
        QTest::mouseMove(view, QPoint(90, 40));
        compareOrigin(410, 400);
    }

    void dragStopsAtTheTopOfTheVisibleFrame_data()
    {
        QTest::addColumn<bool>("snaps");
        QTest::newRow("snapping") << true;
        QTest::newRow("not snapping") << false;
    }

    void dragStopsAtTheTopOfTheVisibleFrame()
    {
        QFETCH(bool, snaps);
        window->setSnapsToEdges(snaps);
        window->setFrameOrigin({300, 700});
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 30));
        QTest::mouseMove(view, QPoint(50, -120));
        compareOrigin(300, 818);
        // Sideways along the top: the limit holds, the other sides stay free.
        QTest::mouseMove(view, QPoint(-245, -20));
        compareOrigin(snaps ? 0 : 5, 818);
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(-245, -20));
    }

    void dragReachesPastTheOtherEdges()
    {
        window->setFrameOrigin({300, 100});
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 30));
        QTest::mouseMove(view, QPoint(50, 230));
        compareOrigin(300, -100);
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(50, 230));
    }

    void onlyTheLeftButtonDrags()
    {
        QTest::mousePress(view, Qt::RightButton, {}, QPoint(50, 30));
        QTest::mouseMove(view, QPoint(150, 30));
        QTest::mouseRelease(view, Qt::RightButton, {}, QPoint(150, 30));
        compareOrigin(400, 400);
        QVERIFY(!QGuiApplication::overrideCursor());
        // Neither does a move with no press before it.
        QTest::mouseMove(view, QPoint(10, 10));
        compareOrigin(400, 400);
    }

    void hidingEndsADrag()
    {
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 30));
        QVERIFY(QGuiApplication::overrideCursor());
        window->hide();
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void ensureOnScreenCentresAWindowOnNoScreen()
    {
        window->move(5000, 5000);
        QTRY_COMPARE(window->pos(), QPoint(5000, 5000));
        window->ensureOnScreen();
        QTRY_COMPARE(window->geometry(), QRect(520, 409, 400, 60));

        // A window on the second screen is left where it is.
        window->move(1600, 100);
        QTRY_COMPARE(window->pos(), QPoint(1600, 100));
        window->ensureOnScreen();
        QCOMPARE(window->pos(), QPoint(1600, 100));
    }

    void changingScreenIsLogged()
    {
        QScreen *beside = QGuiApplication::screens().at(1);
        StderrCapture log;
        window->windowHandle()->setScreen(beside);
        QTRY_COMPARE(window->screen(), beside);
        QVERIFY(log.text().split('\n').contains("window changed screen."));
    }
};

QTEST_MAIN(TestTroviaWindow)
#include "tst_troviawindow.moc"
