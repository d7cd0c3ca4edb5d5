#include "catalogue/Matching.h"

#include <algorithm>
#include <functional>
#include <type_traits>
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

// Application::compareApplication's order of two records of equal rank, given their folded names;
// action records of the same name then by their application's name.
int compareNames(QStringView aName, const Application &a, QStringView bName, const Application &b)
{
    if (const int byName = aName.compare(bName))
        return byName;
    if (a.isClassicApp() != b.isClassicApp())
        return int(a.isClassicApp()) - int(b.isClassicApp());
    return a.applicationName().compare(b.applicationName(), Qt::CaseInsensitive);
}

// Orders matches found in name order by rank, best first, keeping name order among equal ranks:
// what Application::compareApplication does to them. A keystroke's matches have few distinct
// ranks (the relevance times one more than the usage, which is 0 for most records), so they
// are counted into their places in linear time; many ranks fall back to a stable sort.
void sortByRank(std::vector<Match> &list)
{
    constexpr size_t fewRanks = 16;
    std::vector<qint64> ranks;
    for (const Match &match : list) {
        if (std::find(ranks.begin(), ranks.end(), match.rank) != ranks.end())
            continue;
        if (ranks.size() == fewRanks) {
            std::stable_sort(list.begin(), list.end(),
                             [](const Match &a, const Match &b) { return a.rank > b.rank; });
            return;
        }
        ranks.push_back(match.rank);
    }
    if (ranks.size() < 2)
        return;
    std::sort(ranks.begin(), ranks.end(), std::greater<>());
    std::vector<size_t> next(ranks.size() + 1, 0);
    for (const Match &match : list)
        ++next[size_t(std::find(ranks.begin(), ranks.end(), match.rank) - ranks.begin()) + 1];
    for (size_t r = 1; r < next.size(); ++r)
        next[r] += next[r - 1];
    std::vector<Match> sorted(list.size());
    for (const Match &match : list)
        sorted[next[size_t(std::find(ranks.begin(), ranks.end(), match.rank) - ranks.begin())]++] =
            match;
    list.swap(sorted);
}

// A character that continues a word: a letter, a digit, a mark or half of a surrogate pair.
inline bool continuesWord(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c.isSurrogate();
}

// Appends text, folded and space-less, to block, and a word start for each of its words.
void addText(QString &block, std::vector<MatchingIndex::WordStart> &wordStarts, quint32 owner,
             quint16 index, const QString &text)
{
    const QString folded = foldedForMatching(text);
    const size_t firstStart = wordStarts.size();
    const qsizetype begin = block.size();
    bool inWord = false;
    for (const QChar c : folded) {
        if (c == QLatin1Char(' ')) {
            inWord = false;
            continue;
        }
        const bool word = continuesWord(c);
        if (block.size() == begin || (word && !inWord))
            wordStarts.push_back({quint32(block.size()), 0, owner, index, block.size() == begin});
        block.append(c);
        inWord = word;
    }
    for (size_t i = firstStart; i < wordStarts.size(); ++i)
        wordStarts[i].end = quint32(block.size());
}

} // namespace

MatchingIndex::MatchingIndex(const ApplicationList &apps) : records(apps)
{
    for (const ApplicationRef &app : apps)
        actionRecords.append(app->actions());
    const size_t count = size_t(apps.size() + actionRecords.size());
    const auto record = [this](quint32 i) -> const Application & { return *owner(i); };

    // Folded once here; the records keep only their display names.
    spacedStarts.reserve(count + 1);
    for (quint32 i = 0; i < quint32(count); ++i) {
        spacedStarts.push_back(quint32(spacedNames.size()));
        spacedNames += foldedForMatching(record(i).displayName());
    }
    spacedStarts.push_back(quint32(spacedNames.size()));
    spacedNames.squeeze();
    const auto compare = [this, &record](quint32 a, quint32 b) {
        return compareNames(foldedNameWithSpaces(a), record(a), foldedNameWithSpaces(b), record(b));
    };
    std::vector<quint32> sorted(count);
    for (size_t i = 0; i < sorted.size(); ++i)
        sorted[i] = quint32(i);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&compare](quint32 a, quint32 b) { return compare(a, b) < 0; });
    order.resize(sorted.size());
    quint32 place = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0 && compare(sorted[i - 1], sorted[i]) != 0)
            place = quint32(i);
        order[sorted[i]] = place;
    }

    byName.reserve(size_t(apps.size()));
    for (const quint32 i : sorted) {
        if (i < quint32(apps.size()))
            byName.push_back(i);
    }
    starts.reserve(size_t(apps.size()) + 1);
    names.reserve(spacedStarts[size_t(apps.size())]);
    for (const quint32 i : byName) {
        starts.push_back(quint32(names.size()));
        // Spaces go first: a mark after a space then composes with the letter before it.
        names += foldedForMatching(stringByDeletingSpaces(apps.at(i)->displayName()));
    }
    starts.push_back(quint32(names.size()));
    names.squeeze();

    for (quint32 i = 0; i < quint32(count); ++i) {
        const QList<Application::SearchText> searchTexts = record(i).searchTexts();
        for (qsizetype t = 0; t < searchTexts.size() && t <= 0xffff; ++t)
            addText(texts, starts2, i, quint16(t), searchTexts.at(t).text);
    }
    texts.squeeze();
    starts2.shrink_to_fit();
    std::stable_sort(
        starts2.begin(), starts2.end(),
        [this](const WordStart &a, const WordStart &b) { return texts.at(a.at) < texts.at(b.at); });
}

ApplicationList buildMatchingApplicationList(const QString &typedText,
                                             const MatchingIndex &catalogue,
                                             const DisplayFilter &shouldDisplay,
                                             const UsageLookup &usageForPath, MatchScope scope)
{
    const QString query = foldedForMatching(stringByDeletingSpaces(typedText));
    if (query.isEmpty())
        return {};
    const QString wordStart = QLatin1Char(' ') + query;
    const bool more = scope == MatchScope::NamesAndMore;

    const ApplicationList &apps = catalogue.apps();
    const qsizetype count = apps.size();
    // Per record in catalogue order: where its folded name holds the query, then its rank once
    // it is listed. The names are scanned in name order, the records then visited in catalogue
    // order, which is the order they lie in memory: a first key after a pause finds little in
    // the cache, and this way the processor streams the records instead of waiting for each.
    constexpr qint64 noMatch = -1;
    constexpr qint64 notShown = -2; // the name matched, the filter refused it
    std::vector<qint64> state(size_t(count), noMatch);
    std::vector<quint32> matchedInNameOrder;
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype position = find(catalogue.foldedNameInNameOrder(k), query);
        if (position < 0)
            continue;
        const quint32 i = catalogue.recordInNameOrder(k);
        state[i] = position;
        matchedInNameOrder.push_back(i);
    }
    for (qsizetype i = 0; i < count; ++i) {
        qint64 &record = state[size_t(i)];
        if (record == noMatch)
            continue;
        // The usage lookup reads each record's path, which lies apart from the record: asked
        // for a few records ahead, it is there when its turn comes.
        if (i + 4 < count)
            __builtin_prefetch(apps.at(i + 4)->path().constData());
        const ApplicationRef &app = apps.at(i);
        if (!shouldDisplay(*app)) {
            record = notShown;
            continue;
        }
        int relevance = 0;
        if (record == 0)
            relevance = 3;
        else if (find(catalogue.foldedNameWithSpaces(i), wordStart) >= 0)
            relevance = 2;
        app->setRelevance(relevance);
        app->setUsage(usageForPath(app->path()));
        app->setMatchedText(-1);
        record = app->rank();
    }
    // Gathered in name order, which ties keep.
    std::vector<Match> matches;
    matches.reserve(matchedInNameOrder.size());
    for (const quint32 i : matchedInNameOrder) {
        if (state[i] >= 0)
            matches.push_back({state[i], catalogue.nameOrder(i), &apps.at(i)});
    }

    // The order of Application::compareApplication.
    const auto sortMatches = [](std::vector<Match> &list) {
        std::sort(list.begin(), list.end(), [](const Match &a, const Match &b) {
            if (a.rank != b.rank)
                return a.rank > b.rank;
            return a.nameOrder < b.nameOrder;
        });
    };
    sortByRank(matches);

    std::vector<Match> others;
    if (more) {
        const QStringView block = catalogue.otherTexts();
        const char16_t *units = block.utf16();
        const char16_t *wanted = QStringView(query).utf16();
        const qsizetype length = query.size();
        const quint32 names = quint32(apps.size());
        // Each record's word starts come together, its texts in order: the first word start that
        // matches is its best unless a later text matches at its very start.
        quint32 current = 0;
        int best = 0;
        quint16 bestText = 0;
        const auto settle = [&] {
            if (best == 0)
                return;
            const ApplicationRef &record = catalogue.owner(current);
            if (shouldDisplay(*record)) {
                record->setRelevance(best);
                record->setUsage(usageForPath(record->usageKey()));
                record->setMatchedText(bestText);
                others.push_back({record->rank(), catalogue.ownerOrder(current), &record});
            }
        };
        const std::vector<MatchingIndex::WordStart> &words = catalogue.wordStarts();
        const auto [from, to] = std::equal_range(
            words.begin(), words.end(), wanted[0], [units](const auto &a, const auto &b) {
                if constexpr (std::is_same_v<std::decay_t<decltype(a)>, char16_t>)
                    return a < units[b.at];
                else
                    return units[a.at] < b;
            });
        for (auto word = from; word != to; ++word) {
            if (word->owner != current) {
                settle();
                current = word->owner;
                best = 0;
            }
            if (best == 3 || word->end - word->at < length ||
                (word->owner < names && state[word->owner] != noMatch))
                continue;
            if (!std::equal(wanted + 1, wanted + length, units + word->at + 1))
                continue;
            const int relevance = word->first ? 3 : 2;
            if (relevance > best) {
                best = relevance;
                bestText = word->text;
            }
        }
        settle();
        sortMatches(others);
    }

    ApplicationList result;
    result.reserve(static_cast<qsizetype>(matches.size() + others.size()));
    for (const Match &match : matches)
        result.append(*match.app);
    for (const Match &match : others)
        result.append(*match.app);
    return result;
}

ApplicationList buildMatchingApplicationList(const QString &typedText,
                                             const ApplicationList &catalogue,
                                             const DisplayFilter &shouldDisplay,
                                             const UsageLookup &usageForPath, MatchScope scope)
{
    return buildMatchingApplicationList(typedText, MatchingIndex(catalogue), shouldDisplay,
                                        usageForPath, scope);
}

std::pair<qsizetype, qsizetype> matchedSpan(const QString &shown, const QString &typedText,
                                            bool atWordStart)
{
    const QString query = foldedForMatching(stringByDeletingSpaces(typedText));
    if (query.isEmpty())
        return {-1, 0};
    // Folded piece by piece (a character with its marks), so that each folded unit knows the
    // piece of shown it came from.
    QString folded;
    std::vector<qsizetype> from;
    std::vector<qsizetype> to;
    std::vector<bool> startsWord;
    bool inWord = false;
    for (qsizetype at = 0; at < shown.size();) {
        qsizetype end = at + 1;
        if (shown.at(at).isHighSurrogate() && end < shown.size() && shown.at(end).isLowSurrogate())
            ++end;
        while (end < shown.size() && shown.at(end).isMark())
            ++end;
        const QStringView piece = QStringView(shown).mid(at, end - at);
        if (piece == QLatin1String(" ")) {
            inWord = false;
        } else {
            // ASCII folds to itself in lower case: the common case skips the normalisations.
            const QString part = piece.size() == 1 && piece.at(0).unicode() < 0x80
                                     ? QString(piece.at(0).toLower())
                                     : foldedForMatching(piece.toString());
            const bool word = continuesWord(piece.at(0));
            for (qsizetype i = 0; i < part.size(); ++i) {
                from.push_back(at);
                to.push_back(end);
                startsWord.push_back(i == 0 && (folded.isEmpty() || (word && !inWord)));
                folded.append(part.at(i));
            }
            inWord = word;
        }
        at = end;
    }
    for (qsizetype at = folded.indexOf(query); at >= 0; at = folded.indexOf(query, at + 1)) {
        if (atWordStart && !startsWord[size_t(at)])
            continue;
        // To the end of the piece the match ends in.
        const qsizetype end = to[size_t(at + query.size() - 1)];
        return {from[size_t(at)], end - from[size_t(at)]};
    }
    return {-1, 0};
}
