#include "ExcludedLocationsManager.h"
#include "NotificationCenter.h"
#include "Settings.h"
#include "SettingsKeys.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
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

// The Preferences window's part that shows the list: a table with its add and remove buttons.
struct Editor {
    explicit Editor(ExcludedLocationsManager &manager)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(table = new QTableView);
        layout->addWidget(add = new QPushButton(QStringLiteral("Add")));
        layout->addWidget(remove = new QPushButton(QStringLiteral("Remove")));
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        manager.setOutlets(table, add, remove);
        window.show();
    }

    void selectRows(const QList<int> &rows)
    {
        table->clearSelection();
        for (int row : rows)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
    }

    QStringList shownRows() const
    {
        QStringList rows;
        for (int row = 0; row < table->verticalHeader()->count(); ++row)
            rows.append(table->model()->index(row, 0).data().toString());
        return rows;
    }

    QWidget window;
    QTableView *table = nullptr;
    QPushButton *add = nullptr;
    QPushButton *remove = nullptr;
};

class TestExcludedLocations : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString storeFile;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<QSignalSpy> posts;
    int storeNumber = 0;

    // What a later run reads from disk.
    QStringList storedOnDisk() const
    {
        return Settings(storeFile).stringList(ExcludedLocationsKey);
    }
    bool storedAtAll() const { return Settings(storeFile).hasStoredValue(ExcludedLocationsKey); }
    qsizetype changeNotifications() const
    {
        return std::count_if(posts->cbegin(), posts->cend(), [](const QList<QVariant> &post) {
            return post.at(0).toString() == ExcludedLocationsChangedNotification;
        });
    }

    void store(const QStringList &locations)
    {
        Settings(storeFile).setStringList(ExcludedLocationsKey, locations);
        settings = std::make_unique<Settings>(storeFile);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(dir.isValid());
        storeFile = dir.filePath(QStringLiteral("store-%1.conf").arg(++storeNumber));
        settings = std::make_unique<Settings>(storeFile);
        posts = std::make_unique<QSignalSpy>(&NotificationCenter::defaultCenter(),
                                             &NotificationCenter::posted);
    }

    void firstAdditionToAnEmptyStoreStoresOnePath()
    {
        ExcludedLocationsManager manager(*settings);
        QVERIFY(manager.locations().isEmpty());
        QVERIFY(!storedAtAll());

        const QString path = QStringLiteral("/usr/share/applications/org.gnome.Maps.desktop");
        manager.addPath(path);
        QCOMPARE(storedOnDisk(), QStringList{path});
        QCOMPARE(changeNotifications(), 1);
    }

    void changesAreOnDiskBeforeObserversHear()
    {
        ExcludedLocationsManager manager(*settings);
        QStringList seenByObserver;
        QObject observer;
        NotificationCenter::defaultCenter().addObserver(ExcludedLocationsChangedNotification,
                                                        &observer,
                                                        [&] { seenByObserver = storedOnDisk(); });

        manager.addPath(QStringLiteral("/opt/games"));
        QCOMPARE(seenByObserver, QStringList{QStringLiteral("/opt/games")});
    }

    void pathsSurviveTheStoreUnchanged_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("one with a comma") << QStringList{QStringLiteral("/opt/a, b/c d.desktop")};
        QTest::newRow("several, odd characters")
            << QStringList{QStringLiteral("/home/u/Apps/Ünïcode = x.desktop"),
                           QStringLiteral("/tmp/\"quoted\";semi"), QStringLiteral("/tmp/@at")};
    }

    void pathsSurviveTheStoreUnchanged()
    {
        QFETCH(QStringList, paths);
        {
            ExcludedLocationsManager manager(*settings);
            for (const QString &path : paths)
                manager.addPath(path);
        }
        Settings nextRun(storeFile);
        QCOMPARE(ExcludedLocationsManager(nextRun).locations(), paths);
    }

    void chooserAppendsAllChosenInOrderWithOneNotification()
    {
        store({QStringLiteral("/first")});
        ExcludedLocationsManager manager(*settings);
        Editor editor(manager);
        QWidget *chooserParent = nullptr;
        manager.setLocationChooser([&](QWidget *parent) {
            chooserParent = parent;
            return Chosen(QStringList{"/c.desktop", "/a", "/b.desktop"});
        });

        QTest::mouseClick(editor.add, Qt::LeftButton);
        const QStringList expected{"/first", "/c.desktop", "/a", "/b.desktop"};
        QCOMPARE(manager.locations(), expected);
        QCOMPARE(storedOnDisk(), expected);
        QCOMPARE(editor.shownRows(), expected);
        QCOMPARE(changeNotifications(), 1);
        QCOMPARE(chooserParent, &editor.window);
    }

    void cancellingTheChooserChangesNothing()
    {
        ExcludedLocationsManager manager(*settings);
        manager.setLocationChooser([](QWidget *) { return Chosen(); });
        manager.addLocation();
        QVERIFY(manager.locations().isEmpty());
        QVERIFY(!storedAtAll());
        QCOMPARE(changeNotifications(), 0);
    }

    void duplicateRowsRemovingOneKeepsThePathExcluded()
    {
        const QString path = QStringLiteral("/usr/share/applications/htop.desktop");
        store({path});
        ExcludedLocationsManager manager(*settings);
        Editor editor(manager);
        manager.setLocationChooser([&](QWidget *) { return Chosen(QStringList{path}); });
        manager.addLocation();
        QCOMPARE(editor.shownRows(), (QStringList{path, path}));

        editor.selectRows({1});
        QTest::mouseClick(editor.remove, Qt::LeftButton);
        QCOMPARE(storedOnDisk(), QStringList{path});
    }

    void removingTheLastRowStoresAnEmptyList()
    {
        store({QStringLiteral("/only")});
        ExcludedLocationsManager manager(*settings);
        Editor editor(manager);
        editor.selectRows({0});
        QTest::mouseClick(editor.remove, Qt::LeftButton);

        QVERIFY(manager.locations().isEmpty());
        QVERIFY(storedAtAll());
        QVERIFY(storedOnDisk().isEmpty());
        QVERIFY(editor.shownRows().isEmpty());
        QVERIFY(!editor.remove->isEnabled());
        QCOMPARE(changeNotifications(), 1);
    }

    void removeFollowsTheSelection_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("afterRemove");
        const QStringList all{"/a", "/b", "/c"};
        QTest::newRow("none") << QList<int>{} << false << all;
        QTest::newRow("one") << QList<int>{1} << true << QStringList{"/a", "/c"};
        QTest::newRow("two") << QList<int>{0, 2} << false << all;
        QTest::newRow("all") << QList<int>{0, 1, 2} << false << all;
    }

    void removeFollowsTheSelection()
    {
        QFETCH(QList<int>, selected);
        QFETCH(bool, enabled);
        QFETCH(QStringList, afterRemove);
        store({"/a", "/b", "/c"});
        ExcludedLocationsManager manager(*settings);
        Editor editor(manager);
        QVERIFY(!editor.remove->isEnabled());

        editor.selectRows(selected);
        QCOMPARE(editor.remove->isEnabled(), enabled);
        // The action itself checks too, whatever the button's state.
        manager.removeSelectedLocation();
        QCOMPARE(manager.locations(), afterRemove);
        QCOMPARE(changeNotifications(), enabled ? 1 : 0);
    }

    void selectionStaysOnItsRowAcrossChanges()
    {
        store({"/a", "/b", "/c"});
        ExcludedLocationsManager manager(*settings);
        Editor editor(manager);
        editor.selectRows({1});

        // An exclusion made from the main window shows at once and keeps the selection.
        manager.addPath(QStringLiteral("/d"));
        QCOMPARE(editor.shownRows(), (QStringList{"/a", "/b", "/c", "/d"}));
        QVERIFY(editor.remove->isEnabled());

        // Removing moves on to the next row, so entries can be removed one after another.
        manager.removeSelectedLocation();
        manager.removeSelectedLocation();
        QCOMPARE(editor.shownRows(), (QStringList{"/a", "/d"}));
        QVERIFY(editor.remove->isEnabled());
        manager.removeSelectedLocation();
        QCOMPARE(editor.shownRows(), QStringList{"/a"});
        QVERIFY(!editor.remove->isEnabled());
    }

    void withoutATableChangesAreStillStored()
    {
        ExcludedLocationsManager manager(*settings);
        manager.addPath(QStringLiteral("/x"));
        manager.removeSelectedLocation();
        QCOMPARE(storedOnDisk(), QStringList{QStringLiteral("/x")});

        auto editor = std::make_unique<Editor>(manager);
        editor->selectRows({0});
        editor.reset();
        manager.addPath(QStringLiteral("/y"));
        manager.removeSelectedLocation();
        QCOMPARE(storedOnDisk(), (QStringList{"/x", "/y"}));
    }

    void sharedManagerIsOneAndUsesTheUsersStore()
    {
        QCOMPARE(&ExcludedLocationsManager::sharedManager(),
                 &ExcludedLocationsManager::sharedManager());
        ExcludedLocationsManager::sharedManager().addPath(QStringLiteral("/shared"));
        QCOMPARE(Settings(Settings::standard().filePath()).stringList(ExcludedLocationsKey),
                 QStringList{QStringLiteral("/shared")});
    }

    // The real chooser: desktop entries and folders picked together in one dialog.
    void fileDialogTakesEntriesAndFoldersTogether()
    {
        QTemporaryDir apps;
        QVERIFY(QDir(apps.path()).mkdir(QStringLiteral("Games")));
        for (const char *name : {"a.desktop", "b.desktop", "notes.txt"}) {
            QFile file(apps.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(apps.filePath(QStringLiteral("a.desktop")),
                            apps.filePath(QStringLiteral("link.desktop"))));

        ExcludedLocationsManager manager(*settings);
        Editor editor(manager);
        QStringList listed;
        bool openEnabled = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->setDirectory(apps.path());
            auto *view = dialog->findChild<QListView *>(QStringLiteral("listView"));
            auto *model = qobject_cast<QFileSystemModel *>(view->model());
            const QModelIndex folder = model->index(apps.path());
            if (!QTest::qWaitFor([&] { return model->rowCount(folder) >= 4; }, 10000))
                return dialog->reject();
            for (int row = 0; row < model->rowCount(folder); ++row)
                listed.append(model->index(row, 0, folder).data().toString());
            for (const char *name : {"Games", "link.desktop"})
                view->selectionModel()->select(
                    model->index(apps.filePath(QString::fromLatin1(name))),
                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
            QPushButton *open =
                dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open);
            openEnabled = open->isEnabled();
            open->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        QTest::mouseClick(editor.add, Qt::LeftButton);

        listed.sort();
        QCOMPARE(listed, (QStringList{"Games", "a.desktop", "b.desktop", "link.desktop"}));
        QVERIFY(openEnabled);
        QStringList stored = storedOnDisk();
        stored.sort();
        QCOMPARE(stored, (QStringList{apps.filePath("Games"), apps.filePath("link.desktop")}));
    }

    void fileDialogCancelledAnswersNothing()
    {
        QTimer::singleShot(0, this, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                static_cast<QDialog *>(dialog)->reject();
        });
        QVERIFY(!ExcludedLocationsManager::chooseLocationsWithFileDialog(nullptr));
    }
};

int main(int argc, char **argv)
{
    // The user's store of this run lives in a folder of its own.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    QApplication app(argc, argv);
    TestExcludedLocations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_excludedlocations.moc"
