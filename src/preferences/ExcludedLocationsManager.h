#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>

class ApplicationRegistry;
class ExcludedLocations;
class QAbstractButton;
class QTableView;
class QWidget;

// The Preferences window's table of excluded locations and its add and remove buttons, over the
// excluded locations model. Rows that still exist stay selected when the list changes, so removing
// several entries one after the other needs no new click each time.
class ExcludedLocationsManager : public QObject
{
    Q_OBJECT
public:
    // Asks the user for locations: the chosen paths in the chooser's order, or nothing when the
    // user cancelled.
    using LocationChooser = std::function<std::optional<QStringList>(QWidget *parent)>;

    // Neither locations nor registry, which names the desktop actions left out, is owned.
    ExcludedLocationsManager(ExcludedLocations &locations, ApplicationRegistry &registry,
                             QObject *parent = nullptr);

    // The table and buttons of the Preferences window; any of them may be null. The model
    // becomes the table's, the manager the buttons' target.
    void setOutlets(QTableView *tableView, QAbstractButton *addButton,
                    QAbstractButton *removeButton);
    void setLocationChooser(LocationChooser chooser);

    // The chooser Trovia uses: one non-native file dialog whose view takes desktop entries and
    // folders, several at once.
    static std::optional<QStringList> chooseLocationsWithFileDialog(QWidget *parent);

public Q_SLOTS:
    void addLocation();
    void removeSelectedLocation();
    void tableViewSelectionDidChange();

private:
    QList<int> selectedRows() const;

    ExcludedLocations &locations;
    QPointer<QTableView> tableView;
    QPointer<QAbstractButton> addButton;
    QPointer<QAbstractButton> removeButton;
    LocationChooser chooser;
    // The rows selected when the list last began to change.
    QList<int> selectedBeforeChange;
};
