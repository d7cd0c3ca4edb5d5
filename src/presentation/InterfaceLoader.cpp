#include "InterfaceLoader.h"

#include "PreferencesController.h"
#include "PreferencesWindow.h"
#include "ResourcePaths.h"
#include "SystemLog.h"
#include "TroviaProgressIndicator.h"
#include "TroviaTableView.h"
#include "TroviaView.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace
{
// Trovia's interfaces use no Designer plugins, yet a QUiLoader loads every installed one (Qt
// Quick's widget: megabytes of a resident Trovia, milliseconds of its start) as it is made, from
// the library paths. They are hidden from it for that moment.
QStringList libraryPathsDuringLoaderConstruction;

QObject *hidingLibraryPaths(QObject *parent)
{
    libraryPathsDuringLoaderConstruction = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    return parent;
}
} // namespace

InterfaceLoader::InterfaceLoader(QObject *parent) : QUiLoader(hidingLibraryPaths(parent))
{
    QCoreApplication::setLibraryPaths(libraryPathsDuringLoaderConstruction);
    clearPluginPaths();
}

QWidget *InterfaceLoader::createWidget(const QString &className, QWidget *parent,
                                       const QString &name)
{
    QWidget *widget = nullptr;
    if (className == QLatin1String("TroviaView"))
        widget = new TroviaView(parent);
    else if (className == QLatin1String("TroviaProgressIndicator"))
        widget = new TroviaProgressIndicator(parent);
    else if (className == QLatin1String("TroviaTableView"))
        widget = new TroviaTableView(parent);
    else if (className == QLatin1String("PreferencesWindow"))
        widget = new PreferencesWindow(parent);
    else
        return QUiLoader::createWidget(className, parent, name);
    widget->setObjectName(name);
    return widget;
}

QWidget *InterfaceLoader::loadInterface(const QString &fileName, QWidget *parentWidget)
{
    QFile file(resourcePath(fileName));
    QWidget *root = file.open(QIODevice::ReadOnly) ? load(&file, parentWidget) : nullptr;
    if (!root)
        systemLog(QStringLiteral("Failed loading %1").arg(fileName));
    return root;
}

MainView MainView::load(QWidget *parentWidget)
{
    InterfaceLoader loader;
    MainView main;
    QWidget *root = loader.loadInterface(QStringLiteral("MainView.ui"), parentWidget);
    main.view = qobject_cast<TroviaView *>(root);
    if (!main.view) {
        delete root;
        return main;
    }
    main.textField = main.view->findChild<QLineEdit *>(QStringLiteral("textField"));
    main.troviaLabel = main.view->findChild<QLabel *>(QStringLiteral("troviaLabel"));
    main.progressIndicator =
        main.view->findChild<TroviaProgressIndicator *>(QStringLiteral("progressIndicator"));
    return main;
}
