#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

// Collects what the process writes to standard error (Trovia's system log) while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        std::fflush(stderr);
        if (file.open()) {
            saved = dup(STDERR_FILENO);
            dup2(file.handle(), STDERR_FILENO);
        }
    }
    ~StderrCapture() { restore(); }

    // Everything written so far; standard error goes back to where it was.
    QString text()
    {
        restore();
        QFile read(file.fileName());
        return read.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(read.readAll()) : QString();
    }
    QStringList lines() { return text().split('\n', Qt::SkipEmptyParts); }

private:
    void restore()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        saved = -1;
    }

    QTemporaryFile file;
    int saved = -1;
};
