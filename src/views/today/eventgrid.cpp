#include "views/today/eventgrid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

#include "views/today/occurrencemodel.h"

namespace orv {

namespace {

constexpr int kTextIndent = 5;

// Every cell is painted here, not by the style: the narrow button-face
// column(s), the text on the window colours, and the current line's text in
// the title colours while the grid has the focus.
class EventCellPainter : public QStyledItemDelegate {
public:
    explicit EventCellPainter(EventGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QPalette& palette = grid_->palette();
        const QString text = index.data().toString();
        const int column = index.column();
        const bool buttonFace = column == 0;
        const bool textCell = column == grid_->textColumn();

        QColor back = buttonFace ? palette.color(QPalette::Active, QPalette::Button) : palette.color(QPalette::Active, QPalette::Base);
        QColor fore = buttonFace ? QColor(Qt::black) : palette.color(QPalette::Active, QPalette::Text);
        if (textCell && !text.isEmpty() && grid_->hasFocus() && index.row() == grid_->currentRow()) {
            back = grid_->titleBackground();
            fore = grid_->titleText();
        }
        painter->save();
        painter->fillRect(option.rect, back);
        painter->setPen(fore);
        painter->setFont(option.font);
        if (textCell) {
            const QRect r = option.rect.adjusted(kTextIndent, 0, 0, 0);
            painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              option.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
        } else {
            painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, text);
        }
        painter->restore();
    }

private:
    EventGrid* grid_;
};

}  // namespace

EventGrid::EventGrid(Columns columns, const QString& fillerName, QWidget* parent)
    : QTableView(parent), model_(new OccurrenceModel(columns == Columns::DaysKindText, this)), filler_(new QWidget(viewport()))
{
    setModel(model_);
    setItemDelegate(new EventCellPainter(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(false);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(ScrollPerItem);
    // The overview explains its columns while the pointer moves over them.
    viewport()->setMouseTracking(true);
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    filler_->setObjectName(fillerName);
    filler_->setAutoFillBackground(true);
    filler_->setMouseTracking(true);
    filler_->setBackgroundRole(QPalette::Button);

    applyRowHeight();
    applyColumnWidths();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { placeFiller(); });
    setTable({});
}

void EventGrid::setTable(OccurrenceTable table)
{
    model_->setTable(std::move(table));
    linesChanged();
}

void EventGrid::setLines(PeriodicalLines lines)
{
    model_->setLines(std::move(lines));
    linesChanged();
}

void EventGrid::linesChanged()
{
    applyColumnWidths();
    // The first line is current, as in a freshly filled grid; without lines
    // there is nothing to act on.
    if (hasLines())
        setCurrentRow(0);
    else
        selectionModel()->clear();
    placeFiller();
}

const OccurrenceTable& EventGrid::table() const { return model_->table(); }

int EventGrid::textColumn() const { return model_->textColumn(); }

std::size_t EventGrid::lineCount() const { return model_->lineCount(); }

Occurrence EventGrid::line(std::size_t row) const { return model_->line(row); }

const Occurrence* EventGrid::currentLine() const
{
    const int row = currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= lineCount()) return nullptr;
    if (static_cast<std::size_t>(row) < table().size()) return &table()[static_cast<std::size_t>(row)];
    current_ = line(static_cast<std::size_t>(row));
    return &current_;
}

int EventGrid::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void EventGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= model_->rowCount()) return;
    const QModelIndex index = model_->index(row, textColumn());
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
    viewport()->update();
}

void EventGrid::setIndicatorWidth(int pixels)
{
    indicator_ = std::max(0, pixels);
    applyColumnWidths();
    placeFiller();
}

void EventGrid::setTitleColours(const QColor& background, const QColor& text)
{
    titleBack_ = background;
    titleText_ = text;
    viewport()->update();
}

int EventGrid::rowAtPress(int y) const
{
    const int h = rowHeight(0) > 0 ? rowHeight(0) : MinRowHeight;
    const int first = std::max(0, rowAt(0));
    // std::nearbyint rounds halves to the even neighbour.
    const int row = first + static_cast<int>(std::nearbyint(static_cast<double>(y) / h - 0.5));
    return row >= 0 && row < model_->rowCount() ? row : -1;
}

void EventGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const int row = rowAtPress(static_cast<int>(event->position().y()));
    if (row >= 0) setCurrentRow(row);
    event->accept();
    emit lineClicked(currentRow());
}

void EventGrid::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

// Moving with a button held would drag the selection; the lines are only
// picked by pressing.
void EventGrid::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

void EventGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int row = rowAtPress(static_cast<int>(event->position().y()));
    if (row >= 0) setCurrentRow(row);
    event->accept();
    if (event->button() == Qt::LeftButton) emit lineDoubleClicked(currentRow());
}

void EventGrid::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QTableView::keyPressEvent(event);
    if (currentRow() != before) emit lineClicked(currentRow());
}

void EventGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void EventGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void EventGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) applyRowHeight();
}

void EventGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    placeFiller();
}

void EventGrid::updateGeometries()
{
    QTableView::updateGeometries();
    placeFiller();
}

void EventGrid::applyRowHeight()
{
    const int h = std::max(MinRowHeight, fontMetrics().height());
    verticalHeader()->setDefaultSectionSize(h);
    placeFiller();
}

void EventGrid::applyColumnWidths()
{
    QHeaderView* header = horizontalHeader();
    const int text = textColumn();
    for (int c = 0; c < text; ++c) {
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        header->resizeSection(c, indicator_);
    }
    header->setSectionResizeMode(text, QHeaderView::Stretch);
}

void EventGrid::placeFiller()
{
    // Every row has the default height (Fixed), so the end of the last one
    // is counted, not asked of the header, which walks all rows to place
    // one after rows were added: a grid of millions would stop at each part.
    const QHeaderView* rows = verticalHeader();
    const long long end = static_cast<long long>(model_->rowCount()) * rows->defaultSectionSize() - rows->offset();
    const int below = static_cast<int>(std::clamp<long long>(end, 0, viewport()->height()));
    const int height = viewport()->height() - below;
    filler_->setGeometry(columnViewportPosition(0), below, indicator_, std::max(0, height));
    filler_->setVisible(height > 0 && indicator_ > 0);
}

}  // namespace orv
