#pragma once

#include "presentation/ListGeometry.h"

#include <QTableView>

// The table of the result list: icon, name and Classic marker columns, no header, no grid, one
// row selected at a time. It never takes focus (typing stays in the search field), and a single
// click selects the row under the mouse and announces it at once: no double click, no dragging of
// the selection, no editing. Tool tips show after 0.2 seconds.
class TroviaTableView : public QTableView
{
    Q_OBJECT

public:
    explicit TroviaTableView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    // The height of a row's content and the spacing around cells; a row takes rowHeight plus the
    // spacing's height, and the (n + 1)th spacing pays for the frame, so n rows fit exactly in
    // n × rowHeight + (n + 1) × spacing height.
    ListRowMetrics rowMetrics() const;

    static constexpr int toolTipDelay = 200; // milliseconds

Q_SIGNALS:
    // A left click selected row (after the table was redrawn).
    void rowClicked(int row, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void applyRowMetrics();
    void applyColumnWidths();
};
