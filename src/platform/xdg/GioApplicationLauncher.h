#pragma once

#include "platform/ApplicationLauncher.h"

// The real launcher: GIO for launching, the icon theme for icons.
class GioApplicationLauncher : public ApplicationLauncher
{
public:
    bool launch(const QByteArray &entryFile) override;
    bool launchAction(const QByteArray &entryFile, const QString &actionId) override;
    QIcon icon(const QString &iconName) override;

private:
    static bool launchEntry(const QByteArray &entryFile, const QString &actionId);
};
