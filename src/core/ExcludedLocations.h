#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <functional>

class Settings;

// The locations (desktop entries and folders) whose applications Trovia leaves out, as a list
// model over "Excluded Locations". Every change stores the list whole and writes it through, then
// the settings emit excludedLocationsChanged; the model reads the stored list back at that signal,
// whoever changed it, and resets.
class ExcludedLocations : public QAbstractListModel
{
    Q_OBJECT
public:
    // Reads the stored list once, here; settings is not owned.
    explicit ExcludedLocations(Settings &settings, QObject *parent = nullptr);

    QStringList locations() const { return locationList; }

    // Appends; duplicates stay rows of their own.
    void addPath(const QString &path);
    void addPaths(const QStringList &paths);
    void removeLocation(int row);
    // What a row shows for a location (its tool tip stays the location); the location itself
    // while unset.
    void setDescriber(std::function<QString(const QString &location)> describer);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    void storeAndAnnounce();
    void excludedLocationsChanged();

    Settings &settings;
    QStringList locationList;
    std::function<QString(const QString &)> describe;
};
