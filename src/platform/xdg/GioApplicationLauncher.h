#pragma once

#include "platform/ApplicationLauncher.h"

// The real launcher: GIO for launching, the icon theme for icons.
class GioApplicationLauncher : public ApplicationLauncher
{
public:
    bool launch(const QByteArray &entryFile) override;
    QIcon icon(const QString &iconName) override;
};
