#include "catalogue/Application.h"

#include "catalogue/Matching.h"
#include "platform/ApplicationLauncher.h"

#include <QFile>

Application::Application(const QUrl &url, const QString &displayName, bool isClassicApp,
                         const QString &iconName, const QByteArray &file)
    : Application(url.toLocalFile(), displayName, isClassicApp, iconName, file)
{
}

Application::Application(const QString &path, const QString &displayName, bool isClassicApp,
                         const QString &iconName, const QByteArray &file)
    : entryPath(path), name(displayName), entryIconName(iconName), classic(isClassicApp)
{
    if (!file.isEmpty() && file != QFile::encodeName(entryPath))
        extraFacts().file = file;
}

Application::Extra &Application::extraFacts()
{
    // A copied record shares them until one of the two changes them.
    if (!extra)
        extra = std::make_shared<Extra>();
    else if (extra.use_count() > 1)
        extra = std::make_shared<Extra>(*extra);
    return *extra;
}

QUrl Application::url() const
{
    return QUrl::fromLocalFile(entryPath);
}

QByteArray Application::file() const
{
    return extra && !extra->file.isEmpty() ? extra->file : QFile::encodeName(entryPath);
}

QList<Application::SearchText> Application::searchTexts() const
{
    QList<SearchText> result;
    for (qsizetype at = 0; at + 1 < packedTexts.size();) {
        const qsizetype length = packedTexts.at(at + 1).unicode();
        result.append({TextKind(packedTexts.at(at).unicode()), packedTexts.mid(at + 2, length)});
        at += 2 + length;
    }
    return result;
}

QString Application::searchText(int index) const
{
    for (qsizetype at = 0; at + 1 < packedTexts.size() && index >= 0; --index) {
        const qsizetype length = packedTexts.at(at + 1).unicode();
        if (index == 0)
            return packedTexts.mid(at + 2, length);
        at += 2 + length;
    }
    return {};
}

void Application::setSearchTexts(const QList<SearchText> &searchTexts)
{
    qsizetype length = 0;
    for (const SearchText &text : searchTexts)
        length += 2 + qMin<qsizetype>(text.text.size(), 0xffff);
    QString packed;
    packed.reserve(length);
    for (const SearchText &text : searchTexts) {
        // A length must fit its unit; no keyword comes near 65,535 characters.
        const QStringView kept = QStringView(text.text).left(0xffff);
        packed.append(QChar(char16_t(text.kind)));
        packed.append(QChar(char16_t(kept.size())));
        packed.append(kept);
    }
    packedTexts = packed;
}

const QList<std::shared_ptr<Application>> &Application::actions() const
{
    static const QList<std::shared_ptr<Application>> none;
    return extra ? extra->actionRecords : none;
}

void Application::addAction(const QString &id, const QString &actionName)
{
    auto record =
        std::make_shared<Application>(entryPath, actionName, classic, entryIconName, file());
    Extra &facts = record->extraFacts();
    facts.action = id;
    facts.actionKey = entryPath + QLatin1Char('#') + id;
    facts.parentName = name;
    record->actionRecord = true;
    record->setSearchTexts({{TextKind::ActionName, actionName}});
    extraFacts().actionRecords.append(std::move(record));
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
    const int byName = foldedForMatching(name).compare(foldedForMatching(other.name));
    if (byName != 0)
        return byName < 0 ? -1 : 1;
    if (classic != other.classic)
        return classic ? 1 : -1;
    return 0;
}

ApplicationList sharedAsOneBlock(std::vector<Application> &&records)
{
    records.shrink_to_fit();
    const auto block = std::make_shared<std::vector<Application>>(std::move(records));
    ApplicationList list;
    list.reserve(qsizetype(block->size()));
    for (Application &record : *block)
        list.append(ApplicationRef(block, &record));
    return list;
}
