#pragma once

#include "platform/ApplicationLauncher.h"

struct LaunchRequest;

// The real launcher: GIO for launching, in the launch helper (trovia-launch), which starts for
// each launch; the icon theme for icons.
class GioApplicationLauncher : public ApplicationLauncher
{
public:
    // helperProgram: the launch helper's path; by default the one that came with this Trovia.
    explicit GioApplicationLauncher(QString helperProgram = installedHelper());

    bool launch(const QByteArray &entryFile) override;
    bool launchAction(const QByteArray &entryFile, const QString &actionId) override;
    QIcon icon(const QString &iconName) override;

    // Beside the executable (the build tree), else installed relative to it, else in the
    // configured prefix.
    static QString installedHelper();

private:
    bool launchThroughHelper(const LaunchRequest &request);

    QString helper;
};
