#include "FakeWindowSystem.h"
#include "presentation/TroviaView.h"
#include "presentation/TroviaWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

// The screens come from offscreen-screens.json: the primary one's visible frame is (0, 0, 1440,
// 878) in Trovia's coordinates, a second screen lies to its right.
class TestTroviaWindow : public QObject
{
    Q_OBJECT

    FakeWindowSystem windowSystem;
    TroviaWindow *window = nullptr;
    TroviaView *view = nullptr;

    void compareOrigin(float x, float y)
    {
        QTRY_COMPARE(window->frame().x, x);
        QTRY_COMPARE(window->frame().y, y);
        // The platform's later report of the move changes nothing.
        QCoreApplication::processEvents();
        QCOMPARE(window->frame().x, x);
        QCOMPARE(window->frame().y, y);
    }

private Q_SLOTS:
    void init()
    {
        windowSystem.noFrameExtents = false;
        window = new TroviaWindow(windowSystem, TroviaRect{400, 400, 400, 60});
        view = new TroviaView;
        view->setFixedSize(400, 60);
        window->setContentView(view);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // Trovia's y grows upwards from the primary screen's bottom edge.
        QCOMPARE(window->geometry(), QRect(400, 878 - 400 - 60, 400, 60));
    }

    void cleanup() { delete window; }

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
        QTest::newRow("past the left edge") << 400 << 60 << -8.f << 300.f << 0 << 0.f << 300.f;
        QTest::newRow("with Shift")
            << 400 << 60 << -8.f << 300.f << int(Qt::ShiftModifier) << -8.f << 300.f;
        QTest::newRow("6 below the top") << 400 << 60 << 300.f << 812.f << 0 << 300.f << 818.f;
        QTest::newRow("lower left corner") << 400 << 60 << 4.f << 9.f << 0 << 0.f << 0.f;
        QTest::newRow("nearly as wide: right wins")
            << 1432 << 60 << 3.f << 300.f << 0 << 8.f << 300.f;
        QTest::newRow("nearly as high: top wins")
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
        view->setFixedSize(width, height);
        window->setFixedSize(width, height);
        QTRY_COMPARE(window->frame().height, float(height));
        // The modifiers of the latest input event decide, as they would for a real move.
        QTest::keyPress(window, Qt::Key_A, Qt::KeyboardModifiers(modifiers));
        window->setFrameOrigin({x, y});
        QTest::keyRelease(window, Qt::Key_A, Qt::NoModifier);
        compareOrigin(snappedX, snappedY);
    }

    void snappingFollowsItsSettings()
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

    // A left press on the surface and the mouse's travel move the window, never above the top
    // of the visible frame, freely past the other edges.
    void drag_data()
    {
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<bool>("snaps");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPointF>("expected");
        const int left = Qt::LeftButton;
        QTest::newRow("by the travel")
            << QPointF(400, 400) << true << left << QPoint(80, 10) << QPointF(430, 420);
        QTest::newRow("stops at the top")
            << QPointF(300, 700) << true << left << QPoint(50, -120) << QPointF(300, 818);
        QTest::newRow("along the top, snapping")
            << QPointF(300, 818) << true << left << QPoint(-245, 30) << QPointF(0, 818);
        QTest::newRow("along the top, not snapping")
            << QPointF(300, 818) << false << left << QPoint(-245, 20) << QPointF(5, 818);
        QTest::newRow("past the bottom")
            << QPointF(300, 100) << true << left << QPoint(50, 230) << QPointF(300, -100);
        QTest::newRow("right button") << QPointF(400, 400) << true << int(Qt::RightButton)
                                      << QPoint(150, 30) << QPointF(400, 400);
    }

    void drag()
    {
        QFETCH(QPointF, origin);
        QFETCH(bool, snaps);
        QFETCH(int, button);
        QFETCH(QPoint, to);
        QFETCH(QPointF, expected);
        window->setSnapsToEdges(snaps);
        window->setFrameOrigin({float(origin.x()), float(origin.y())});
        compareOrigin(float(origin.x()), float(origin.y()));
        QTest::mousePress(view, Qt::MouseButton(button), {}, QPoint(50, 30));
        QCOMPARE(bool(QGuiApplication::overrideCursor()), button == Qt::LeftButton);
        QTest::mouseMove(view, to);
        compareOrigin(float(expected.x()), float(expected.y()));
        QTest::mouseRelease(view, Qt::MouseButton(button), {}, to);
        QVERIFY(!QGuiApplication::overrideCursor());
        // After the release, moves of the mouse leave the window alone.
        QTest::mouseMove(view, QPoint(90, 40));
        compareOrigin(float(expected.x()), float(expected.y()));
    }

    // On X11 a motion may arrive before the window system applied the previous move: its position
    // in the window is then relative to the old place, and only the mouse's place on the screen
    // tells where the window belongs.
    void dragFollowsTheMouseWhileTheWindowLags()
    {
        window->setSnapsToEdges(false);
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 30));
        const QPoint before = window->pos();
        for (int travel : {30, 60}) {
            const QPointF local(50 + travel, 30);
            QMouseEvent motion(QEvent::MouseMove, local, before + local, Qt::NoButton,
                               Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window, &motion);
        }
        compareOrigin(460, 400);
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(110, 30));
    }

    void hidingEndsADrag()
    {
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 30));
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ClosedHandCursor);
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

    // A manager that tells no frame extents may map the window off by a title bar: the first
    // move after the showing is undone, once. Where it tells them, the move is the user's.
    void placeIsAskedAgainWithoutFrameExtents_data()
    {
        QTest::addColumn<bool>("noFrameExtents");
        QTest::newRow("no frame extents (i3)") << true;
        QTest::newRow("frame extents") << false;
    }

    void placeIsAskedAgainWithoutFrameExtents()
    {
        QFETCH(bool, noFrameExtents);
        window->hide();
        windowSystem.noFrameExtents = noFrameExtents;
        window->show();
        const QPoint placed = window->pos();
        QSignalSpy moved(window, &TroviaWindow::moved);
        window->move(placed + QPoint(0, 24));
        QTRY_VERIFY(!moved.isEmpty());
        QCOMPARE(window->pos(), noFrameExtents ? placed : placed + QPoint(0, 24));
        // Only the first move after the showing is the manager's.
        moved.clear();
        window->move(placed + QPoint(0, 48));
        QTRY_VERIFY(!moved.isEmpty());
        QCOMPARE(window->pos(), placed + QPoint(0, 48));
    }

    void changingScreenIsLogged()
    {
        QScreen *beside = QGuiApplication::screens().at(1);
        QTest::ignoreMessage(QtWarningMsg, "window changed screen.");
        window->windowHandle()->setScreen(beside);
        QTRY_COMPARE(window->screen(), beside);
    }
};

QTEST_MAIN(TestTroviaWindow)
#include "tst_troviawindow.moc"
