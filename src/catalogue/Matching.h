#pragma once

#include "catalogue/Application.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

// The string with every U+0020 removed; tabs, no-break spaces and other white space stay.
QString stringByDeletingSpaces(const QString &string);

// The form names and queries are compared in: case-folded and canonically composed, so letter
// case and canonically equivalent sequences never matter.
QString foldedForMatching(const QString &string);

// Records in catalogue order with their folded, space-less names side by side in one block, in
// name order, so that a keystroke scans memory in order instead of visiting every record and
// finds its matches already ordered by name, and with each record's place in name order, so
// that sorting what else matched compares numbers, not names.
// Beside them the same for the second tier: every record's search texts and its actions' names,
// folded and space-less in a block of their own, with the places where their words start.
// Catalogue keeps one per build; make one from any list for other uses.
class MatchingIndex
{
public:
    MatchingIndex() = default;
    explicit MatchingIndex(const ApplicationList &apps);

    const ApplicationList &apps() const { return records; }
    // Every record's action records, in catalogue order.
    const ApplicationList &actions() const { return actionRecords; }
    // The records in name order (see nameOrder; equal ones in catalogue order), and their
    // folded, space-less names in that order: a pass that scans them meets its matches sorted
    // by name already.
    quint32 recordInNameOrder(qsizetype k) const { return byName[size_t(k)]; }
    QStringView foldedNameInNameOrder(qsizetype k) const
    {
        const quint32 start = starts[size_t(k)];
        return QStringView(names.constData() + start, starts[size_t(k) + 1] - start);
    }
    // The same with its spaces, where a later word of the name starts.
    QStringView foldedNameWithSpaces(qsizetype i) const
    {
        const quint32 start = spacedStarts[size_t(i)];
        return QStringView(spacedNames.constData() + start, spacedStarts[size_t(i) + 1] - start);
    }

    // Record i's place when all are ordered by name ignoring case, then non-Windows first;
    // records that compare equal share it.
    quint32 nameOrder(qsizetype i) const { return order[size_t(i)]; }

    // One place in the second tier's block where a word of a search text starts. Owner: the
    // record's index, or the number of records plus the action record's index.
    struct WordStart {
        quint32 at;
        quint32 end; // where its text ends
        quint32 owner;
        quint16 text; // the index into the owner's search texts
        bool first;   // the text's own start
    };
    QStringView otherTexts() const { return texts; }
    // Ordered by their first unit, then in record order: a query visits only the words that
    // begin with its own first unit.
    const std::vector<WordStart> &wordStarts() const { return starts2; }
    const ApplicationRef &owner(quint32 i) const
    {
        return i < quint32(records.size()) ? records.at(i) : actionRecords.at(i - records.size());
    }
    quint32 ownerOrder(quint32 i) const { return order[i]; }

private:
    ApplicationList records;
    ApplicationList actionRecords;
    std::vector<quint32> byName;
    QString names;
    std::vector<quint32> starts;
    QString spacedNames;
    std::vector<quint32> spacedStarts;
    // Records, then action records.
    std::vector<quint32> order;
    QString texts;
    std::vector<WordStart> starts2;
};

// Where the typed text is looked for: the display names alone, or also, as a second tier after
// every name match, the search texts and desktop actions.
enum class MatchScope { Names, NamesAndMore };

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
// With MatchScope::NamesAndMore, the records whose name does not match follow, in the same order
// among themselves: those with a search text (and the action records whose name) where the text
// starts the text (relevance 3) or one of its words (2; words end at any character that is not a
// letter or digit), each once, by its best text. Their usage is looked up by usage key.
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
                                             const UsageLookup &usageForPath,
                                             MatchScope scope = MatchScope::Names);
// The same over a plain list. It indexes the list first, which costs more than the pass itself:
// for one-off use; a keystroke passes Catalogue::matchingIndex().
ApplicationList buildMatchingApplicationList(const QString &typedText,
                                             const ApplicationList &catalogue,
                                             const DisplayFilter &shouldDisplay,
                                             const UsageLookup &usageForPath,
                                             MatchScope scope = MatchScope::Names);

// The span of shown (its start and length) that the typed text matched, for drawing: the first
// place where the folded, space-less text begins there, at a word start when atWordStart; {-1, 0}
// when there is none.
std::pair<qsizetype, qsizetype> matchedSpan(const QString &shown, const QString &typedText,
                                            bool atWordStart);
