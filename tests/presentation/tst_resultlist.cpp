#include "FakeWindowSystem.h"
#include "TestMainWindow.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "presentation/ListGeometry.h"
#include "presentation/ResultListModel.h"
#include "presentation/ResultListWindow.h"
#include "presentation/TroviaTableView.h"
#include "presentation/TroviaView.h"
#include "presentation/TroviaWindow.h"
#include "presentation/WindowAppearance.h"

#include <QApplication>
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

ApplicationList applications(int count)
{
    ApplicationList list;
    for (int i = 0; i < count; ++i)
        list.append(std::make_shared<Application>(
            QUrl::fromLocalFile(QStringLiteral("/usr/share/applications/app%1.desktop").arg(i)),
            QStringLiteral("Application %1").arg(i), i % 2 == 1, QString()));
    return list;
}

TroviaRect troviaFrame(const QWidget &window)
{
    return ScreenCoordinates::fromQt(window.frameGeometry());
}

} // namespace

class TestResultList : public QObject
{
    Q_OBJECT

    QTemporaryDir configHome;
    FakeWindowSystem windowSystem;
    TroviaWindow *mainWindow = nullptr;
    QLineEdit *field = nullptr;
    ResultListWindow *list = nullptr;

    void showRows(int count)
    {
        list->model()->setApplications(applications(count));
        list->setupListFrame();
        list->attach();
        QVERIFY(QTest::qWaitForWindowExposed(list));
    }

    TroviaRect screenFrame() const
    {
        return ScreenCoordinates::fromQt(mainWindow->screen()->geometry());
    }

    QPoint rowCentre(int row) const
    {
        TroviaTableView *table = list->tableView();
        return {table->viewport()->width() / 2,
                table->rowViewportPosition(row) + table->rowHeight(row) / 2};
    }

private Q_SLOTS:

    void init()
    {
        mainWindow = makeMainWindow(windowSystem, TroviaRect{100, 400, 400, 60}, &field, &list);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    }

    void cleanup()
    {
        delete mainWindow; // owns the list window
    }

    void geometry_data()
    {
        QTest::addColumn<TroviaRect>("main");
        QTest::addColumn<int>("rows");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<TroviaRect>("expected");
        const TroviaRect main{100, 500, 400, 60};
        // R 17, S (3, 2): x = 100 + 20 + 8 - 16 - 3 = 109, width 200 - 8 + 16 + 3 = 211.
        QTest::newRow("12, 7 shown") << main << 12 << qint64(7) << TroviaRect{109, 380, 211, 135};
        QTest::newRow("3 matches") << main << 3 << qint64(7) << TroviaRect{109, 456, 211, 59};
        QTest::newRow("no rows") << main << 0 << qint64(7) << TroviaRect{109, 513, 211, 2};
        QTest::newRow("maximum of 4") << main << 12 << qint64(4) << TroviaRect{109, 437, 211, 78};
        // Stored values outside the range the Preferences offer count as its nearer end.
        QTest::newRow("negative maximum")
            << main << 12 << qint64(-3) << TroviaRect{109, 494, 211, 21};
        QTest::newRow("maximum beyond the range")
            << TroviaRect{100, 700, 400, 60} << 40 << qint64(1e9) << TroviaRect{109, 143, 211, 572};
        // 30 rows fit neither below (415) nor above (455): the 23 that fit above.
        QTest::newRow("too tall for either side")
            << TroviaRect{100, 400, 400, 60} << 40 << qint64(30) << TroviaRect{109, 445, 211, 439};
        QTest::newRow("exactly at 0 stays below")
            << TroviaRect{100, 44, 400, 60} << 3 << qint64(7) << TroviaRect{109, 0, 211, 59};
        QTest::newRow("below 0 goes above the field")
            << TroviaRect{100, 43, 400, 60} << 3 << qint64(7) << TroviaRect{109, 88, 211, 59};
        QTest::newRow("main window below the screen")
            << TroviaRect{-50, -30, 400, 60} << 12 << qint64(7) << TroviaRect{-41, 15, 211, 135};
    }

    void geometry()
    {
        QFETCH(TroviaRect, main);
        QFETCH(int, rows);
        QFETCH(qint64, maximum);
        QFETCH(TroviaRect, expected);
        QCOMPARE(listFrame(main, TroviaRect{20, 15, 200, 30}, rows, {17, 3, 2}, maximum,
                           TroviaRect{0, 0, 1440, 900}),
                 expected);
    }

    // The real window takes the computed frame under (or, near the bottom, above) the field,
    // shows exactly its rows and scrolls the rest.
    void listWindowTakesItsFrame_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<float>("mainY");
        QTest::newRow("3 of at most 7") << 3 << 7 << 400.f;
        QTest::newRow("12 of at most 4") << 12 << 4 << 400.f;
        QTest::newRow("above the field") << 5 << 7 << 20.f;
    }

    void listWindowTakesItsFrame()
    {
        QFETCH(int, rows);
        QFETCH(int, maximum);
        QFETCH(float, mainY);
        list->setMaximumListHeight(maximum);
        mainWindow->setFrameOrigin({100, mainY});
        QTRY_COMPARE(troviaFrame(*mainWindow).y, mainY);
        showRows(rows);
        TroviaTableView *table = list->tableView();
        QCOMPARE(troviaFrame(*list), listFrame(troviaFrame(*mainWindow), {20, 15, 200, 30}, rows,
                                               table->rowMetrics(), maximum, screenFrame()));
        const QRect fieldOnScreen(field->mapToGlobal(QPoint(0, 0)), field->size());
        const QRect frame = list->frameGeometry();
        QCOMPARE(mainY > 100 ? frame.top() : frame.bottom() + 1,
                 mainY > 100 ? fieldOnScreen.bottom() + 1 : fieldOnScreen.top());
        QCOMPARE(frame.right(), fieldOnScreen.right());
        QCOMPARE(table->viewport()->height(), qMin(rows, maximum) * table->rowHeight(0));
        QTRY_COMPARE(table->verticalScrollBar()->isVisible(), rows > maximum);
    }

    // Whatever the settings file holds, the list shows rows and stays on the screen.
    void storedMaximumListHeightIsKeptInRange_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("text") << "many" << 7;
        QTest::newRow("negative") << "-3" << 1;
        QTest::newRow("huge") << "1000000000" << 30;
    }

    void storedMaximumListHeightIsKeptInRange()
    {
        QFETCH(QString, stored);
        QFETCH(int, shown);
        // Text, as the file gives it back, read as the launcher reads it: no number is the default.
        Settings settings(configHome.filePath(QStringLiteral("Trovia.conf")));
        settings.setValue(SettingKey<QString>{MaximumListHeightKey.name, {}}, stored);
        list->setMaximumListHeight(settings.value(MaximumListHeightKey));
        // Near the top of the screen: 30 rows fit below the field.
        const QRect screen = mainWindow->screen()->geometry();
        const float y = float(screen.height() - 80);
        mainWindow->setFrameOrigin({100, y});
        QTRY_COMPARE(troviaFrame(*mainWindow).y, y);
        showRows(40);
        QVERIFY(screen.contains(list->frameGeometry()));
        TroviaTableView *table = list->tableView();
        QCOMPARE(table->viewport()->height(), shown * table->rowHeight(0));
    }

    void attachedListFollowsTheMainWindow()
    {
        showRows(3);
        const QPoint offset = list->pos() - mainWindow->pos();
        mainWindow->setFrameOrigin({300, 300});
        QTRY_COMPARE(list->pos() - mainWindow->pos(), offset);

        list->detach();
        QVERIFY(!list->isVisible());
        const QPoint left = list->pos();
        mainWindow->setFrameOrigin({500, 300});
        QTRY_COMPARE(troviaFrame(*mainWindow).x, 500.f);
        QCOMPARE(list->pos(), left);

        // A resized main window places the list again.
        list->attach();
        field->setGeometry(20, 25, 300, 30);
        mainWindow->contentView()->setFixedSize(420, 70);
        mainWindow->setFixedSize(420, 70);
        QTRY_COMPARE(troviaFrame(*mainWindow).height, 70.f);
        QTRY_COMPARE(troviaFrame(*list),
                     listFrame(troviaFrame(*mainWindow), {20, 15, 300, 30}, 3,
                               list->tableView()->rowMetrics(), 7, screenFrame()));
    }

    // The view lays out what it is handed at every keystroke: a huge name reaches it cut short,
    // never in the middle of a character.
    void longNamesReachTheViewCut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        const QString ellipsis(QChar(0x2026));
        const QString huge(1'000'000, 'x');
        QTest::newRow("short") << "Editor"
                               << "Editor";
        QTest::newRow("a million characters") << huge << huge.left(255) + ellipsis;
        QTest::newRow("emoji at the cut")
            << QString(254, 'y') + "\U0001F600 and more" << QString(254, 'y') + ellipsis;
    }

    void longNamesReachTheViewCut()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        ResultListModel model;
        model.setApplications({std::make_shared<Application>(QUrl::fromLocalFile("/a/long.desktop"),
                                                             name, false, QString())});
        QCOMPARE(model.data(model.index(0, ResultListModel::NameColumn)).toString(), shown);
        QCOMPARE(model.applicationAt(0)->displayName(), name);
    }

    // A name is measured with every letter bold: one that fits only in the regular weight ("r" is
    // much wider in bold) is drawn plain, as a longer one is, without its matched letters bold.
    void namesThatFitOnlyInRegularWeightAreDrawnPlain()
    {
        showRows(1);
        TroviaTableView *table = list->tableView();
        const int column = table->columnWidth(ResultListModel::NameColumn);
        QFont bold = table->font();
        bold.setBold(true);
        QString name = "r";
        while (QFontMetrics(bold).horizontalAdvance(name) <= column)
            name += 'r';
        QVERIFY(column - QFontMetrics(table->font()).horizontalAdvance(name) >= 16);
        const auto drawn = [&](const QString &typed) {
            list->model()->setApplications(
                {std::make_shared<Application>(QUrl::fromLocalFile("/a/r.desktop"), name, false,
                                               QString())},
                typed);
            return table->viewport()->grab().toImage();
        };
        QCOMPARE(drawn("r"), drawn("x"));
    }

    // Tool tips show the entry's path less ".desktop", over a row, after 0.2 s.
    void toolTips_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("tip");
        QTest::newRow("lower case") << "/a/b/editor.desktop"
                                    << "/a/b/editor";
        QTest::newRow("mixed case") << "/a/b/editor.DeskTop"
                                    << "/a/b/editor";
        QTest::newRow("other extension") << "/a/b/editor.app"
                                         << "/a/b/editor.app";
    }

    void toolTips()
    {
        QFETCH(QString, path);
        QFETCH(QString, tip);
        QCOMPARE(toolTipForPath(path), tip);
    }

    void toolTipAppearsOverARow()
    {
        showRows(3);
        QWidget *viewport = list->tableView()->viewport();
        QCOMPARE(viewport->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, viewport),
                 200);
        QTest::mouseMove(viewport, rowCentre(2));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QString("/usr/share/applications/app2"));
        QToolTip::hideText();
    }

    // A single click selects the row and announces it once, with the modifiers held; a double
    // click, a right click, a drag or a click below the rows announce nothing more.
    void singleClickSelectsAndConfirms()
    {
        showRows(5);
        TroviaTableView *table = list->tableView();
        QSignalSpy clicked(table, &TroviaTableView::rowClicked);
        bool selectedWhenAnnounced = false;
        connect(table, &TroviaTableView::rowClicked, this,
                [&] { selectedWhenAnnounced = table->selectionModel()->isRowSelected(3); });
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(3));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 3);
        QCOMPARE(clicked.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::ControlModifier);
        QVERIFY(selectedWhenAnnounced);

        QTest::mouseDClick(list->windowHandle(), Qt::LeftButton, {},
                           table->viewport()->mapTo(list, rowCentre(1)));
        QCOMPARE(clicked.size(), 2);
        QTest::mouseClick(table->viewport(), Qt::RightButton, {}, rowCentre(2));
        QTest::mousePress(table->viewport(), Qt::LeftButton, {}, rowCentre(0));
        QTest::mouseMove(table->viewport(), rowCentre(4));
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, rowCentre(4));
        QCOMPARE(clicked.size(), 3);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 0);

        list->resize(list->width(), list->height() + 60);
        QTRY_VERIFY(table->viewport()->height() > 5 * table->rowHeight(0) + 20);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          QPoint(10, table->viewport()->height() - 5));
        QCOMPARE(clicked.size(), 3);
        QVERIFY(table->selectionModel()->selectedRows().isEmpty());
    }

    void classicMarkerShowsOnClassicRowsOnly()
    {
        ResultListModel model;
        model.setApplications(applications(2)); // Application 1 is Classic
        const auto marker = [&](int row) {
            return model.data(model.index(row, ResultListModel::ClassicColumn), Qt::DecorationRole)
                .isValid();
        };
        QVERIFY(!marker(1));
        model.setClassicIcon(QIcon(QPixmap(16, 16)));
        QVERIFY(marker(1));
        QVERIFY(!marker(0));
    }

    // The label reads black on a window colour of luma 0.55 or more, white below.
    void labelColourFollowsTheLuma_data()
    {
        QTest::addColumn<QColor>("windowColor");
        QTest::addColumn<QColor>("text");
        QTest::newRow("green, 0.59") << QColor(0, 255, 0) << QColor(Qt::black);
        QTest::newRow("red, 0.3") << QColor(255, 0, 0) << QColor(Qt::white);
        QTest::newRow("grey 0.55") << QColor::fromRgbF(0.55f, 0.55f, 0.55f) << QColor(Qt::black);
        QTest::newRow("grey 0.549")
            << QColor::fromRgbF(0.549f, 0.549f, 0.549f) << QColor(Qt::white);
    }

    void labelColourFollowsTheLuma()
    {
        QFETCH(QColor, windowColor);
        QFETCH(QColor, text);
        TroviaView view;
        QLabel label("Trovia", &view);
        WindowAppearance::apply(&view, &label, windowColor, MatteStyle);
        QCOMPARE(view.backgroundColor(), windowColor.toRgb());
        QCOMPARE(view.surfaceStyle(), int(MatteStyle));
        QCOMPARE(label.palette().color(QPalette::WindowText), text);
    }

    void missingWindowColourKeepsTheViewsColour()
    {
        TroviaView view;
        QLabel label("Trovia", &view);
        WindowAppearance::apply(&view, &label, QColor(250, 250, 250), MatteStyle);
        WindowAppearance::apply(&view, &label, QColor(), ShinyStyle);
        QCOMPARE(view.backgroundColor(), QColor(250, 250, 250));
        QCOMPARE(view.surfaceStyle(), int(ShinyStyle));
    }
};

QTEST_MAIN(TestResultList)
#include "tst_resultlist.moc"
