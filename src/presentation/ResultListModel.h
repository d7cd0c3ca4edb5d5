#pragma once

#include "catalogue/Application.h"

#include <QAbstractTableModel>
#include <QIcon>

class ApplicationLauncher;

// The rows of the result list: one matching application each, best first. Columns: its icon, its
// name, and the Windows (Wine) marker for Classic applications, named "Windows application" for
// assistive technology. Every cell's tool tip is the entry's path less ".desktop".
class ResultListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { IconColumn, NameColumn, ClassicColumn, ColumnCount };

    explicit ResultListModel(QObject *parent = nullptr);

    // Replaces every row (a model reset); call after each matching pass.
    void setApplications(const ApplicationList &applications);
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
    ApplicationList rows;
    QIcon classic;
    ApplicationLauncher *iconSource = nullptr;
};

// An entry's path without a final ".desktop" (any letter case).
QString toolTipForPath(const QString &path);
