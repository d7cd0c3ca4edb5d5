#include "preferences/ExcludedLocationsManager.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTableView>
#include <QUrl>
#include <algorithm>

namespace
{

// QFileDialog picks files or folders, never both: its own accept() walks into a chosen folder.
// This one takes whatever is selected as long as it exists; double-clicking still opens a folder.
class LocationDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        const bool allExist = std::all_of(chosen.cbegin(), chosen.cend(), [](const QString &path) {
            return QFileInfo::exists(path);
        });
        if (!chosen.isEmpty() && allExist)
            QDialog::accept();
        else
            QFileDialog::accept(); // its own messages for names that do not exist
    }
};

} // namespace

ExcludedLocationsManager::ExcludedLocationsManager(Settings &store, QObject *parent)
    : QAbstractListModel(parent), settings(store),
      locationList(store.stringList(ExcludedLocationsKey)),
      chooser(&ExcludedLocationsManager::chooseLocationsWithFileDialog)
{
    connect(&store, &Settings::excludedLocationsChanged, this,
            &ExcludedLocationsManager::excludedLocationsChanged);
}

void ExcludedLocationsManager::setOutlets(QTableView *table, QAbstractButton *add,
                                          QAbstractButton *remove)
{
    if (tableView && tableView->selectionModel())
        tableView->selectionModel()->disconnect(this);
    for (QAbstractButton *old : {addButton.data(), removeButton.data()}) {
        if (old)
            old->disconnect(this);
    }
    tableView = table;
    addButton = add;
    removeButton = remove;

    if (tableView) {
        tableView->setModel(this);
        connect(tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &ExcludedLocationsManager::tableViewSelectionDidChange);
    }
    if (addButton)
        connect(addButton, &QAbstractButton::clicked, this, &ExcludedLocationsManager::addLocation);
    if (removeButton)
        connect(removeButton, &QAbstractButton::clicked, this,
                &ExcludedLocationsManager::removeSelectedLocation);
    tableViewSelectionDidChange();
}

void ExcludedLocationsManager::setLocationChooser(LocationChooser newChooser)
{
    chooser = std::move(newChooser);
}

std::optional<QStringList> ExcludedLocationsManager::chooseLocationsWithFileDialog(QWidget *parent)
{
    LocationDialog dialog(parent, QObject::tr("Choose Applications or Folders to Leave Out"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The catalogue knows entries by the path GIO found them at, symbolic links and all.
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(QObject::tr("Applications (*.desktop)"));
    dialog.setLabelText(QFileDialog::Accept, QObject::tr("&Leave Out"));

    QList<QUrl> places{QUrl::fromLocalFile(QDir::homePath())};
    for (const QString &folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        if (QFileInfo(folder).isDir())
            places.append(QUrl::fromLocalFile(folder));
    }
    dialog.setSidebarUrls(places);

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFiles();
}

int ExcludedLocationsManager::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(locationList.size());
}

QVariant ExcludedLocationsManager::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= locationList.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return locationList.at(index.row());
    return {};
}

void ExcludedLocationsManager::addLocation()
{
    const std::optional<QStringList> chosen = chooser(tableView ? tableView->window() : nullptr);
    if (!chosen)
        return;
    locationList.append(*chosen);
    storeAndAnnounce();
}

void ExcludedLocationsManager::removeSelectedLocation()
{
    const QList<int> rows = selectedRows();
    if (rows.size() != 1)
        return;
    locationList.removeAt(rows.first());
    storeAndAnnounce();
}

void ExcludedLocationsManager::addPath(const QString &path)
{
    locationList.append(path);
    storeAndAnnounce();
}

void ExcludedLocationsManager::excludedLocationsChanged()
{
    // A reset clears the view's selection; rows that still exist stay selected, so removing
    // several entries one after the other needs no new click each time.
    const QList<int> selected = selectedRows();
    beginResetModel();
    endResetModel();
    if (tableView) {
        for (int row : selected) {
            if (row < locationList.size())
                tableView->selectionModel()->select(index(row), QItemSelectionModel::Select |
                                                                    QItemSelectionModel::Rows);
        }
    }
    tableViewSelectionDidChange();
}

void ExcludedLocationsManager::tableViewSelectionDidChange()
{
    if (removeButton)
        removeButton->setEnabled(selectedRows().size() == 1);
}

void ExcludedLocationsManager::storeAndAnnounce()
{
    // Stored and written through before anyone hears of it, so observers read the new list.
    settings.setStringList(ExcludedLocationsKey, locationList);
    settings.sync();
    Q_EMIT settings.excludedLocationsChanged();
}

QList<int> ExcludedLocationsManager::selectedRows() const
{
    QList<int> rows;
    if (!tableView || !tableView->selectionModel() || tableView->model() != this)
        return rows;
    for (const QModelIndex &selected : tableView->selectionModel()->selectedRows())
        rows.append(selected.row());
    return rows;
}
