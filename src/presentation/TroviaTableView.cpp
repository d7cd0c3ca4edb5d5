#include "presentation/TroviaTableView.h"

#include "presentation/ResultListModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextLayout>

namespace
{

constexpr int iconEdge = 16;
constexpr int columnSpacing = 3;

// Tool tips of the rows come sooner than the desktop's default; the viewport, which receives the
// mouse, asks its style for the delay.
class ToolTipDelayStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return TroviaTableView::toolTipDelay;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The format ranges that draw a matched span bold.
QList<QTextLayout::FormatRange> boldSpan(const QVariant &span)
{
    const QPoint at = span.toPoint();
    if (at.y() <= 0)
        return {};
    QTextLayout::FormatRange range;
    range.start = at.x();
    range.length = at.y();
    // The weight alone: the rest comes from the layout's font.
    range.format.setFontWeight(QFont::Bold);
    return {range};
}

// One line of text at x, centred in the cell's height; its width.
qreal drawLine(QPainter *painter, const QString &text, const QFont &font,
               const QList<QTextLayout::FormatRange> &formats, qreal x, const QRect &cell)
{
    QTextLayout layout(text, font);
    layout.setFormats(formats);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const qreal y = cell.top() + (cell.height() - line.height()) / 2;
    layout.draw(painter, QPointF(x, y));
    return line.naturalTextWidth();
}

// The icon columns show their image centred in the cell; no cell shows a focus frame. The name
// cell draws the matched letters bold and the hint after the name in a lighter colour.
class RowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        cell.state &= ~QStyle::State_HasFocus;
        if (index.column() == ResultListModel::NameColumn) {
            paintName(painter, cell, index);
            return;
        }
        const QIcon icon = cell.icon;
        cell.icon = QIcon();
        cell.features &= ~QStyleOptionViewItem::HasDecoration;
        const QWidget *view = cell.widget;
        QStyle *style = view ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
        QRect square(QPoint(), cell.decorationSize);
        square.moveCenter(cell.rect.center());
        icon.paint(painter, square, Qt::AlignCenter);
    }

private:
    void paintName(QPainter *painter, QStyleOptionViewItem &cell, const QModelIndex &index) const
    {
        const QString name = cell.text;
        const QString hint = index.data(ResultListModel::HintRole).toString();
        const QWidget *view = cell.widget;
        QStyle *style = view ? view->style() : QApplication::style();
        cell.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
        // The margin the style leaves around an item's text.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, view)
                               .adjusted(margin, 0, -margin, 0);
        const QList<QTextLayout::FormatRange> nameBold =
            boldSpan(index.data(ResultListModel::NameSpanRole));
        const QList<QTextLayout::FormatRange> hintBold =
            boldSpan(index.data(ResultListModel::HintSpanRole));

        const bool selected = cell.state & QStyle::State_Selected;
        const QColor text = cell.palette.color(
            QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text);
        QColor lighter = text;
        lighter.setAlphaF(0.6f);

        QFont bold(cell.font);
        bold.setBold(true);
        // Widths with every letter bold: a little room to spare, never a cut-off last letter.
        const QFontMetrics boldMetrics(bold);
        const int nameWidth = boldMetrics.horizontalAdvance(name);
        painter->save();
        painter->setClipRect(area);
        painter->setPen(text);
        if (nameWidth > area.width()) {
            // Too long for the row: the plain name, shortened in the middle as before.
            painter->setFont(cell.font);
            painter->drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                              cell.fontMetrics.elidedText(name, Qt::ElideMiddle, area.width()));
            painter->restore();
            return;
        }
        const qreal drawn = drawLine(painter, name, cell.font, nameBold, area.left(), area);
        const int gap = cell.fontMetrics.horizontalAdvance(QLatin1Char(' ')) * 2;
        const int room = area.width() - int(drawn) - gap;
        if (!hint.isEmpty() && room > cell.fontMetrics.averageCharWidth() * 3) {
            painter->setPen(lighter);
            const QString shown = boldMetrics.horizontalAdvance(hint) <= room
                                      ? hint
                                      : cell.fontMetrics.elidedText(hint, Qt::ElideRight, room);
            drawLine(painter, shown, cell.font,
                     shown == hint ? hintBold : QList<QTextLayout::FormatRange>(),
                     area.left() + drawn + gap, area);
        }
        painter->restore();
    }
};

// A thin scroller that is drawn only when the rows do not all fit.
const char *scrollerStyle = R"(
QScrollBar:vertical { background: palette(base); width: 9px; margin: 0px; padding: 2px 2px 2px 0px; }
QScrollBar::handle:vertical { background: rgba(128, 128, 128, 150); border-radius: 3px;
                              min-height: 24px; }
QScrollBar::handle:vertical:hover { background: rgba(128, 128, 128, 210); }
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; border: none; }
QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }
)";

} // namespace

TroviaTableView::TroviaTableView(QWidget *parent) : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setCornerButtonEnabled(false);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    setIconSize(QSize(iconEdge, iconEdge));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setStyleSheet(QString::fromLatin1(scrollerStyle));
    setItemDelegate(new RowDelegate(this));

    auto *delayStyle = new ToolTipDelayStyle;
    delayStyle->setParent(this);
    viewport()->setStyle(delayStyle);

    applyRowMetrics();
}

void TroviaTableView::setModel(QAbstractItemModel *newModel)
{
    if (model())
        disconnect(model(), nullptr, this, nullptr);
    QTableView::setModel(newModel);
    if (newModel)
        connect(newModel, &QAbstractItemModel::modelReset, this,
                &TroviaTableView::applyColumnWidths);
    applyColumnWidths();
}

ListRowMetrics TroviaTableView::rowMetrics() const
{
    const int contentHeight = qMax(fontMetrics().height(), iconEdge) + 4;
    return {static_cast<float>(contentHeight), static_cast<float>(columnSpacing),
            static_cast<float>(2 * frameWidth())};
}

void TroviaTableView::applyRowMetrics()
{
    const ListRowMetrics metrics = rowMetrics();
    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(qRound(metrics.rowHeight + metrics.spacingHeight));
}

void TroviaTableView::applyColumnWidths()
{
    QHeaderView *columns = horizontalHeader();
    columns->setMinimumSectionSize(1);
    if (columns->count() < ResultListModel::ColumnCount)
        return;
    // The two image columns never change; the name takes the rest of the width.
    for (int column : {int(ResultListModel::IconColumn), int(ResultListModel::ClassicColumn)}) {
        columns->setSectionResizeMode(column, QHeaderView::Fixed);
        columns->resizeSection(column, iconEdge + columnSpacing);
    }
    columns->setSectionResizeMode(ResultListModel::NameColumn, QHeaderView::Stretch);
}

void TroviaTableView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int row = rowAt(qRound(event->position().y()));
    // A click below the last row selects nothing and confirms nothing.
    if (row < 0) {
        clearSelection();
        viewport()->repaint();
        return;
    }
    selectRow(row);
    viewport()->repaint();
    Q_EMIT rowClicked(row, event->modifiers());
}

// The press did all there is to do: no drag selection, no second action on a double click.
void TroviaTableView::mouseMoveEvent(QMouseEvent *) {}

void TroviaTableView::mouseReleaseEvent(QMouseEvent *) {}

void TroviaTableView::mouseDoubleClickEvent(QMouseEvent *) {}

void TroviaTableView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // QTableView tells assistive technology that the current cell took the focus, even though the
    // table never has it: a screen reader would leave the search field, where the keys still go.
    // Selection events still say which row is selected.
    QAbstractItemView::currentChanged(current, previous);
}

void TroviaTableView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        applyRowMetrics();
}
