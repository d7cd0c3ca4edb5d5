#include "core/SystemLog.h"

#include <cstdio>

void systemLog(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}
