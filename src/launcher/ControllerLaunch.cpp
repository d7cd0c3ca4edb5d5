// Launching and revealing the selected application.
#include "catalogue/Catalogue.h"
#include "catalogue/UsageLogger.h"
#include "core/LocalizedStrings.h"
#include "launcher/Controller.h"
#include "platform/xdg/ApplicationLauncher.h"
#include "platform/xdg/FileRevealer.h"
#include "presentation/TroviaWindow.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTableView>

ApplicationRef Controller::selectedApplication() const
{
    if (matching.isEmpty() || field->text().isEmpty())
        return {};
    const int row = selectedRow();
    return row >= 0 && row < matching.size() ? matching.at(row) : ApplicationRef();
}

void Controller::userConfirmed(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ControlModifier) {
        showSelectionInFinder();
        return;
    }
    const ApplicationRef app = selectedApplication();
    if (!app)
        return;
    if (services.launcher.launch(app->file())) {
        services.usageLog.applicationAtPathLaunched(app->path());
        // On X11 the launched program often takes no focus; Trovia must not stay on screen.
        hide();
        return;
    }
    showAlert(QStringLiteral("CouldNotLaunchAppTitle"), QStringLiteral("CouldNotLaunchAppMessage"));
    // The entry may have been moved or removed: rebuild, and match the text still typed.
    rebuildApplicationList();
}

void Controller::showSelectionInFinder()
{
    const ApplicationRef app = selectedApplication();
    if (!app)
        return;
    services.revealer.reveal(app->url());
    hide();
}

void Controller::showAlert(const QString &titleKey, const QString &messageKey)
{
    const QString title = LocalizedStrings::text(titleKey);
    QMessageBox alert(QMessageBox::Warning, title, title, QMessageBox::Ok, window);
    alert.setInformativeText(LocalizedStrings::text(messageKey));
    alert.setWindowModality(Qt::ApplicationModal);
    alert.exec();
}
