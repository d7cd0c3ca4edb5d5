#include "core/ResourcePaths.h"
#include "presentation/InterfaceLoader.h"
#include "presentation/TroviaProgressIndicator.h"
#include "presentation/TroviaView.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

// Every interface description Trovia ships loads, and the main view holds what the code reaches.
// The Preferences' own classes live in a folder above this one: their base classes stand in.
std::unique_ptr<InterfaceLoader> loaderForEveryFile()
{
    auto loader = std::make_unique<InterfaceLoader>();
    loader->registerClass("PreferencesWindow", [](QWidget *parent) { return new QDialog(parent); });
    loader->registerClass("HotKeyRecorder", [](QWidget *parent) { return new QLineEdit(parent); });
    return loader;
}

class TestInterfaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyInterfaceLoads_data()
    {
        QTest::addColumn<QString>("fileName");
        const QStringList files = QDir(resourceDirectory()).entryList({"*.ui"}, QDir::Files);
        QVERIFY(files.contains("MainView.ui"));
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << file;
    }

    void everyInterfaceLoads()
    {
        QFETCH(QString, fileName);
        // An unknown class or property shows as a warning of the loader.
        QTest::failOnWarning(QRegularExpression(".*"));
        const auto loader = loaderForEveryFile();
        std::unique_ptr<QWidget> root(loader->loadRoot<QWidget>(fileName));
        QVERIFY2(root, qPrintable(loader->errorString()));
    }

    // Every widget the code looks up by name is there, of the type the code takes it as.
    void interfacesHoldWhatTheCodeReaches_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("className");
        const QList<std::pair<const char *, QStringList>> reached{
            {"MainView.ui",
             {"mainView TroviaView", "textField QLineEdit", "troviaLabel QLabel",
              "progressIndicator TroviaProgressIndicator"}},
            {"Preferences.ui",
             {"PreferencesWindow QDialog",
              "hotKeyField QLineEdit",
              "hotKeyErrorField QLabel",
              "hotKeyCommandModifierButton QCheckBox",
              "hotKeyShiftModifierButton QCheckBox",
              "hotKeyOptionModifierButton QCheckBox",
              "hotKeyControlModifierButton QCheckBox",
              "windowStyleMatrix QWidget",
              "colorPopUpButton QComboBox",
              "maximumListHeightSpinBox QSpinBox",
              "openAtLoginButton QCheckBox",
              "excludeClassicAppsButton QCheckBox",
              "matchMoreThanNamesButton QCheckBox",
              "excludedLocationsTable QTableView",
              "addLocationButton QAbstractButton",
              "removeLocationButton QAbstractButton",
              "buttonBox QDialogButtonBox",
              "hotKeyLabel QLabel",
              "modifiersLabel QLabel",
              "styleLabel QLabel",
              "colorLabel QLabel",
              "listHeightLabel QLabel"}},
            {"ExclusionMessagePanel.ui",
             {"exclusionMessagePanel QDialog", "exclusionMessageFlag QCheckBox",
              "closeMessagePanelButton QAbstractButton"}},
        };
        for (const auto &[file, widgets] : reached) {
            for (const QString &widget : widgets) {
                const QString name = widget.section(' ', 0, 0);
                QTest::newRow(qPrintable(QString(file) + ' ' + name))
                    << file << name << widget.section(' ', 1);
            }
        }
    }

    void interfacesHoldWhatTheCodeReaches()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, objectName);
        QFETCH(QString, className);
        const auto loader = loaderForEveryFile();
        std::unique_ptr<QWidget> root(loader->loadRoot<QWidget>(fileName));
        QVERIFY(root);
        QObject *found =
            root->objectName() == objectName ? root.get() : root->findChild<QObject *>(objectName);
        QVERIFY2(found, qPrintable(objectName));
        QVERIFY2(found->inherits(qPrintable(className)), found->metaObject()->className());
    }

    // The layout the list geometry and the look rely on.
    void mainViewLayout()
    {
        const MainView main = MainView::load();
        std::unique_ptr<QWidget> owner(main.view);
        QVERIFY(main.view && main.textField && main.troviaLabel && main.progressIndicator);
        QVERIFY(!main.troviaLabel->text().isEmpty());
        main.view->show();
        QVERIFY(QTest::qWaitForWindowExposed(main.view));
        const QRect view = main.view->rect();
        const QRect field = main.textField->geometry();
        const QRect label = main.troviaLabel->geometry();
        const QRect indicator = main.progressIndicator->geometry();
        QVERIFY(view.contains(field));
        QVERIFY(view.contains(label));
        QVERIFY(label.x() + label.width() <= field.x());
        // Field centred vertically, the indicator inside its right end.
        QVERIFY(qAbs(field.center().y() - view.center().y()) <= 1);
        QVERIFY(field.contains(indicator));
        QVERIFY(indicator.x() > field.center().x());
        // The field leaves room for the list's icon column to its left (16 - 8 + spacing).
        QVERIFY(field.x() >= 12);
    }

    void failedLoadIsLogged()
    {
        QTest::ignoreMessage(QtWarningMsg, "Failed loading Missing.ui");
        InterfaceLoader loader;
        QVERIFY(!loader.loadRoot<QWidget>("Missing.ui"));
    }
};

QTEST_MAIN(TestInterfaces)
#include "tst_interfaces.moc"
