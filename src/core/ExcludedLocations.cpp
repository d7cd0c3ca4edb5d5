#include "core/ExcludedLocations.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"

ExcludedLocations::ExcludedLocations(Settings &store, QObject *parent)
    : QAbstractListModel(parent), settings(store), locationList(store.value(ExcludedLocationsKey))
{
    connect(&store, &Settings::excludedLocationsChanged, this,
            &ExcludedLocations::excludedLocationsChanged);
}

void ExcludedLocations::addPath(const QString &path)
{
    addPaths({path});
}

void ExcludedLocations::addPaths(const QStringList &paths)
{
    locationList.append(paths);
    storeAndAnnounce();
}

void ExcludedLocations::removeLocation(int row)
{
    if (row < 0 || row >= locationList.size())
        return;
    locationList.removeAt(row);
    storeAndAnnounce();
}

int ExcludedLocations::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(locationList.size());
}

QVariant ExcludedLocations::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= locationList.size())
        return {};
    if (role == Qt::DisplayRole && describe)
        return describe(locationList.at(index.row()));
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return locationList.at(index.row());
    return {};
}

void ExcludedLocations::setDescriber(std::function<QString(const QString &location)> describer)
{
    beginResetModel();
    describe = std::move(describer);
    endResetModel();
}

void ExcludedLocations::storeAndAnnounce()
{
    settings.setValue(ExcludedLocationsKey, locationList);
}

void ExcludedLocations::excludedLocationsChanged()
{
    beginResetModel();
    locationList = settings.value(ExcludedLocationsKey);
    endResetModel();
}
