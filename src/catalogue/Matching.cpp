#include "catalogue/Matching.h"

#include <algorithm>
#include <vector>

QString stringByDeletingSpaces(const QString &string)
{
    QString result = string;
    result.remove(QLatin1Char(' '));
    return result;
}

QString foldedForMatching(const QString &string)
{
    // Composed again at the end, so that a query never matches part of an accented letter
    // ("cafe" is not in "café").
    return string.normalized(QString::NormalizationForm_D)
        .toCaseFolded()
        .normalized(QString::NormalizationForm_C);
}

namespace
{

// First position of needle in haystack, or -1. Names are short, so a plain scan for the first
// unit beats the general search, which is tuned for long texts.
inline qsizetype find(QStringView haystack, QStringView needle)
{
    const qsizetype length = needle.size();
    const char16_t *begin = haystack.utf16();
    const char16_t *wanted = needle.utf16();
    const char16_t first = wanted[0];
    for (qsizetype at = 0, last = haystack.size() - length; at <= last; ++at) {
        if (begin[at] != first)
            continue;
        qsizetype same = 1;
        while (same < length && begin[at + same] == wanted[same])
            ++same;
        if (same == length)
            return at;
    }
    return -1;
}

// What the sort needs of a match, so that it never goes back to the records.
struct Match {
    qint64 rank;
    quint32 nameOrder;
    const ApplicationRef *app;
};

// Application::compareApplication's order of two records of equal rank.
int compareNames(const Application &a, const Application &b)
{
    if (const int byName = a.foldedNameWithSpaces().compare(b.foldedNameWithSpaces()))
        return byName;
    return int(a.isClassicApp()) - int(b.isClassicApp());
}

} // namespace

MatchingIndex::MatchingIndex(const ApplicationList &apps) : records(apps)
{
    qsizetype length = 0;
    for (const ApplicationRef &app : apps)
        length += app->foldedName().size();
    names.reserve(length);
    starts.reserve(size_t(apps.size()) + 1);
    for (const ApplicationRef &app : apps) {
        starts.push_back(names.size());
        names += app->foldedName();
    }
    starts.push_back(names.size());

    std::vector<quint32> byName(size_t(apps.size()));
    for (size_t i = 0; i < byName.size(); ++i)
        byName[i] = quint32(i);
    std::sort(byName.begin(), byName.end(),
              [&apps](quint32 a, quint32 b) { return compareNames(*apps.at(a), *apps.at(b)) < 0; });
    order.resize(byName.size());
    quint32 place = 0;
    for (size_t i = 0; i < byName.size(); ++i) {
        if (i > 0 && compareNames(*apps.at(byName[i - 1]), *apps.at(byName[i])) != 0)
            place = quint32(i);
        order[byName[i]] = place;
    }
}

ApplicationList buildMatchingApplicationList(const QString &typedText,
                                             const MatchingIndex &catalogue,
                                             const DisplayFilter &shouldDisplay,
                                             const UsageLookup &usageForPath)
{
    const QString query = foldedForMatching(stringByDeletingSpaces(typedText));
    if (query.isEmpty())
        return {};
    const QString wordStart = QLatin1Char(' ') + query;

    std::vector<Match> matches;
    const ApplicationList &apps = catalogue.apps();
    for (qsizetype i = 0; i < apps.size(); ++i) {
        const qsizetype position = find(catalogue.foldedName(i), query);
        if (position < 0)
            continue;
        const ApplicationRef &app = apps.at(i);
        if (!shouldDisplay(*app))
            continue;
        int relevance = 0;
        if (position == 0)
            relevance = 3;
        else if (find(app->foldedNameWithSpaces(), wordStart) >= 0)
            relevance = 2;
        app->setRelevance(relevance);
        app->setUsage(usageForPath(app->path()));
        matches.push_back({app->rank(), catalogue.nameOrder(i), &app});
    }

    // The order of Application::compareApplication.
    std::sort(matches.begin(), matches.end(), [](const Match &a, const Match &b) {
        if (a.rank != b.rank)
            return a.rank > b.rank;
        return a.nameOrder < b.nameOrder;
    });

    ApplicationList result;
    result.reserve(static_cast<qsizetype>(matches.size()));
    for (const Match &match : matches)
        result.append(*match.app);
    return result;
}

ApplicationList buildMatchingApplicationList(const QString &typedText,
                                             const ApplicationList &catalogue,
                                             const DisplayFilter &shouldDisplay,
                                             const UsageLookup &usageForPath)
{
    return buildMatchingApplicationList(typedText, MatchingIndex(catalogue), shouldDisplay,
                                        usageForPath);
}
