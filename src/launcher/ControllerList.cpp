// The main view, the result list window and the window's appearance.
#include "Controller.h"
#include "InterfaceLoader.h"
#include "LocalizedStrings.h"
#include "ResultListModel.h"
#include "ResultListWindow.h"
#include "TroviaProgressIndicator.h"
#include "TroviaTableView.h"
#include "TroviaView.h"
#include "TroviaWindow.h"
#include "WindowAppearance.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

void Controller::loadMainView()
{
    const MainView loaded = MainView::load();
    mainView = loaded.view;
    field = loaded.textField;
    troviaLabel = loaded.troviaLabel;
    progressIndicator = loaded.progressIndicator;
    if (mainView && field && troviaLabel && progressIndicator) {
        fieldHelp = field->accessibleDescription();
        return;
    }
    // Without its interface description Trovia still has to work: the same view, plainly laid out.
    delete mainView;
    mainView = new TroviaView;
    mainView->setFixedSize(400, 60);
    auto *layout = new QHBoxLayout(mainView);
    layout->setContentsMargins(16, 0, 16, 0);
    troviaLabel = new QLabel(QStringLiteral("Trovia"), mainView);
    field = new QLineEdit(mainView);
    field->setObjectName(QStringLiteral("textField"));
    progressIndicator = new TroviaProgressIndicator(mainView);
    layout->addWidget(troviaLabel);
    layout->addWidget(field, 1);
    layout->addWidget(progressIndicator);
}

void Controller::createListView()
{
    listPanel = new ResultListWindow(window, field);
    listPanel->setWindowTitle(QStringLiteral("Trovia Results"));
    table = listPanel->tableView();
    table->setAccessibleName(LocalizedStrings::text(QStringLiteral("ResultListName")));
    model = listPanel->model();
    // One click launches the row, Ctrl+click reveals it.
    connect(listPanel->tableView(), &TroviaTableView::rowClicked, this,
            [this](int, Qt::KeyboardModifiers modifiers) { userConfirmed(modifiers); });
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Controller::validateMenus);
}

void Controller::setClassicIconOnList()
{
    model->setClassicIcon(classicIcon);
}

void Controller::setupListFrame()
{
    if (listPanel)
        listPanel->setupListFrame();
}

void Controller::windowAppearanceChanged()
{
    WindowAppearance::applyStoredAppearance(mainView, troviaLabel);
    // The Preferences also change the list's height: a shown list takes it at once.
    if (listPanel && listPanel->isVisible())
        setupListFrame();
}
