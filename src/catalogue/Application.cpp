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
    : entryPath(path), classic(isClassicApp)
{
    pack(displayName, iconName, {});
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

namespace
{

qsizetype fieldLength(const QString &packed, qsizetype at)
{
    return (qsizetype(packed.at(at).unicode()) << 16) | packed.at(at + 1).unicode();
}

} // namespace

qsizetype Application::fieldStart(int field) const
{
    qsizetype at = 0;
    for (int skipped = 0; skipped < field; ++skipped)
        at += 2 + fieldLength(packed, at);
    return at;
}

QStringView Application::packedField(int field) const
{
    const qsizetype at = fieldStart(field);
    return QStringView(packed).mid(at + 2, fieldLength(packed, at));
}

void Application::pack(QStringView displayName, QStringView iconName,
                       const QList<SearchText> &searchTexts)
{
    qsizetype length = 4 + displayName.size() + iconName.size();
    for (const SearchText &text : searchTexts)
        length += 2 + qMin<qsizetype>(text.text.size(), 0xffff);
    QString result;
    result.reserve(length);
    for (const QStringView field : {displayName, iconName}) {
        // Two units for the length: no name of an entry comes near 2^31 characters.
        const auto size = quint32(qMin<qsizetype>(field.size(), 0x7fffffff));
        result.append(QChar(char16_t(size >> 16)));
        result.append(QChar(char16_t(size & 0xffff)));
        result.append(field.left(size));
    }
    for (const SearchText &text : searchTexts) {
        // A length must fit its unit; no keyword comes near 65,535 characters.
        const QStringView kept = QStringView(text.text).left(0xffff);
        result.append(QChar(char16_t(text.kind)));
        result.append(QChar(char16_t(kept.size())));
        result.append(kept);
    }
    packed = result;
}

QList<Application::SearchText> Application::searchTexts() const
{
    QList<SearchText> result;
    for (qsizetype at = fieldStart(2); at + 1 < packed.size();) {
        const qsizetype length = packed.at(at + 1).unicode();
        result.append({TextKind(packed.at(at).unicode()), packed.mid(at + 2, length)});
        at += 2 + length;
    }
    return result;
}

QString Application::searchText(int index) const
{
    for (qsizetype at = fieldStart(2); at + 1 < packed.size() && index >= 0; --index) {
        const qsizetype length = packed.at(at + 1).unicode();
        if (index == 0)
            return packed.mid(at + 2, length);
        at += 2 + length;
    }
    return {};
}

void Application::setSearchTexts(const QList<SearchText> &searchTexts)
{
    // The views stay valid: pack assigns the new string only once it is made.
    pack(packedField(0), packedField(1), searchTexts);
}

const QList<std::shared_ptr<Application>> &Application::actions() const
{
    static const QList<std::shared_ptr<Application>> none;
    return extra ? extra->actionRecords : none;
}

void Application::addAction(const QString &id, const QString &actionName)
{
    auto record = std::make_shared<Application>(entryPath, actionName, classic, iconName(), file());
    Extra &facts = record->extraFacts();
    facts.action = id;
    facts.actionKey = entryPath + QLatin1Char('#') + id;
    facts.parentName = displayName();
    record->isActionRecord = true;
    record->setSearchTexts({{TextKind::ActionName, actionName}});
    extraFacts().actionRecords.append(std::move(record));
}

QIcon Application::icon(ApplicationLauncher &source) const
{
    if (!iconFetched) {
        cachedIcon = source.icon(iconName());
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
    const int byName =
        foldedForMatching(displayName()).compare(foldedForMatching(other.displayName()));
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
