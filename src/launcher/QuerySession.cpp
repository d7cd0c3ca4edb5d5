#include "launcher/QuerySession.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Matching.h"
#include "catalogue/UsageLogger.h"
#include "core/ExcludedLocations.h"
#include "core/LocalizedStrings.h"
#include "core/PreferencesDefaults.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "platform/ApplicationLauncher.h"
#include "platform/FileRevealer.h"
#include "presentation/ResultListModel.h"
#include "presentation/ResultListWindow.h"
#include "presentation/ScreenReaderAnnouncer.h"
#include "presentation/TroviaTableView.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QInputMethod>
#include <QLineEdit>

QuerySession::QuerySession(Catalogue &source, const Services &runServices, QObject *parent)
    : QObject(parent), catalogue(source), services(runServices)
{
    matching.reserve(5);
}

void QuerySession::attach(QLineEdit *queryField, ResultListWindow *list)
{
    field = queryField;
    listPanel = list;
    table = list->tableView();
    model = list->model();
    screenReader = new ScreenReaderAnnouncer(field, this);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QuerySession::selectionChanged);
}

void QuerySession::userDidType()
{
    showListForTypedCharacters();
    table->scrollToTop();
    field->update();
}

void QuerySession::showListForTypedCharacters()
{
    buildMatchingApplicationList();
    if (matching.isEmpty()) {
        // The rows go with the list: the records of a build share one block, so one row kept
        // would keep a replaced catalogue whole.
        if (model->rowCount() > 0)
            model->setApplications({}, QString());
        hideList();
    } else {
        model->setApplications(matching, field->text());
        showList();
        selectRow(0);
    }
    announceSelection(true);
    Q_EMIT selectionChanged();
}

void QuerySession::showList()
{
    setupListFrame();
    listPanel->attach();
}

void QuerySession::hideList()
{
    if (listPanel)
        listPanel->detach();
}

void QuerySession::setupListFrame()
{
    if (!listPanel)
        return;
    listPanel->setMaximumListHeight(services.settings.value(MaximumListHeightKey));
    listPanel->setupListFrame();
}

int QuerySession::selectedRow() const
{
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void QuerySession::selectRow(int row)
{
    // Selecting row 0 of an empty table selects nothing.
    if (row < 0 || row >= model->rowCount())
        return;
    table->selectRow(row);
}

void QuerySession::moveDown()
{
    moveSelection(1);
}

void QuerySession::moveUp()
{
    moveSelection(-1);
}

void QuerySession::movePageDown()
{
    moveSelection(visibleRowCount());
}

void QuerySession::movePageUp()
{
    moveSelection(-visibleRowCount());
}

void QuerySession::moveSelection(int rows)
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
    Q_EMIT selectionChanged();
}

int QuerySession::visibleRowCount() const
{
    const int rowHeight = table->verticalHeader()->defaultSectionSize();
    return qMax(1, table->viewport()->height() / qMax(1, rowHeight));
}

void QuerySession::announceSelection(bool listChanged)
{
    // The focus never leaves the field, so the screen reader is told about the list. An empty
    // field has no list: what was still to be said is stale.
    QString announcement;
    if (stringByDeletingSpaces(field->text()).isEmpty()) {
        screenReader->cancel();
        return;
    }
    // A count not yet spoken stays in what replaces it.
    listChanged = listChanged || (countPending && screenReader->isPending());
    countPending = listChanged;
    if (matching.isEmpty()) {
        announcement = LocalizedStrings::text(QStringLiteral("NoMatchAnnouncement"));
    } else {
        announcement = model->announcement(selectedRow());
        if (listChanged)
            announcement = LocalizedStrings::text(QStringLiteral("MatchCountAnnouncement"))
                               .arg(QString::number(matching.size()), announcement);
    }
    screenReader->announce(announcement);
}

void QuerySession::userCancelled()
{
    // Spaces do not count as text: the deactivation that follows hiding clears them.
    if (stringByDeletingSpaces(field->text()).isEmpty())
        Q_EMIT hideRequested();
    else
        reset();
}

void QuerySession::reset()
{
    // A half-composed character is finished before the field empties.
    QGuiApplication::inputMethod()->commit();
    field->setText(QString());
    showListForTypedCharacters();
    field->setFocus(Qt::OtherFocusReason);
}

ApplicationRef QuerySession::selectedApplication() const
{
    if (matching.isEmpty() || field->text().isEmpty())
        return {};
    const int row = selectedRow();
    return row >= 0 && row < matching.size() ? matching.at(row) : ApplicationRef();
}

bool QuerySession::hasOneSelectedRow() const
{
    const QItemSelectionModel *selection = table ? table->selectionModel() : nullptr;
    return !matching.isEmpty() && selection && selection->selectedRows().size() == 1;
}

void QuerySession::userConfirmed(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ControlModifier) {
        showSelectionInFinder();
        return;
    }
    const ApplicationRef app = selectedApplication();
    if (!app)
        return;
    const bool launched = app->isAction()
                              ? services.launcher.launchAction(app->file(), app->actionId())
                              : services.launcher.launch(app->file());
    if (launched) {
        services.usageLog.applicationAtPathLaunched(app->usageKey());
        // On X11 the launched program often takes no focus; Trovia must not stay on screen.
        Q_EMIT applicationOpened();
        return;
    }
    Q_EMIT launchFailed();
}

void QuerySession::showSelectionInFinder()
{
    const ApplicationRef app = selectedApplication();
    if (!app)
        return;
    services.revealer.reveal(app->url());
    Q_EMIT applicationOpened();
}

void QuerySession::buildMatchingApplicationList()
{
    const bool includeClassic = PreferencesDefaults::includeClassicApps(services.settings);
    matching = ::buildMatchingApplicationList(
        field->text(), catalogue.matchingIndex(),
        [&](const Application &app) {
            return Catalogue::shouldDisplayApplication(app, excluded, includeClassic);
        },
        [this](const QString &path) { return services.usageLog.usageForApplicationAtPath(path); },
        PreferencesDefaults::matchMoreThanNames(services.settings) ? MatchScope::NamesAndMore
                                                                   : MatchScope::Names);
}

void QuerySession::rebuildMatchingApplicationList()
{
    // Showing the list builds the matching list from the field's text; once is enough.
    showListForTypedCharacters();
}

void QuerySession::getExcludedLocations()
{
    excluded = services.excludedLocations.locations();
}

void QuerySession::excludedLocationsChanged()
{
    getExcludedLocations();
    rebuildMatchingApplicationList();
}
