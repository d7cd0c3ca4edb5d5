#include "presentation/ResultListModel.h"

#include "catalogue/Matching.h"
#include "core/LocalizedStrings.h"
#include "platform/ApplicationLauncher.h"

#include <QFileInfo>
#include <QPoint>

namespace
{

// Far more than a row can show. The view lays out the whole text it is handed at every keystroke,
// so a name of megabytes would stall typing; matching still sees the whole name.
constexpr qsizetype longestShownName = 256;

QString shownName(const QString &name)
{
    if (name.size() <= longestShownName)
        return name;
    qsizetype cut = longestShownName - 1;
    // Never half a surrogate pair.
    if (name.at(cut - 1).isHighSurrogate())
        --cut;
    return name.left(cut) + QChar(0x2026);
}

} // namespace

ResultListModel::ResultListModel(QObject *parent) : QAbstractTableModel(parent) {}

void ResultListModel::setApplications(const ApplicationList &applications, const QString &typedText)
{
    beginResetModel();
    rows = applications;
    typed = typedText;
    endResetModel();
}

QString ResultListModel::hint(const Application &application) const
{
    if (application.isAction())
        return shownName(application.applicationName());
    const int text = application.matchedText();
    return text < 0 ? QString() : shownName(application.searchText(text));
}

QString ResultListModel::accessibleName(const Application &application) const
{
    const QString name = shownName(application.displayName());
    const QString after = hint(application);
    return after.isEmpty()
               ? name
               : LocalizedStrings::text(QStringLiteral("RowWithMatchedText")).arg(name, after);
}

ApplicationRef ResultListModel::applicationAt(int row) const
{
    return row >= 0 && row < rows.size() ? rows.at(row) : ApplicationRef();
}

void ResultListModel::setClassicIcon(const QIcon &icon)
{
    classic = icon;
    if (!rows.isEmpty())
        Q_EMIT dataChanged(index(0, ClassicColumn), index(int(rows.size()) - 1, ClassicColumn),
                           {Qt::DecorationRole});
}

QString ResultListModel::announcement(int row) const
{
    const ApplicationRef application = applicationAt(row);
    if (!application)
        return {};
    const QString key = application->isClassicApp()
                            ? QStringLiteral("SelectedClassicRowAnnouncement")
                            : QStringLiteral("SelectedRowAnnouncement");
    return LocalizedStrings::text(key).arg(accessibleName(*application), QString::number(row + 1),
                                           QString::number(rows.size()));
}

int ResultListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int ResultListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResultListModel::data(const QModelIndex &index, int role) const
{
    const ApplicationRef application = applicationAt(index.row());
    if (!application || index.parent().isValid())
        return {};
    if (role == Qt::ToolTipRole)
        return toolTipForPath(application->path());

    switch (index.column()) {
    case IconColumn:
        // The row's first cell is the one selection events name: it speaks for the row.
        if (role == Qt::AccessibleTextRole)
            return accessibleName(*application);
        return role == Qt::DecorationRole && iconSource ? QVariant(application->icon(*iconSource))
                                                        : QVariant();
    case NameColumn:
        if (role == Qt::DisplayRole)
            return shownName(application->displayName());
        if (role == HintRole)
            return hint(*application);
        if (role == NameSpanRole || role == HintSpanRole) {
            // An action and a name match show the match in the name, any other row in its hint.
            const bool inName = application->isAction() || application->matchedText() < 0;
            if (inName != (role == NameSpanRole))
                return QPoint();
            const bool atWordStart =
                application->isAction() || !inName || application->relevance() == 2;
            const auto [start, length] =
                matchedSpan(inName ? shownName(application->displayName()) : hint(*application),
                            typed, atWordStart);
            return start < 0 ? QPoint() : QPoint(int(start), int(length));
        }
        if (role == Qt::AccessibleDescriptionRole && application->isClassicApp())
            return LocalizedStrings::text(QStringLiteral("ClassicApplication"));
        return {};
    case ClassicColumn:
        if (!application->isClassicApp())
            return {};
        if (role == Qt::AccessibleTextRole)
            return LocalizedStrings::text(QStringLiteral("ClassicApplication"));
        return role == Qt::DecorationRole && !classicIcon().isNull() ? QVariant(classicIcon())
                                                                     : QVariant();
    default:
        return {};
    }
}

QString toolTipForPath(const QString &path)
{
    static const QString extension = QStringLiteral(".desktop");
    // A file named just ".desktop" has no extension to drop.
    if (path.endsWith(extension, Qt::CaseInsensitive) &&
        QFileInfo(path).fileName().size() > extension.size())
        return path.chopped(extension.size());
    return path;
}
