// What Qt Widgets alone costs: a frameless window with a field and a list of N names, filtered as
// the user types, and nothing else. The latency harness measures it beside Trovia, so Trovia's
// start-up time and memory compare with the floor under any Qt Widgets launcher.
//   qt_widgets_floor [N]
#include "SyntheticNames.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << syntheticName(i);
    QStringListModel model(names);
    QSortFilterProxyModel filter;
    filter.setSourceModel(&model);
    filter.setFilterCaseSensitivity(Qt::CaseInsensitive);

    QWidget window(nullptr, Qt::FramelessWindowHint);
    auto *field = new QLineEdit(&window);
    auto *list = new QListView(&window);
    list->setModel(&filter);
    list->setUniformItemSizes(true);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    layout->addWidget(list);
    QObject::connect(field, &QLineEdit::textChanged, &filter,
                     &QSortFilterProxyModel::setFilterFixedString);
    window.resize(600, 400);
    window.show();
    field->setFocus();
    return application.exec();
}
