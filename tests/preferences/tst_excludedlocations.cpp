#include "FakeApplicationRegistry.h"
#include "core/ExcludedLocations.h"
#include "core/LocalizedStrings.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "preferences/ExcludedLocationsManager.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

using Chosen = std::optional<QStringList>;

class TestExcludedLocations : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    FakeApplicationRegistry registry;
    QString storeFile;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<ExcludedLocations> locations;
    std::unique_ptr<ExcludedLocationsManager> manager;
    std::unique_ptr<QSignalSpy> posts;
    // The Preferences window's part that shows the list: a table with its add and remove buttons.
    std::unique_ptr<QWidget> window;
    QTableView *table = nullptr;
    QPushButton *add = nullptr;
    QPushButton *remove = nullptr;
    int storeNumber = 0;

    // What a later run reads from disk.
    QStringList storedOnDisk() const { return Settings(storeFile).value(ExcludedLocationsKey); }
    qsizetype changeNotifications() const { return posts->count(); }
    QStringList shownRows() const
    {
        QStringList rows;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            rows.append(table->model()->index(row, 0).data().toString());
        return rows;
    }
    void selectRows(const QList<int> &rows)
    {
        table->clearSelection();
        for (int row : rows)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
    }

    void open(const QStringList &stored, const Chosen &chosen = {})
    {
        if (!stored.isEmpty())
            Settings(storeFile).setValue(ExcludedLocationsKey, stored);
        settings = std::make_unique<Settings>(storeFile);
        locations = std::make_unique<ExcludedLocations>(*settings);
        manager = std::make_unique<ExcludedLocationsManager>(*locations, registry);
        manager->setLocationChooser([chosen](QWidget *) { return chosen; });
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        layout->addWidget(table = new QTableView);
        layout->addWidget(add = new QPushButton(QStringLiteral("Add")));
        layout->addWidget(remove = new QPushButton(QStringLiteral("Remove")));
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        manager->setOutlets(table, add, remove);
        window->show();
        posts = std::make_unique<QSignalSpy>(settings.get(), &Settings::excludedLocationsChanged);
    }

private Q_SLOTS:
    void init() { storeFile = dir.filePath(QStringLiteral("store-%1.conf").arg(++storeNumber)); }
    void cleanup()
    {
        window.reset();
        manager.reset();
        locations.reset();
    }

    // Stored whole before observers hear; duplicates stay rows of their own.
    void addingStoresWholeThenAnnounces_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<Chosen>("chosen");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty store, one path")
            << QStringList{} << Chosen(QStringList{"/a, b/c d.desktop"})
            << QStringList{"/a, b/c d.desktop"};
        QTest::newRow("several at once")
            << QStringList{"/first"} << Chosen(QStringList{"/c.desktop", "/Ü = x", "/\"q\";s"})
            << QStringList{"/first", "/c.desktop", "/Ü = x", "/\"q\";s"};
        QTest::newRow("duplicate")
            << QStringList{"/a"} << Chosen(QStringList{"/a"}) << QStringList{"/a", "/a"};
        QTest::newRow("cancel") << QStringList{"/a"} << Chosen() << QStringList{"/a"};
    }

    void addingStoresWholeThenAnnounces()
    {
        QFETCH(QStringList, stored);
        QFETCH(Chosen, chosen);
        QFETCH(QStringList, expected);
        open(stored, chosen);
        QStringList seenByObserver;
        QObject observer;
        connect(settings.get(), &Settings::excludedLocationsChanged, &observer,
                [&] { seenByObserver = storedOnDisk(); });
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(storedOnDisk(), expected);
        QCOMPARE(shownRows(), expected);
        QCOMPARE(changeNotifications(), chosen ? 1 : 0);
        QCOMPARE(seenByObserver, chosen ? expected : QStringList());
    }

    // A desktop action left out is shown by its own and its application's names, as the
    // registry reads them now; without them, by its location.
    void actionsAreShownByTheirNames()
    {
        registry.addEntry(QStringLiteral("/apps/fox.desktop"), QStringLiteral("Fox"));
        registry.entryList.last().actions = {
            {QStringLiteral("private"), QStringLiteral("Private")}};
        const QStringList stored{"/apps/fox.desktop#private", "/apps/fox.desktop#gone",
                                 "/apps/gone.desktop#private", "/opt/a#b/fox.desktop"};
        open(stored);
        QStringList expected = stored;
        expected[0] = LocalizedStrings::text(QStringLiteral("ExcludedActionLocation"))
                          .arg(QStringLiteral("Private"), QStringLiteral("Fox"));
        QVERIFY(!expected[0].contains(stored[0]));
        QCOMPARE(shownRows(), expected);
        registry.entryList.clear();
    }

    // Remove works on exactly one selected row; the last row removed stores an empty list.
    void removeFollowsTheSelection_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("afterRemove");
        const QStringList all{"/a", "/b", "/c"};
        QTest::newRow("none") << all << QList<int>{} << all;
        QTest::newRow("one") << all << QList<int>{1} << QStringList{"/a", "/c"};
        QTest::newRow("two") << all << QList<int>{0, 2} << all;
        QTest::newRow("one of two equal")
            << QStringList{"/a", "/a"} << QList<int>{1} << QStringList{"/a"};
        QTest::newRow("the last") << QStringList{"/a"} << QList<int>{0} << QStringList{};
    }

    void removeFollowsTheSelection()
    {
        QFETCH(QStringList, stored);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, afterRemove);
        open(stored);
        QVERIFY(!remove->isEnabled());
        selectRows(selected);
        const bool one = selected.size() == 1;
        QCOMPARE(remove->isEnabled(), one);
        manager->removeSelectedLocation();
        QCOMPARE(storedOnDisk(), afterRemove);
        QVERIFY(Settings(storeFile).hasStoredValue(ExcludedLocationsKey));
        QCOMPARE(shownRows(), afterRemove);
        QCOMPARE(changeNotifications(), one ? 1 : 0);
    }

    void selectionStaysOnItsRowAcrossChanges()
    {
        open({"/a", "/b", "/c"});
        selectRows({1});
        // An exclusion made from the main window shows at once and keeps the selection.
        locations->addPath(QStringLiteral("/d"));
        QCOMPARE(shownRows(), (QStringList{"/a", "/b", "/c", "/d"}));
        QVERIFY(remove->isEnabled());
        // Removing moves on to the next row, so entries can be removed one after another.
        manager->removeSelectedLocation();
        manager->removeSelectedLocation();
        QCOMPARE(shownRows(), (QStringList{"/a", "/d"}));
        manager->removeSelectedLocation();
        QCOMPARE(shownRows(), QStringList{"/a"});
        QVERIFY(!remove->isEnabled());
    }

    // The real chooser: desktop entries and folders picked together in one dialog.
    void fileDialogTakesEntriesAndFoldersTogether()
    {
        QTemporaryDir apps;
        QVERIFY(QDir(apps.path()).mkdir(QStringLiteral("Games")));
        for (const char *name : {"a.desktop", "notes.txt"}) {
            QFile file(apps.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(apps.filePath("a.desktop"), apps.filePath("link.desktop")));
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->setDirectory(apps.path());
            auto *view = dialog->findChild<QListView *>(QStringLiteral("listView"));
            auto *model = qobject_cast<QFileSystemModel *>(view->model());
            const QModelIndex folder = model->index(apps.path());
            if (!QTest::qWaitFor([&] { return model->rowCount(folder) >= 3; }, 10000))
                return dialog->reject();
            for (const char *name : {"Games", "link.desktop"})
                view->selectionModel()->select(
                    model->index(apps.filePath(QString::fromLatin1(name))),
                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open)->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        const Chosen chosen = ExcludedLocationsManager::chooseLocationsWithFileDialog(nullptr);
        QVERIFY(chosen);
        QStringList paths = *chosen;
        paths.sort();
        QCOMPARE(paths, (QStringList{apps.filePath("Games"), apps.filePath("link.desktop")}));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestExcludedLocations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_excludedlocations.moc"
