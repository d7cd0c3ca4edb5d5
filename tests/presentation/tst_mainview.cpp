#include "presentation/MainView.h"
#include "presentation/TroviaProgressIndicator.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

class TestMainView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The layout the list geometry and the look rely on.
    void mainViewLayout()
    {
        MainView main;
        QVERIFY(!main.troviaLabel()->text().isEmpty());
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QRect view = main.rect();
        const QRect field = main.textField()->geometry();
        const QRect label = main.troviaLabel()->geometry();
        const QRect indicator = main.progressIndicator()->geometry();
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
};

QTEST_MAIN(TestMainView)
#include "tst_mainview.moc"
