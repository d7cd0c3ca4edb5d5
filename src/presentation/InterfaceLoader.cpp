#include "InterfaceLoader.h"

#include "PreferencesController.h"
#include "PreferencesWindow.h"
#include "ResourcePaths.h"
#include "SystemLog.h"
#include "TroviaProgressIndicator.h"
#include "TroviaTableView.h"
#include "TroviaView.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>

InterfaceLoader::InterfaceLoader(QObject *parent) : QUiLoader(parent) {}

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
