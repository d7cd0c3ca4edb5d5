#include "ListGeometry.h"
#include "PreferencesDefaults.h"
#include "ResultListModel.h"
#include "ResultListWindow.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "TroviaTableView.h"
#include "TroviaView.h"
#include "TroviaWindow.h"
#include "WindowAppearance.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

Q_DECLARE_METATYPE(TroviaRect)

namespace
{

ApplicationList applications(int count, const QString &folder = "/usr/share/applications")
{
    ApplicationList list;
    for (int i = 0; i < count; ++i)
        list.append(std::make_shared<Application>(
            QUrl::fromLocalFile(QStringLiteral("%1/app%2.desktop").arg(folder).arg(i)),
            QStringLiteral("Application %1").arg(i), i % 2 == 1, QString()));
    return list;
}

// The frame of a window in Trovia's coordinates.
TroviaRect troviaFrame(const QWidget &window)
{
    return ScreenCoordinates::fromQt(window.frameGeometry());
}

} // namespace

class TestResultList : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir configHome;
    TroviaWindow *mainWindow = nullptr;
    QLineEdit *field = nullptr;
    ResultListWindow *list = nullptr;

    // The main window's content: a 400x60 view with the field at (20, 15), 200x30.
    void makeWindows(const TroviaPoint &origin)
    {
        mainWindow = new TroviaWindow(TroviaRect{origin.x, origin.y, 400, 60});
        auto *view = new TroviaView;
        view->setFixedSize(400, 60);
        field = new QLineEdit(view);
        field->setGeometry(20, 15, 200, 30);
        mainWindow->setContentView(view);
        list = new ResultListWindow(mainWindow, field);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    }

    void showRows(int count)
    {
        list->model()->setApplications(applications(count));
        list->setupListFrame();
        list->attach();
        QVERIFY(QTest::qWaitForWindowExposed(list));
    }

    TroviaRect expectedFrame(int rows) const
    {
        const TroviaRect fieldFrame{20, 15, 200, 30};
        return listFrame(troviaFrame(*mainWindow), fieldFrame, rows,
                         list->tableView()->rowMetrics(),
                         Settings::standard().integer(MaximumListHightKey));
    }

    QPoint rowCentre(int row) const
    {
        TroviaTableView *table = list->tableView();
        return {table->viewport()->width() / 2,
                table->rowViewportPosition(row) + table->rowHeight(row) / 2};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(configHome.isValid());
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
        PreferencesDefaults::registerInitialDefaults();
    }

    void init() { makeWindows({100, 400}); }

    void cleanup()
    {
        delete mainWindow; // owns the list window
        Settings::standard().remove(MaximumListHightKey);
    }

    void geometry_data()
    {
        QTest::addColumn<TroviaRect>("main");
        QTest::addColumn<TroviaRect>("fieldFrame");
        QTest::addColumn<int>("rows");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<TroviaRect>("expected");
        const TroviaRect main{100, 500, 400, 60};
        const TroviaRect fieldFrame{20, 15, 200, 30};
        // R 17, S (3, 2): x = 100 + 20 + 8 - 16 - 3 = 109, width 200 - 8 + 16 + 3 = 211.
        QTest::newRow("12 matches, 7 shown")
            << main << fieldFrame << 12 << qint64(7) << TroviaRect{109, 515 - 135, 211, 135};
        QTest::newRow("3 matches")
            << main << fieldFrame << 3 << qint64(7) << TroviaRect{109, 515 - 59, 211, 59};
        QTest::newRow("no rows") << main << fieldFrame << 0 << qint64(7)
                                 << TroviaRect{109, 515 - 2, 211, 2};
        QTest::newRow("maximum of 4")
            << main << fieldFrame << 12 << qint64(4) << TroviaRect{109, 515 - 78, 211, 78};
        QTest::newRow("negative maximum shows no rows")
            << main << fieldFrame << 12 << qint64(-3) << TroviaRect{109, 515 - 2, 211, 2};
        QTest::newRow("exactly at 0 stays below") << TroviaRect{100, 44, 400, 60} << fieldFrame << 3
                                                  << qint64(7) << TroviaRect{109, 0, 211, 59};
        QTest::newRow("below 0 goes above the field")
            << TroviaRect{100, 43, 400, 60} << fieldFrame << 3 << qint64(7)
            << TroviaRect{109, 43 + 15 + 30, 211, 59};
        QTest::newRow("main window below the screen")
            << TroviaRect{-50, -30, 400, 60} << fieldFrame << 12 << qint64(7)
            << TroviaRect{-41, -30 + 15 + 30, 211, 135};
    }

    void geometry()
    {
        QFETCH(TroviaRect, main);
        QFETCH(TroviaRect, fieldFrame);
        QFETCH(int, rows);
        QFETCH(qint64, maximum);
        QFETCH(TroviaRect, expected);
        const TroviaRect frame = listFrame(main, fieldFrame, rows, {17, 3, 2}, maximum);
        QCOMPARE(frame.x, expected.x);
        QCOMPARE(frame.y, expected.y);
        QCOMPARE(frame.width, expected.width);
        QCOMPARE(frame.height, expected.height);
        // The list's right edge is the field's right edge on the screen.
        QCOMPARE(frame.x + frame.width, main.x + fieldFrame.x + fieldFrame.width);
    }

    // The window takes the computed frame and shows exactly its rows, scrolling the rest.
    void listWindowTakesItsFrame_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("shown");
        QTest::newRow("3 of at most 7") << 3 << 7 << 3;
        QTest::newRow("12 of at most 7") << 12 << 7 << 7;
        QTest::newRow("12 of at most 4") << 12 << 4 << 4;
        QTest::newRow("1 of at most 7") << 1 << 7 << 1;
    }

    void listWindowTakesItsFrame()
    {
        QFETCH(int, rows);
        QFETCH(int, maximum);
        QFETCH(int, shown);
        Settings::standard().setInteger(MaximumListHightKey, maximum);
        showRows(rows);
        QCOMPARE(troviaFrame(*list), expectedFrame(rows));
        // Directly under the field, its right edge on the field's right edge.
        const QRect fieldOnScreen(field->mapToGlobal(QPoint(0, 0)), field->size());
        QCOMPARE(list->frameGeometry().top(), fieldOnScreen.y() + fieldOnScreen.height());
        QCOMPARE(list->frameGeometry().x() + list->frameGeometry().width(),
                 fieldOnScreen.x() + fieldOnScreen.width());

        TroviaTableView *table = list->tableView();
        const int rowHeight = table->rowHeight(0);
        QCOMPARE(table->viewport()->height(), shown * rowHeight);
        QTRY_COMPARE(table->verticalScrollBar()->isVisible(), rows > shown);
    }

    void listGoesAboveTheFieldNearTheBottom()
    {
        mainWindow->setFrameOrigin({100, 20});
        QTRY_COMPARE(troviaFrame(*mainWindow).y, 20.f);
        showRows(5);
        QCOMPARE(list->frameGeometry().y() + list->frameGeometry().height(),
                 field->mapToGlobal(QPoint(0, 0)).y());
        QCOMPARE(troviaFrame(*list), expectedFrame(5));
    }

    void attachedListFollowsTheMainWindow()
    {
        showRows(3);
        const QPoint offset = list->pos() - mainWindow->pos();
        mainWindow->setFrameOrigin({300, 300});
        QTRY_COMPARE(troviaFrame(*mainWindow).x, 300.f);
        QTRY_COMPARE(list->pos() - mainWindow->pos(), offset);

        list->detach();
        QVERIFY(!list->isVisible());
        const QPoint left = list->pos();
        mainWindow->setFrameOrigin({500, 300});
        QTRY_COMPARE(troviaFrame(*mainWindow).x, 500.f);
        QCOMPARE(list->pos(), left);
    }

    void resizingTheMainWindowPlacesTheListAgain()
    {
        list->model()->setApplications(applications(4));
        list->setupListFrame();
        const TroviaRect before = troviaFrame(*list);
        field->setGeometry(20, 25, 300, 30);
        mainWindow->contentView()->setFixedSize(420, 70);
        mainWindow->resize(420, 70);
        QTRY_COMPARE(troviaFrame(*mainWindow).height, 70.f);
        const TroviaRect after = troviaFrame(*list);
        QVERIFY(!(after == before));
        QCOMPARE(after, listFrame(troviaFrame(*mainWindow), TroviaRect{20, 15, 300, 30}, 4,
                                  list->tableView()->rowMetrics(), 7));
    }

    void tableShowsIconNameAndClassicColumns()
    {
        showRows(3);
        TroviaTableView *table = list->tableView();
        QVERIFY(!table->horizontalHeader()->isVisible());
        QCOMPARE(table->columnWidth(ResultListModel::IconColumn),
                 table->columnWidth(ResultListModel::ClassicColumn));
        QVERIFY(table->columnWidth(ResultListModel::IconColumn) >= 16);
        // The name takes the rest of the width, also after the rows changed.
        list->model()->setApplications(applications(2));
        const int rest =
            table->viewport()->width() - 2 * table->columnWidth(ResultListModel::IconColumn);
        QCOMPARE(table->columnWidth(ResultListModel::NameColumn), rest);
        QCOMPARE(table->viewport()->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr,
                                                       table->viewport()),
                 200);
    }

    void modelCells()
    {
        ResultListModel model;
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.data(model.index(0, 1)).isValid());
        model.setApplications(applications(2));
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.data(model.index(1, ResultListModel::NameColumn)).toString(),
                 QString("Application 1"));
        QCOMPARE(
            model.data(model.index(0, ResultListModel::IconColumn), Qt::DecorationRole).metaType(),
            QMetaType::fromType<QIcon>());
        // Application 1 is Classic, 0 is not; without a marker icon neither shows one.
        QVERIFY(!model.data(model.index(1, ResultListModel::ClassicColumn), Qt::DecorationRole)
                     .isValid());
        QIcon marker(QPixmap(16, 16));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setClassicIcon(marker);
        QCOMPARE(changed.size(), 1);
        QVERIFY(model.data(model.index(1, ResultListModel::ClassicColumn), Qt::DecorationRole)
                    .isValid());
        QVERIFY(!model.data(model.index(0, ResultListModel::ClassicColumn), Qt::DecorationRole)
                     .isValid());
        for (int column = 0; column < 3; ++column)
            QCOMPARE(model.data(model.index(0, column), Qt::ToolTipRole).toString(),
                     QString("/usr/share/applications/app0"));
        QVERIFY(!model.applicationAt(2));
    }

    void toolTipDropsTheDesktopExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("tip");
        QTest::newRow("lower case") << "/a/b/editor.desktop"
                                    << "/a/b/editor";
        QTest::newRow("mixed case") << "/a/b/editor.DeskTop"
                                    << "/a/b/editor";
        QTest::newRow("other extension") << "/a/b/editor.app"
                                         << "/a/b/editor.app";
        QTest::newRow("no extension") << "/a/b/editor"
                                      << "/a/b/editor";
        QTest::newRow("desktop inside the name") << "/a/x.desktop.bak"
                                                 << "/a/x.desktop.bak";
        QTest::newRow("nothing but the extension") << "/a/.desktop"
                                                   << "/a/.desktop";
    }

    void toolTipDropsTheDesktopExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, tip);
        QCOMPARE(toolTipForPath(path), tip);
    }

    void toolTipAppearsOverARow()
    {
        showRows(3);
        QWidget *viewport = list->tableView()->viewport();
        QTest::mouseMove(viewport, rowCentre(2));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QString("/usr/share/applications/app2"));
        QToolTip::hideText();
    }

    void singleClickSelectsAndConfirms_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("plain") << int(Qt::NoModifier);
        QTest::newRow("with Ctrl") << int(Qt::ControlModifier);
    }

    void singleClickSelectsAndConfirms()
    {
        QFETCH(int, modifiers);
        showRows(5);
        TroviaTableView *table = list->tableView();
        table->selectRow(0);
        QSignalSpy clicked(table, &TroviaTableView::rowClicked);
        bool selectedWhenAnnounced = false;
        connect(table, &TroviaTableView::rowClicked, this,
                [&] { selectedWhenAnnounced = table->selectionModel()->isRowSelected(3); });
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::KeyboardModifiers(modifiers),
                          rowCentre(3));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 3);
        QCOMPARE(clicked.at(0).at(1).value<Qt::KeyboardModifiers>(),
                 Qt::KeyboardModifiers(modifiers));
        QVERIFY(selectedWhenAnnounced);
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
    }

    void onlyOneAnnouncementPerClick()
    {
        showRows(5);
        TroviaTableView *table = list->tableView();
        QSignalSpy clicked(table, &TroviaTableView::rowClicked);
        // Through the window system, as a double click really comes: two presses in quick
        // succession.
        const QPoint inWindow = table->viewport()->mapTo(list, rowCentre(1));
        QTest::mouseDClick(list->windowHandle(), Qt::LeftButton, {}, inWindow);
        QCOMPARE(clicked.size(), 1);
        QTest::mouseClick(table->viewport(), Qt::RightButton, {}, rowCentre(2));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 1);
        // Dragging across rows does not move the selection.
        QTest::mousePress(table->viewport(), Qt::LeftButton, {}, rowCentre(0));
        QTest::mouseMove(table->viewport(), rowCentre(4));
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, rowCentre(4));
        QCOMPARE(clicked.size(), 2);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 0);
    }

    void clickBelowTheRowsConfirmsNothing()
    {
        showRows(2);
        TroviaTableView *table = list->tableView();
        list->resize(list->width(), list->height() + 60);
        QTRY_VERIFY(table->viewport()->height() > 2 * table->rowHeight(0) + 20);
        table->selectRow(1);
        QSignalSpy clicked(table, &TroviaTableView::rowClicked);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          QPoint(10, table->viewport()->height() - 5));
        QCOMPARE(clicked.size(), 0);
        QVERIFY(table->selectionModel()->selectedRows().isEmpty());
    }

    // The offscreen platform activates every window it shows; tst_x11windows clicks a real
    // list on a real X server.
    void listIsMadeNeverToTakeFocus()
    {
        QVERIFY(list->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        QVERIFY(list->windowFlags().testFlag(Qt::Tool));
        QVERIFY((list->windowFlags() & Qt::WindowType_Mask) != Qt::Popup);
        QVERIFY(list->testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(list->tableView()->focusPolicy(), Qt::NoFocus);
    }

    void luma_data()
    {
        QTest::addColumn<float>("red");
        QTest::addColumn<float>("green");
        QTest::addColumn<float>("blue");
        QTest::addColumn<bool>("blackText");
        QTest::newRow("pure green, 0.59") << 0.f << 1.f << 0.f << true;
        QTest::newRow("pure red, 0.3") << 1.f << 0.f << 0.f << false;
        QTest::newRow("mid grey, 0.5") << 0.5f << 0.5f << 0.5f << false;
        QTest::newRow("0.55 grey") << 0.55f << 0.55f << 0.55f << true;
        QTest::newRow("white") << 1.f << 1.f << 1.f << true;
        QTest::newRow("black") << 0.f << 0.f << 0.f << false;
    }

    void luma()
    {
        QFETCH(float, red);
        QFETCH(float, green);
        QFETCH(float, blue);
        QFETCH(bool, blackText);
        QCOMPARE(WindowAppearance::luma(red, green, blue) >= 0.55, blackText);
    }

    void labelTextColourFollowsTheWindowColour_data()
    {
        QTest::addColumn<QColor>("windowColor");
        QTest::addColumn<QColor>("text");
        QTest::newRow("green") << QColor(0, 255, 0) << QColor(Qt::black);
        QTest::newRow("red") << QColor(255, 0, 0) << QColor(Qt::white);
        QTest::newRow("mid grey") << QColor::fromRgbF(0.5f, 0.5f, 0.5f) << QColor(Qt::white);
        QTest::newRow("light grey, as HSV")
            << QColor::fromHsvF(0.f, 0.f, 0.9f) << QColor(Qt::black);
        QTest::newRow("dark blue, as HSV")
            << QColor::fromHsvF(0.6f, 0.6f, 0.3f) << QColor(Qt::white);
    }

    void labelTextColourFollowsTheWindowColour()
    {
        QFETCH(QColor, windowColor);
        QFETCH(QColor, text);
        QCOMPARE(WindowAppearance::labelTextColor(windowColor), text);

        TroviaView view;
        QLabel label("Trovia", &view);
        Settings::standard().setColor(WindowColorKey, windowColor);
        Settings::standard().setInteger(WindowStyleKey, MatteStyle);
        WindowAppearance::applyStoredAppearance(&view, &label);
        QCOMPARE(view.backgroundColor(), windowColor.toRgb());
        QCOMPARE(view.backgroundColor().spec(), QColor::Rgb);
        QCOMPARE(view.surfaceStyle(), int(MatteStyle));
        QCOMPARE(label.palette().color(QPalette::WindowText), text);
    }

    void missingWindowColourKeepsTheViewsColour()
    {
        TroviaView view;
        QLabel label("Trovia", &view);
        WindowAppearance::apply(&view, &label, QColor(250, 250, 250), MatteStyle);
        Settings::standard().remove(WindowColorKey);
        Settings::standard().remove(WindowStyleKey);
        WindowAppearance::applyStoredAppearance(&view, &label);
        QCOMPARE(view.backgroundColor(), QColor(250, 250, 250));
        QCOMPARE(view.surfaceStyle(), int(ShinyStyle)); // the registered default
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(Qt::black));
    }
};

QTEST_MAIN(TestResultList)
#include "tst_resultlist.moc"
