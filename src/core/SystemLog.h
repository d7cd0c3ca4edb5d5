#pragma once

#include <QString>

// One plain line on standard error; the session journal keeps it.
void systemLog(const QString &line);
