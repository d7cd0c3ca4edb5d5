#pragma once

#include "catalogue/Application.h"

#include <QString>
#include <functional>
#include <vector>

// The string with every U+0020 removed; tabs, no-break spaces and other white space stay.
QString stringByDeletingSpaces(const QString &string);

// The form names and queries are compared in: case-folded and canonically composed, so letter
// case and canonically equivalent sequences never matter.
QString foldedForMatching(const QString &string);

// Records in catalogue order with their folded, space-less names side by side in one block, so
// that a keystroke scans memory in order instead of visiting every record, and with each
// record's place in name order, so that sorting the matches compares numbers, not names.
// Catalogue keeps one per build; make one from any list for other uses.
class MatchingIndex
{
public:
    MatchingIndex() = default;
    explicit MatchingIndex(const ApplicationList &apps);

    const ApplicationList &apps() const { return records; }
    // The folded, space-less name of record i.
    QStringView foldedName(qsizetype i) const
    {
        const qsizetype start = starts[size_t(i)];
        return QStringView(names.constData() + start, starts[size_t(i) + 1] - start);
    }

    // Record i's place when all are ordered by name ignoring case, then non-Windows first;
    // records that compare equal share it.
    quint32 nameOrder(qsizetype i) const { return order[size_t(i)]; }

private:
    ApplicationList records;
    QString names;
    std::vector<qsizetype> starts;
    std::vector<quint32> order;
};

// Whether a catalogued record may be listed (excluded locations, Windows applications).
using DisplayFilter = std::function<bool(const Application &)>;
// The launch count of the entry at a path (the usage log's).
using UsageLookup = std::function<int(const QString &path)>;

// The matching list for the text typed in the query field: the records of the catalogue whose
// space-less name contains the space-less text, that the filter lets through, each given its
// relevance (3 the name starts with the query, 2 a later word does, 0 otherwise) and its usage,
// best first by Application::compareApplication. Empty when the text holds nothing but spaces.
// The filter is asked only about records whose name matched, and the usage lookup only about
// records the filter let through.
//
// The query session's pass (QuerySession::buildMatchingApplicationList), once per keystroke:
//   matching = buildMatchingApplicationList(
//       field->text(), catalogue.matchingIndex(),
//       [&](const Application &app) {
//           return Catalogue::shouldDisplayApplication(app, excluded, includeClassic);
//       },
//       [&](const QString &path) { return usageLog.usageForApplicationAtPath(path); });
ApplicationList buildMatchingApplicationList(const QString &typedText,
                                             const MatchingIndex &catalogue,
                                             const DisplayFilter &shouldDisplay,
                                             const UsageLookup &usageForPath);
// The same over a plain list. It indexes the list first, which costs more than the pass itself:
// for one-off use; a keystroke passes Catalogue::matchingIndex().
ApplicationList buildMatchingApplicationList(const QString &typedText,
                                             const ApplicationList &catalogue,
                                             const DisplayFilter &shouldDisplay,
                                             const UsageLookup &usageForPath);
