// Query entry and selection, and the catalogue upkeep behind them.
#include "catalogue/Catalogue.h"
#include "catalogue/Matching.h"
#include "catalogue/UsageLogger.h"
#include "core/LocalizedStrings.h"
#include "core/PreferencesDefaults.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "launcher/Controller.h"
#include "presentation/ResultListModel.h"
#include "presentation/ResultListWindow.h"
#include "presentation/TroviaProgressIndicator.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QInputMethod>
#include <QLineEdit>
#include <QTableView>

void Controller::userDidType(QObject *sender)
{
    // Text fields elsewhere in Trovia (the Preferences) do not touch the matching list.
    if (sender != field)
        return;
    showListForTypedCharacters();
    table->scrollToTop();
    field->update();
}

void Controller::showListForTypedCharacters()
{
    buildMatchingApplicationList();
    if (matching.isEmpty()) {
        // The table keeps its earlier rows, hidden; nothing reads them while the list is empty.
        hideList();
    } else {
        model->setApplications(matching);
        showList();
        selectRow(0);
    }
    announceSelection(true);
    validateMenus();
}

void Controller::showList()
{
    setupListFrame();
    listPanel->attach();
}

void Controller::hideList()
{
    if (listPanel)
        listPanel->detach();
}

int Controller::selectedRow() const
{
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void Controller::selectRow(int row)
{
    // Selecting row 0 of an empty table selects nothing.
    if (row < 0 || row >= model->rowCount())
        return;
    table->selectRow(row);
}

void Controller::moveDown()
{
    moveSelection(1);
}

void Controller::moveUp()
{
    moveSelection(-1);
}

void Controller::movePageDown()
{
    moveSelection(visibleRowCount());
}

void Controller::movePageUp()
{
    moveSelection(-visibleRowCount());
}

void Controller::moveSelection(int rows)
{
    // No wrap-around: the ends stop the selection.
    const int row = selectedRow();
    if (row < 0) {
        selectRow(0);
    } else {
        const int target = qBound(0, row + rows, model->rowCount() - 1);
        if (target != row) {
            selectRow(target);
            table->scrollTo(model->index(target, 0));
        }
    }
    announceSelection(false);
    validateMenus();
}

int Controller::visibleRowCount() const
{
    const int rowHeight = table->verticalHeader()->defaultSectionSize();
    return qMax(1, table->viewport()->height() / qMax(1, rowHeight));
}

void Controller::announceSelection(bool listChanged)
{
    // The focus never leaves the field, so a screen reader hears about the list through the
    // field's description: it speaks each change of the focused object's description.
    QString announcement;
    if (stringByDeletingSpaces(field->text()).isEmpty()) {
        announcement = fieldHelp;
    } else if (matching.isEmpty()) {
        announcement = LocalizedStrings::text(QStringLiteral("NoMatchAnnouncement"));
    } else {
        announcement = model->announcement(selectedRow());
        if (listChanged)
            announcement = LocalizedStrings::text(QStringLiteral("MatchCountAnnouncement"))
                               .arg(QString::number(matching.size()), announcement);
    }
    field->setAccessibleDescription(announcement);
}

void Controller::userCancelled()
{
    // Spaces do not count as text: the deactivation that follows hiding clears them.
    if (stringByDeletingSpaces(field->text()).isEmpty())
        hide();
    else
        reset();
}

void Controller::reset()
{
    // A half-composed character is finished before the field empties.
    QGuiApplication::inputMethod()->commit();
    field->setText(QString());
    showListForTypedCharacters();
    field->setFocus(Qt::OtherFocusReason);
}

void Controller::buildMatchingApplicationList()
{
    const bool includeClassic = PreferencesDefaults::includeClassicApps(services.settings);
    matching = ::buildMatchingApplicationList(
        field->text(), apps->matchingIndex(),
        [&](const Application &app) {
            return Catalogue::shouldDisplayApplication(app, excluded, includeClassic);
        },
        [this](const QString &path) { return services.usageLog.usageForApplicationAtPath(path); });
}

void Controller::rebuildMatchingApplicationList()
{
    // Showing the list builds the matching list from the field's text; once is enough.
    showListForTypedCharacters();
}

void Controller::rebuildApplicationList()
{
    // On the worker; catalogueBuildLanded matches the typed text again.
    apps->startBuild();
}

void Controller::catalogueBuildLanded()
{
    progressIndicator->stopAnimation();
    field->update();
    // The old records go with the old matching list; a reload selects row 0.
    showListForTypedCharacters();
}

void Controller::refreshIfApplicationsChanged()
{
    apps->startBuildIfApplicationsChanged();
}

void Controller::refreshFromTimer()
{
    refreshIfApplicationsChanged();
}

void Controller::getExcludedLocations()
{
    excluded = services.settings.stringList(ExcludedLocationsKey);
}

void Controller::excludedLocationsChanged()
{
    getExcludedLocations();
    rebuildMatchingApplicationList();
}
