#pragma once

#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QString>
#include <QUrl>
#include <memory>
#include <vector>

class ApplicationLauncher;

// Trovia's record of one installed application: one desktop entry that passed the catalogue's
// filters, or one desktop action of such an entry (an action record: its own row, launched by the
// action's id). Its usage key (the entry's file path, with '#' and the action id for an action) is
// its identity. The matching pass writes relevance, usage and what matched for the current query.
class Application
{
public:
    // What else than the display name finds a record, in the order that decides between texts
    // that match alike.
    enum class TextKind : quint8 { UntranslatedName, Command, Keyword, GenericName, ActionName };
    struct SearchText {
        TextKind kind;
        QString text;
    };

    // The registry's facts about one entry, taken once when the record is created. file: the
    // entry's path as the file system spells it, when that is not what url's path encodes to
    // (a name that is not UTF-8).
    Application(const QUrl &url, const QString &displayName, bool isClassicApp,
                const QString &iconName, const QByteArray &file = QByteArray());
    // The same from the entry's absolute path, which the record then shares.
    Application(const QString &path, const QString &displayName, bool isClassicApp,
                const QString &iconName, const QByteArray &file = QByteArray());

    // Made when asked: a record keeps only its path, since a catalogue holds thousands of them.
    QUrl url() const;
    // A reference: the matching pass asks for it of every record whose name matched.
    const QString &path() const { return entryPath; }
    // A copy out of the record's packed texts (made when asked: a catalogue holds thousands).
    QString displayName() const { return packedField(0).toString(); }
    bool isClassicApp() const { return classic; }
    QString iconName() const { return packedField(1).toString(); }
    // The path as the file system spells it: what launching opens.
    QByteArray file() const;

    // The texts besides the display name that find the record (its action name for an action
    // record); set while the catalogue is built, before the record is shared. Kept packed in one
    // string, so the list is made when asked.
    QList<SearchText> searchTexts() const;
    // The text of searchTexts().at(index); empty when there is no such text.
    QString searchText(int index) const;
    void setSearchTexts(const QList<SearchText> &searchTexts);
    // The entry's desktop actions as records of their own; set while the catalogue is built.
    const QList<std::shared_ptr<Application>> &actions() const;
    // Adds an action record for the action id named name (localised) to this entry's record.
    void addAction(const QString &id, const QString &name);

    // A flag of its own: the matching pass asks every match, and the facts lie apart.
    bool isAction() const { return isActionRecord; }
    // Empty for an application's own record.
    QString actionId() const { return extra ? extra->action : QString(); }
    // For an action record, the display name of its application; empty otherwise.
    QString applicationName() const { return extra ? extra->parentName : QString(); }
    // Where the usage log counts its launches and the excluded locations name it alone: the path,
    // or the path, '#' and the action id.
    const QString &usageKey() const { return isAction() ? extra->actionKey : entryPath; }

    // Fetched from source on first use and kept for the record's lifetime.
    QIcon icon(ApplicationLauncher &source) const;

    int relevance() const { return relevanceValue; }
    void setRelevance(int relevance) { relevanceValue = relevance; }
    int usage() const { return usageValue; }
    void setUsage(int usage) { usageValue = usage; }

    // What found the record in the last pass: -1 its display name, else an index into
    // searchTexts().
    int matchedText() const { return matchedTextIndex; }
    void setMatchedText(int index) { matchedTextIndex = index; }

    // (usage + 1) × relevance, in 64 bits so that it cannot overflow.
    qint64 rank() const;
    // -1 when this record comes first, +1 when other does, 0 when neither.
    int compareApplication(const Application &other) const;

    bool operator==(const Application &other) const { return usageKey() == other.usageKey(); }

private:
    // What few records have, so that the others do not carry it: an action's facts, the entry's
    // action records, and a file name that is not what the path encodes to.
    struct Extra {
        QByteArray file;
        QString action;
        QString actionKey;
        QString parentName;
        QList<std::shared_ptr<Application>> actionRecords;
    };
    Extra &extraFacts();
    // Where field starts within packed: the display name (0), the icon name (1), then the
    // search texts (2).
    qsizetype fieldStart(int field) const;
    // The display name (field 0) or the icon name (1).
    QStringView packedField(int field) const;
    void pack(QStringView displayName, QStringView iconName, const QList<SearchText> &searchTexts);

    QString entryPath;
    // One string for the texts of a record, as a catalogue holds thousands of them: the display
    // name and the icon name, each after its length in two units, then each search text as one
    // unit for its kind, one for its length, then its units.
    QString packed;
    std::shared_ptr<Extra> extra;
    mutable QIcon cachedIcon;
    int relevanceValue = 0;
    int usageValue = 0;
    int matchedTextIndex = -1;
    bool classic = false;
    bool isActionRecord = false;
    mutable bool iconFetched = false;
};

using ApplicationRef = std::shared_ptr<Application>;
using ApplicationList = QList<ApplicationRef>;

// Records made side by side, each shared through their one block: a catalogue's thousands of
// records then cost one allocation and one reference count between them, and a matching pass
// reads them from one stretch of memory instead of from thousands of places.
ApplicationList sharedAsOneBlock(std::vector<Application> &&records);
