#include "preferences/ExcludedLocationsManager.h"

#include "core/ExcludedLocations.h"
#include "core/LocalizedStrings.h"
#include "platform/ApplicationRegistry.h"

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

// A desktop action left out ("<entry>#<action id>") by its own and its application's names, as
// its entry gives them now; any other location as it is.
QString describeLocation(ApplicationRegistry &registry, const QString &location)
{
    const qsizetype mark = location.lastIndexOf(QLatin1Char('#'));
    if (mark <= 0)
        return location;
    const RegistryActionNames names =
        registry.actionNames(location.left(mark), location.mid(mark + 1));
    if (names.action.isEmpty() || names.application.isEmpty())
        return location;
    return LocalizedStrings::text(QStringLiteral("ExcludedActionLocation"))
        .arg(names.action, names.application);
}

} // namespace

ExcludedLocationsManager::ExcludedLocationsManager(ExcludedLocations &model,
                                                   ApplicationRegistry &registry, QObject *parent)
    : QObject(parent), locations(model),
      chooser(&ExcludedLocationsManager::chooseLocationsWithFileDialog)
{
    locations.setDescriber(
        [&registry](const QString &location) { return describeLocation(registry, location); });
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

    locations.disconnect(this);
    if (tableView) {
        tableView->setModel(&locations);
        // A reset clears the view's selection (connected after the view, this runs after it):
        // the rows are noted before and selected again after.
        connect(&locations, &QAbstractItemModel::modelAboutToBeReset, this,
                [this] { selectedBeforeChange = selectedRows(); });
        connect(&locations, &QAbstractItemModel::modelReset, this, [this] {
            for (int row : std::as_const(selectedBeforeChange)) {
                if (row < locations.rowCount())
                    tableView->selectionModel()->select(locations.index(row),
                                                        QItemSelectionModel::Select |
                                                            QItemSelectionModel::Rows);
            }
            tableViewSelectionDidChange();
        });
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

void ExcludedLocationsManager::addLocation()
{
    const std::optional<QStringList> chosen = chooser(tableView ? tableView->window() : nullptr);
    if (!chosen)
        return;
    locations.addPaths(*chosen);
}

void ExcludedLocationsManager::removeSelectedLocation()
{
    const QList<int> rows = selectedRows();
    if (rows.size() != 1)
        return;
    locations.removeLocation(rows.first());
}

void ExcludedLocationsManager::tableViewSelectionDidChange()
{
    if (removeButton)
        removeButton->setEnabled(selectedRows().size() == 1);
}

QList<int> ExcludedLocationsManager::selectedRows() const
{
    QList<int> rows;
    if (!tableView || !tableView->selectionModel() || tableView->model() != &locations)
        return rows;
    for (const QModelIndex &selected : tableView->selectionModel()->selectedRows())
        rows.append(selected.row());
    return rows;
}
