#pragma once

#include "catalogue/Application.h"

#include <QAbstractTableModel>
#include <QIcon>

class ApplicationLauncher;

// The rows of the result list: one matching application each, best first. Columns: its icon, its
// name, and the Windows (Wine) marker for Classic applications, named "Windows application" for
// assistive technology. Every cell's tool tip is the entry's path less ".desktop". The name cell
// also gives what to draw lighter after the name (the text that found a record by other than its
// name, or an action's application) and the spans of the name and of that text that the typed
// text matched; the row's accessible name carries both ("Firefox, Web Browser").
class ResultListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { IconColumn, NameColumn, ClassicColumn, ColumnCount };
    // Of the name cell: the text after the name (a QString, empty for none), and the matched
    // spans of the name and of that text (a QPoint: start and length; none when the length is 0).
    enum Role { HintRole = Qt::UserRole + 1, NameSpanRole, HintSpanRole };

    explicit ResultListModel(QObject *parent = nullptr);

    // Replaces every row (a model reset); call after each matching pass, with the text it matched.
    void setApplications(const ApplicationList &applications, const QString &typedText = QString());
    const ApplicationList &applications() const { return rows; }
    ApplicationRef applicationAt(int row) const;
    // What a screen reader says for the row: its name, "Windows application" for a Classic one,
    // and its place ("Terminal, 1 of 6"); empty for no row.
    QString announcement(int row) const;

    // The marker shown beside Classic applications; may be null.
    void setClassicIcon(const QIcon &icon);
    // Where the rows' icons come from; none while unset. Not owned.
    void setIconSource(ApplicationLauncher *source) { iconSource = source; }
    QIcon classicIcon() const { return classic; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QString hint(const Application &application) const;
    QString accessibleName(const Application &application) const;

    ApplicationList rows;
    QString typed;
    QIcon classic;
    ApplicationLauncher *iconSource = nullptr;
};

// An entry's path without a final ".desktop" (any letter case).
QString toolTipForPath(const QString &path);
