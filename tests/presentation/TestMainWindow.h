#pragma once

#include "presentation/ResultListWindow.h"
#include "presentation/TroviaView.h"
#include "presentation/TroviaWindow.h"

#include <QLineEdit>

// A main window laid out as the tests expect: a 400x60 view with the field at (20, 15), 200x30,
// and its result list window, which the main window owns.
inline TroviaWindow *makeMainWindow(WindowSystem &windowSystem, const TroviaRect &frame,
                                    QLineEdit **field, ResultListWindow **list)
{
    auto *window = new TroviaWindow(windowSystem, frame);
    auto *view = new TroviaView;
    view->setFixedSize(400, 60);
    *field = new QLineEdit(view);
    (*field)->setGeometry(20, 15, 200, 30);
    window->setContentView(view);
    *list = new ResultListWindow(window, *field);
    return window;
}
