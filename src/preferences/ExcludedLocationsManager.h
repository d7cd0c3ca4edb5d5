#pragma once

#include <QAbstractListModel>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>

class QAbstractButton;
class QTableView;
class QWidget;
class Settings;

// The locations (desktop entries and folders) whose applications Trovia leaves out. The list is
// stored whole under "Excluded Locations" on every change, then the settings emit
// excludedLocationsChanged. It is also the model of the Preferences window's table, whose add and
// remove buttons it drives once the window hands them over with setOutlets().
class ExcludedLocationsManager : public QAbstractListModel
{
    Q_OBJECT
public:
    // Asks the user for locations: the chosen paths in the chooser's order, or nothing when the
    // user cancelled.
    using LocationChooser = std::function<std::optional<QStringList>(QWidget *parent)>;

    // A manager over the given store; reads the stored list once, here.
    explicit ExcludedLocationsManager(Settings &settings, QObject *parent = nullptr);

    // The table and buttons of the Preferences window; any of them may be null. The manager
    // becomes the table's model and the buttons' target.
    void setOutlets(QTableView *tableView, QAbstractButton *addButton,
                    QAbstractButton *removeButton);
    void setLocationChooser(LocationChooser chooser);

    QStringList locations() const { return locationList; }

    // The chooser Trovia uses: one non-native file dialog whose view takes desktop entries and
    // folders, several at once.
    static std::optional<QStringList> chooseLocationsWithFileDialog(QWidget *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

public Q_SLOTS:
    void addLocation();
    void removeSelectedLocation();
    void addPath(const QString &path);
    void excludedLocationsChanged();
    void tableViewSelectionDidChange();

private:
    void storeAndAnnounce();
    QList<int> selectedRows() const;

    Settings &settings;
    QPointer<QTableView> tableView;
    QPointer<QAbstractButton> addButton;
    QPointer<QAbstractButton> removeButton;
    QStringList locationList;
    LocationChooser chooser;
};
