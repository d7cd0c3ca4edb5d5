#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

// Collects what is written to standard error (the system log) while it exists.
class StderrCapture
{
public:
    StderrCapture()
    {
        file.open();
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        dup2(file.handle(), STDERR_FILENO);
    }
    ~StderrCapture()
    {
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
    }

    QStringList lines()
    {
        std::fflush(stderr);
        QFile read(file.fileName());
        read.open(QIODevice::ReadOnly);
        return QString::fromLocal8Bit(read.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryFile file;
    int saved = -1;
};
