#include "catalogue/Application.h"

#include "catalogue/Matching.h"
#include "platform/ApplicationLauncher.h"

#include <QFile>

Application::Application(const QUrl &url, const QString &displayName, bool isClassicApp,
                         const QString &iconName, const QByteArray &file)
    : entryPath(url.toLocalFile()),
      entryFile(file == QFile::encodeName(entryPath) ? QByteArray() : file), name(displayName),
      foldedSpacelessName(foldedForMatching(stringByDeletingSpaces(displayName))),
      foldedSpacedName(foldedForMatching(displayName)), entryIconName(iconName),
      classic(isClassicApp)
{
}

QUrl Application::url() const
{
    return QUrl::fromLocalFile(entryPath);
}

QString Application::path() const
{
    return entryPath;
}

QByteArray Application::file() const
{
    return entryFile.isEmpty() ? QFile::encodeName(entryPath) : entryFile;
}

void Application::addAction(const QString &id, const QString &actionName)
{
    auto record = std::make_shared<Application>(url(), actionName, classic, entryIconName, file());
    record->action = id;
    record->actionKey = entryPath + QLatin1Char('#') + id;
    record->parentName = name;
    record->texts = {{TextKind::ActionName, actionName}};
    actionRecords.append(std::move(record));
}

QIcon Application::icon(ApplicationLauncher &source) const
{
    if (!iconFetched) {
        cachedIcon = source.icon(entryIconName);
        iconFetched = true;
    }
    return cachedIcon;
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
