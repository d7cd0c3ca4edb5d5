#include "Application.h"

#include "ApplicationLauncher.h"
#include "Matching.h"

#include <QFile>

Application::Application(const QUrl &url, const QString &displayName, bool isClassicApp,
                         const QString &iconName, const QByteArray &file)
    : entryUrl(url), entryPath(url.toLocalFile()),
      entryFile(file.isEmpty() ? QFile::encodeName(entryPath) : file), name(displayName),
      foldedSpacelessName(foldedForMatching(stringByDeletingSpaces(displayName))),
      foldedSpacedName(foldedForMatching(displayName)), entryIconName(iconName),
      classic(isClassicApp)
{
}

QString Application::path() const
{
    return entryPath;
}

QIcon Application::icon() const
{
    if (!iconFetched) {
        cachedIcon = ApplicationLauncher::current().icon(entryIconName);
        iconFetched = true;
    }
    return cachedIcon;
}

bool Application::launch() const
{
    return ApplicationLauncher::current().launch(entryFile);
}

qint64 Application::rank() const
{
    return (qint64(usageValue) + 1) * relevanceValue;
}

int Application::compareApplication(const Application &other) const
{
    const qint64 ownRank = rank();
    const qint64 otherRank = other.rank();
    if (ownRank != otherRank)
        return ownRank > otherRank ? -1 : 1;
    // Folded names: letter case never matters, code unit by code unit, so "10" sorts before "9".
    const int byName = foldedSpacedName.compare(other.foldedSpacedName);
    if (byName != 0)
        return byName < 0 ? -1 : 1;
    if (classic != other.classic)
        return classic ? 1 : -1;
    return 0;
}
