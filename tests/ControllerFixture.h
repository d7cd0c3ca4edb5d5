#pragma once

#include "FakeApplicationRegistry.h"
#include "TestServices.h"
#include "catalogue/Catalogue.h"
#include "launcher/Controller.h"
#include "launcher/Menus.h"
#include "launcher/QuerySession.h"
#include "preferences/PreferencesController.h"
#include "presentation/ResultListWindow.h"
#include "presentation/TroviaTableView.h"
#include "presentation/TroviaWindow.h"

#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A Controller over a run's services in a temporary home and a fake registry, started as main()
// starts it, with what the tests reach inside it (the program itself never asks for these).
class ControllerFixture : public QObject
{
protected:
    QTemporaryDir home;
    FakeApplicationRegistry registry;
    std::unique_ptr<TestServices> run;
    std::unique_ptr<Controller> controller;

    // A fresh Controller, started; returns once its window is active and the first build, on
    // the worker, has landed.
    void startController()
    {
        controller = std::make_unique<Controller>(registry, run->services());
        controller->applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
        QTRY_VERIFY(!controller->catalogue().isBuilding());
    }

    QuerySession &query() const { return *controller->session; }
    const ApplicationList &matchingApps() const { return controller->session->matchingApps(); }
    ApplicationRef selectedApplication() const
    {
        return controller->session->selectedApplication();
    }
    TroviaWindow *mainWindow() const { return controller->window; }
    QLineEdit *textField() const { return controller->field; }
    ResultListWindow *listWindow() const { return controller->listPanel; }
    QTableView *list() const { return controller->listPanel->tableView(); }
    QMenu *contextMenu() const { return controller->menus->contextMenu(); }
    QAction *showInFileManagerAction() const
    {
        return controller->menus->showInFileManagerAction();
    }
    QAction *excludeAction() const { return controller->menus->excludeAction(); }
    bool validateMenuItem(const QAction *item) const
    {
        return controller->menus->validateMenuItem(item);
    }
    PreferencesController *preferencesController() const
    {
        return controller->prefController.get();
    }

    // The names of the listed applications, in the list's order.
    QStringList listedNames() const
    {
        QStringList names;
        for (const ApplicationRef &app : matchingApps())
            names << app->displayName();
        return names;
    }
    // The one selected row; -1 when none (or more) is selected.
    int selectedRow() const
    {
        const QModelIndexList rows = list()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
};
