#pragma once

#include <QUiLoader>

class QLabel;
class QLineEdit;
class TroviaProgressIndicator;
class TroviaView;

// Loads Trovia's Designer interfaces from its resource folder, creating its own widget classes
// (TroviaView, TroviaProgressIndicator, TroviaTableView, PreferencesWindow) where a .ui file names
// them.
class InterfaceLoader : public QUiLoader
{
    Q_OBJECT

public:
    explicit InterfaceLoader(QObject *parent = nullptr);

    QWidget *createWidget(const QString &className, QWidget *parent = nullptr,
                          const QString &name = QString()) override;

    // The root widget of the resource fileName (e.g. "Preferences.ui"); nullptr, with the log line
    // "Failed loading <fileName>", when the file is missing or unreadable.
    QWidget *loadInterface(const QString &fileName, QWidget *parentWidget = nullptr);
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
