#pragma once

#include "core/Logging.h"

#include <QHash>
#include <QUiLoader>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class TroviaProgressIndicator;
class TroviaView;

// The one way Trovia loads its Designer interfaces from its resource folder. It creates Trovia's
// own view classes (TroviaView, TroviaProgressIndicator, TroviaTableView) where a .ui file names
// them, and any class a caller registers (the Preferences window and its hot-key recorder).
class InterfaceLoader : public QUiLoader
{
    Q_OBJECT

public:
    using WidgetFactory = std::function<QWidget *(QWidget *parent)>;

    explicit InterfaceLoader(QObject *parent = nullptr);

    void registerClass(const QString &className, WidgetFactory factory);

    QWidget *createWidget(const QString &className, QWidget *parent = nullptr,
                          const QString &name = QString()) override;

    // The root widget of the resource fileName (e.g. "Preferences.ui") when it is a Root; else
    // nullptr, with the log line "Failed loading <logName>" (logName defaults to fileName) in the
    // caller's category.
    template <class Root>
    Root *loadRoot(const QString &fileName, QWidget *parentWidget = nullptr,
                   const QString &logName = QString(),
                   const QLoggingCategory &category = lcPresentation())
    {
        QWidget *loaded = loadInterface(fileName, parentWidget);
        auto *root = qobject_cast<Root *>(loaded);
        if (!root) {
            delete loaded;
            logFailure(category, logName.isEmpty() ? fileName : logName);
        }
        return root;
    }

    // A widget the interface must have, by object name and class; nullptr when it lacks it.
    template <class Child> static Child *child(const QWidget *root, const char *objectName)
    {
        return root ? root->findChild<Child *>(QLatin1String(objectName)) : nullptr;
    }

private:
    QWidget *loadInterface(const QString &fileName, QWidget *parentWidget);
    static void logFailure(const QLoggingCategory &category, const QString &name);

    QHash<QString, WidgetFactory> factories;
};

// The main view and the widgets Trovia reaches in it, from MainView.ui.
struct MainView {
    TroviaView *view = nullptr; // "mainView"
    QLineEdit *textField = nullptr;
    QLabel *troviaLabel = nullptr;
    TroviaProgressIndicator *progressIndicator = nullptr;

    // Each member is null when the interface could not be loaded or lacks that widget.
    static MainView load(QWidget *parentWidget = nullptr);
};
