#include "platform/x11/WindowHints.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11WindowSystem.h"
#include "presentation/ResultListModel.h"
#include "presentation/ResultListWindow.h"
#include "presentation/TestMainWindow.h"
#include "presentation/TroviaTableView.h"
#include "presentation/TroviaWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <xcb/xcb.h>

namespace
{

constexpr qint64 allDesktops = 0xFFFFFFFF;

// Whether the window manager may give window the keyboard focus (ICCCM WM_HINTS input).
bool acceptsInput(QWindow *window)
{
    xcb_connection_t *connection = X11::qtConnection();
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->winId()),
                         XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    bool accepts = true; // without hints the manager decides, which usually means yes
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 8) {
        // flags, then input; bit 0 of flags says that input is given
        const auto *hints = static_cast<const quint32 *>(xcb_get_property_value(reply));
        accepts = !(hints[0] & 1) || hints[1];
    }
    free(reply);
    return accepts;
}

// Which of the watched widgets were painted, in order, since the last key pressed.
class PaintOrder : public QObject
{
public:
    QStringList painted;
    void watch(QWidget *widget, const QString &name)
    {
        widget->setObjectName(name);
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            painted.clear();
        else if (event->type() == QEvent::Paint)
            painted.append(watched->objectName());
        return false;
    }
};

// Keeps every exposure from the window it filters.
class SwallowedExposure : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::Expose && ++count;
    }
};

bool xdotool(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

} // namespace

// Trovia's windows on a real X server (Xvfb).
class TestX11Windows : public QObject
{
    Q_OBJECT

private:
    X11WindowSystem windowSystem;
    TroviaWindow *mainWindow = nullptr;
    QLineEdit *field = nullptr;
    ResultListWindow *list = nullptr;

    // The list hidden and the field empty; whether the field has the keyboard focus.
    bool focusAnEmptyField()
    {
        list->detach();
        field->clear();
        mainWindow->show();
        mainWindow->activateWindow();
        field->setFocus();
        return QTest::qWaitFor([this] { return QApplication::focusWidget() == field; });
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        mainWindow = makeMainWindow(windowSystem, TroviaRect{300, 500, 400, 60}, &field, &list);
        ApplicationList rows;
        for (int i = 0; i < 4; ++i)
            rows.append(std::make_shared<Application>(
                QUrl::fromLocalFile(QStringLiteral("/usr/share/applications/a%1.desktop").arg(i)),
                QStringLiteral("Application %1").arg(i), false, QString()));
        list->model()->setApplications(rows);
    }

    void cleanupTestCase() { delete mainWindow; }

    void windowsShowOnEveryDesktop()
    {
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        QCOMPARE(WindowHints::desktopOfWindow(mainWindow->windowHandle()), allDesktops);
        list->setupListFrame();
        list->attach();
        QVERIFY(QTest::qWaitForWindowExposed(list));
        QCOMPARE(WindowHints::desktopOfWindow(list->windowHandle()), allDesktops);
        // And again after being hidden, when a window manager forgets it.
        list->detach();
        mainWindow->hide();
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        QCOMPARE(WindowHints::desktopOfWindow(mainWindow->windowHandle()), allDesktops);
    }

    // A real click on a row of the list: the row is announced, and typing stays in the field.
    void clickingTheListKeepsTheFocusInTheField()
    {
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        mainWindow->activateWindow();
        field->setFocus();
        QTRY_COMPARE(QApplication::activeWindow(), mainWindow);
        QTRY_COMPARE(QApplication::focusWidget(), field);

        list->setupListFrame();
        list->attach();
        QVERIFY(QTest::qWaitForWindowExposed(list));
        QVERIFY(!acceptsInput(list->windowHandle()));
        QVERIFY(acceptsInput(mainWindow->windowHandle()));

        TroviaTableView *table = list->tableView();
        QSignalSpy clicked(table, &TroviaTableView::rowClicked);
        const QPoint row2 = table->viewport()->mapToGlobal(
            QPoint(40, table->rowViewportPosition(2) + table->rowHeight(2) / 2));
        QVERIFY(xdotool({"mousemove", "--sync", QString::number(row2.x()),
                         QString::number(row2.y()), "click", "1"}));
        QTRY_COMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 2);
        QCOMPARE(QApplication::activeWindow(), mainWindow);
        QCOMPARE(QApplication::focusWidget(), field);

        QVERIFY(xdotool({"type", "--delay", "0", "fox"}));
        QTRY_COMPARE(field->text(), QString("fox"));
    }

    // A keystroke changes the field and the rows in one go: the rows are drawn first, whether the
    // list appears with them or was showing already.
    void theRowsAreDrawnBeforeTheField()
    {
        const int flashTime = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0); // no blink repaints the field in between
        QVERIFY(focusAnEmptyField());
        const ApplicationList rows = list->model()->applications();
        QObject typing;
        connect(field, &QLineEdit::textEdited, &typing, [&] {
            list->model()->setApplications(rows.mid(0, field->text().size() + 1));
            list->setupListFrame();
            list->attach();
        });
        PaintOrder order;
        order.watch(field, QStringLiteral("field"));
        order.watch(list->tableView()->viewport(), QStringLiteral("rows"));
        for (const QString key : {"a", "b"}) {
            QVERIFY(xdotool({"type", key}));
            QTRY_VERIFY(order.painted.contains("field") && order.painted.contains("rows"));
            QVERIFY2(order.painted.first() == "rows",
                     qPrintable("key " + key + ": " + order.painted.join(' ')));
        }
        QApplication::setCursorFlashTime(flashTime);
    }

    // Should the list's exposure never reach it, the field is held back only briefly.
    void aListNeverExposedLetsTheFieldBeDrawn()
    {
        QVERIFY(focusAnEmptyField());
        SwallowedExposure swallowed;
        QObject typing;
        connect(field, &QLineEdit::textEdited, &typing, [&] {
            list->attach();
            list->windowHandle()->installEventFilter(&swallowed);
        });
        PaintOrder order;
        order.watch(field, QStringLiteral("field"));
        QVERIFY(xdotool({"type", "c"}));
        QTRY_VERIFY(order.painted.contains("field"));
        QVERIFY(swallowed.count > 0);
        list->windowHandle()->removeEventFilter(&swallowed);
        list->detach();
    }
};

QTEST_MAIN(TestX11Windows)
#include "tst_x11windows.moc"
