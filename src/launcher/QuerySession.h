#pragma once

#include "catalogue/Application.h"
#include "launcher/Services.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Catalogue;
class QLineEdit;
class QTableView;
class ResultListModel;
class ResultListWindow;
class ScreenReaderAnnouncer;

// The query session: what is typed in the field becomes the matching list, shown in the result
// list under the field with one row selected, and the selected application is launched or revealed.
// The focus never leaves the field; a screen reader hears about the list through announcements.
class QuerySession : public QObject
{
    Q_OBJECT
public:
    // Neither the catalogue nor the services are owned.
    QuerySession(Catalogue &catalogue, const Services &services, QObject *parent = nullptr);

    // The field and the list under it (neither owned).
    void attach(QLineEdit *field, ResultListWindow *list);

    void userDidType();
    void showListForTypedCharacters();
    void showList();
    void hideList();
    void moveDown();
    void moveUp();
    // Page Down and Page Up: by as many rows as the list shows, stopping at the ends.
    void movePageDown();
    void movePageUp();
    // Escape: clears the field, or, when nothing but spaces is typed, asks Trovia to hide.
    void userCancelled();
    void reset();

    // Launching and revealing. Ctrl held reveals instead of launching.
    void userConfirmed(Qt::KeyboardModifiers modifiers);
    void showSelectionInFinder();
    // The matching-list entry at the one selected row, when the field holds text; else null.
    ApplicationRef selectedApplication() const;
    // A non-empty matching list with one row selected: what revealing and excluding need.
    bool hasOneSelectedRow() const;

    void buildMatchingApplicationList();
    void rebuildMatchingApplicationList();
    void getExcludedLocations();
    void excludedLocationsChanged();
    // Places the list under the field, at most the user's "Maximum List Height" rows high.
    void setupListFrame();

    const ApplicationList &matchingApps() const { return matching; }
    // What the screen reader is told about the list.
    ScreenReaderAnnouncer *announcer() const { return screenReader; }

Q_SIGNALS:
    void selectionChanged();
    // Escape on an empty field.
    void hideRequested();
    // An application was launched or revealed: Trovia gets out of the way.
    void applicationOpened();
    // The selected entry could not be launched.
    void launchFailed();

private:
    int selectedRow() const;
    void selectRow(int row);
    void moveSelection(int rows);
    int visibleRowCount() const;
    void announceSelection(bool listChanged);

    Catalogue &catalogue;
    Services services;
    ApplicationList matching;
    QStringList excluded;
    QLineEdit *field = nullptr;
    ResultListWindow *listPanel = nullptr;
    QTableView *table = nullptr;
    ResultListModel *model = nullptr;
    ScreenReaderAnnouncer *screenReader = nullptr;
    bool countPending = false;
};
