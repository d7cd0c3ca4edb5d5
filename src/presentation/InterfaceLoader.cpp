#include "presentation/InterfaceLoader.h"

#include "core/Logging.h"
#include "core/ResourcePaths.h"
#include "presentation/TroviaProgressIndicator.h"
#include "presentation/TroviaTableView.h"
#include "presentation/TroviaView.h"

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
    else if (const WidgetFactory factory = factories.value(className))
        widget = factory(parent);
    else
        return QUiLoader::createWidget(className, parent, name);
    widget->setObjectName(name);
    return widget;
}

void InterfaceLoader::registerClass(const QString &className, WidgetFactory factory)
{
    factories.insert(className, std::move(factory));
}

QWidget *InterfaceLoader::loadInterface(const QString &fileName, QWidget *parentWidget)
{
    QFile file(resourcePath(fileName));
    return file.open(QIODevice::ReadOnly) ? load(&file, parentWidget) : nullptr;
}

void InterfaceLoader::logFailure(const QLoggingCategory &category, const QString &name)
{
    qCWarning(category).noquote() << QStringLiteral("Failed loading %1").arg(name);
}

MainView MainView::load(QWidget *parentWidget)
{
    InterfaceLoader loader;
    MainView main;
    main.view = loader.loadRoot<TroviaView>(QStringLiteral("MainView.ui"), parentWidget);
    main.textField = InterfaceLoader::child<QLineEdit>(main.view, "textField");
    main.troviaLabel = InterfaceLoader::child<QLabel>(main.view, "troviaLabel");
    main.progressIndicator =
        InterfaceLoader::child<TroviaProgressIndicator>(main.view, "progressIndicator");
    return main;
}
