#pragma once

#include <QApplication>

// Trovia's application object: its names, and hiding that is not quitting.
class TroviaApplication : public QApplication
{
    Q_OBJECT
public:
    TroviaApplication(int &argc, char **argv);
};
