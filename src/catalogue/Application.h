#pragma once

#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QString>
#include <QUrl>
#include <memory>

class ApplicationLauncher;

// Trovia's record of one installed application: one desktop entry that passed the catalogue's
// filters. Its path (the entry's file path) is its identity. The matching pass writes relevance
// and usage for the current query.
class Application
{
public:
    // The registry's facts about one entry, taken once when the record is created. file: the
    // entry's path as the file system spells it, when that is not what url's path encodes to
    // (a name that is not UTF-8).
    Application(const QUrl &url, const QString &displayName, bool isClassicApp,
                const QString &iconName, const QByteArray &file = QByteArray());

    // Made when asked: a record keeps only its path, since a catalogue holds thousands of them.
    QUrl url() const;
    QString path() const;
    QString displayName() const { return name; }
    bool isClassicApp() const { return classic; }
    QString iconName() const { return entryIconName; }
    // The path as the file system spells it: what launching opens.
    QByteArray file() const;

    // Fetched from source on first use and kept for the record's lifetime.
    QIcon icon(ApplicationLauncher &source) const;

    int relevance() const { return relevanceValue; }
    void setRelevance(int relevance) { relevanceValue = relevance; }
    int usage() const { return usageValue; }
    void setUsage(int usage) { usageValue = usage; }

    // (usage + 1) × relevance, in 64 bits so that it cannot overflow.
    qint64 rank() const;
    // -1 when this record comes first, +1 when other does, 0 when neither.
    int compareApplication(const Application &other) const;

    bool operator==(const Application &other) const { return path() == other.path(); }

    // The display name normalised and case-folded for matching, taken once at creation: without
    // spaces (the name a query must occur in) and with them (where a later word starts).
    const QString &foldedName() const { return foldedSpacelessName; }
    const QString &foldedNameWithSpaces() const { return foldedSpacedName; }

private:
    QString entryPath;
    QByteArray entryFile; // empty when it is what entryPath encodes to, as it nearly always is
    QString name;
    QString foldedSpacelessName;
    QString foldedSpacedName;
    QString entryIconName;
    mutable QIcon cachedIcon;
    mutable bool iconFetched = false;
    bool classic = false;
    int relevanceValue = 0;
    int usageValue = 0;
};

using ApplicationRef = std::shared_ptr<Application>;
using ApplicationList = QList<ApplicationRef>;
