// Keeping the catalogue up to date, excluding the selection, and what the menus and tests reach
// through the Controller.
#include "catalogue/Catalogue.h"
#include "core/ExcludedLocations.h"
#include "core/LocalizedStrings.h"
#include "launcher/Controller.h"
#include "launcher/ExclusionMessagePanel.h"
#include "launcher/Menus.h"
#include "launcher/QuerySession.h"
#include "presentation/MainView.h"
#include "presentation/TroviaProgressIndicator.h"
#include "presentation/TroviaWindow.h"

#include <QLineEdit>
#include <QMessageBox>

void Controller::rebuildApplicationList()
{
    // On the worker; catalogueBuildLanded matches the typed text again.
    apps->startBuild();
}

void Controller::catalogueBuildLanded()
{
    mainView->progressIndicator()->stopAnimation();
    field->update();
    // The old records go with the old matching list and rows; a reload selects row 0.
    session->showListForTypedCharacters();
}

void Controller::refreshIfApplicationsChanged()
{
    apps->startBuildIfApplicationsChanged();
}

void Controller::refreshFromTimer()
{
    refreshIfApplicationsChanged();
}

void Controller::excludeSelection()
{
    const ApplicationRef app = session->selectedApplication();
    if (!app)
        return;
    // Synchronous: the list has dropped the application when this returns.
    services.excludedLocations.addPath(app->usageKey());
    exclusionPanel->showMessageIfAppropriate(window);
}

void Controller::showAlert(const QString &titleKey, const QString &messageKey)
{
    const QString title = LocalizedStrings::text(titleKey);
    QMessageBox alert(QMessageBox::Warning, title, title, QMessageBox::Ok, window);
    alert.setInformativeText(LocalizedStrings::text(messageKey));
    alert.setWindowModality(Qt::ApplicationModal);
    alert.exec();
}
