// The main view, the result list window and the window's appearance.
#include "core/LocalizedStrings.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "launcher/Controller.h"
#include "launcher/QuerySession.h"
#include "presentation/MainView.h"
#include "presentation/ResultListModel.h"
#include "presentation/ResultListWindow.h"
#include "presentation/TroviaProgressIndicator.h"
#include "presentation/TroviaTableView.h"
#include "presentation/TroviaView.h"
#include "presentation/TroviaWindow.h"
#include "presentation/WindowAppearance.h"

#include <QLineEdit>

void Controller::loadMainView()
{
    mainView = new MainView;
    field = mainView->textField();
}

void Controller::createListView()
{
    listPanel = new ResultListWindow(window, field);
    listPanel->setWindowTitle(QStringLiteral("Trovia Results"));
    listPanel->tableView()->setAccessibleName(
        LocalizedStrings::text(QStringLiteral("ResultListName")));
    listPanel->model()->setIconSource(&services.launcher);
    session->attach(field, listPanel);
    // One click launches the row, Ctrl+click reveals it.
    connect(listPanel->tableView(), &TroviaTableView::rowClicked, session,
            [this](int, Qt::KeyboardModifiers modifiers) { session->userConfirmed(modifiers); });
}

void Controller::windowAppearanceChanged()
{
    const Settings &settings = services.settings;
    WindowAppearance::apply(mainView, mainView->troviaLabel(), settings.value(WindowColorKey),
                            settings.value(WindowStyleKey));
    // The Preferences also change the list's height: a shown list takes it at once.
    if (listPanel && listPanel->isVisible())
        session->setupListFrame();
}
