#include "views/events/tmycal.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "views/events/eventpage.h"

namespace orv {

namespace {

const QColor kGreyText(0xBB, 0xBB, 0xBB);

}  // namespace

// The six week rows as model rows 0..5; the weekday names as the header.
class MonthGridModel : public QAbstractTableModel {
public:
    MonthGridModel(const MonthGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

    static GridCell CellOf(const QModelIndex& index) { return GridCell{index.column(), index.row() + 1}; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 6; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 7; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid()) return {};
        const MonthLayout& layout = grid_.layout();
        const GridCell cell = CellOf(index);
        switch (role) {
        case Qt::DisplayRole:
            return QString::number(layout.DayAt(cell));
        case Qt::AccessibleTextRole: {
            // What a screen reader says for the cell: the whole date.
            const Date d = layout.DateAt(cell);
            if (d.Year == 0) return QString::number(layout.DayAt(cell));
            return QStringLiteral("%1 %2 %3 %4")
                .arg(FixedText(DayNames[static_cast<std::size_t>(DayOfWeek(d))]))
                .arg(d.Day)
                .arg(MonthName(d.Month))
                .arg(d.Year);
        }
        case Qt::TextAlignmentRole:
            return Qt::AlignCenter;
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return FixedText(grid_.layout().Header(section));
    }

private:
    const MonthGrid& grid_;
};

namespace {

// Grey days in grey on whatever background; the selected day white on the
// highlight; today black on the today colour while it is not selected.
class DayPainter : public QStyledItemDelegate {
public:
    explicit DayPainter(TMyCal* cal) : QStyledItemDelegate(cal), cal_(cal) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QPalette& palette = cal_->palette();
        const GridCell cell = MonthGridModel::CellOf(index);
        const MonthLayout& layout = cal_->grid().layout();
        const bool selected = cal_->grid().current() == cell;
        QColor back = selected ? palette.color(QPalette::Active, QPalette::Highlight) : palette.color(QPalette::Active, QPalette::Base);
        QColor text = selected ? QColor(Qt::white) : QColor(Qt::black);
        if (layout.IsGrey(cell)) {
            text = kGreyText;
        } else if (!selected && cal_->today() == layout.DateAt(cell)) {
            back = cal_->XTodayColor();
        }
        painter->save();
        painter->fillRect(option.rect, back);
        painter->setPen(text);
        painter->setFont(option.font);
        painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, QString::number(layout.DayAt(cell)));
        if (selected && cal_->hasFocus()) {
            painter->setPen(QPen(Qt::white, 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
        }
        painter->restore();
    }

private:
    TMyCal* cal_;
};

}  // namespace

TMyCal::TMyCal(QWidget* parent) : QTableView(parent), model_(new MonthGridModel(grid_, this))
{
    setModel(model_);
    setItemDelegate(new DayPainter(this));
    setObjectName(QStringLiteral("MyCal1"));
    setAccessibleName(QStringLiteral("Calendar"));
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    ApplySizes();
    Sync();
}

void TMyCal::Sync()
{
    syncing_ = true;
    model_->Reset();
    const GridCell c = grid_.current();
    const QModelIndex index = model_->index(c.row - 1, c.column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
    viewport()->update();
    emit dayClicked();
}

void TMyCal::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (syncing_ || !current.isValid()) return;
    // A move by the arrow keys or the mouse selects that day, grey or not,
    // without turning the grid.
    if (grid_.Click(MonthGridModel::CellOf(current))) {
        viewport()->update();
        emit dayClicked();
    }
}

void TMyCal::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex before = currentIndex();
    QTableView::mousePressEvent(event);
    const QModelIndex under = indexAt(event->position().toPoint());
    // A click on the selected day is a click all the same.
    if (under.isValid() && under == before && grid_.Click(MonthGridModel::CellOf(under))) emit dayClicked();
}

void TMyCal::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (!indexAt(event->position().toPoint()).isValid()) return;
    grid_.DblClick();
    Sync();
    emit dayDoubleClicked();
}

void TMyCal::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit returnPressed();
        return;
    case Qt::Key_PageUp:
        PrevMonth();
        return;
    case Qt::Key_PageDown:
        NextMonth();
        return;
    default:
        QTableView::keyPressEvent(event);
    }
}

void TMyCal::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) ApplySizes();
}

void TMyCal::ApplySizes()
{
    const QFontMetrics fm = fontMetrics();
    const int column = std::max(width_ / 7, fm.horizontalAdvance(QStringLiteral("Wen")) + 8);
    // The chosen font's rows are its height plus 5 in every grid; so are these.
    const int row = std::max(height_ / 7, fm.height() + 5);
    horizontalHeader()->setDefaultSectionSize(column);
    verticalHeader()->setDefaultSectionSize(row);
    horizontalHeader()->setFixedHeight(row);
    setFixedSize(7 * column, 7 * row);
}

void TMyCal::setXDate(Date date)
{
    grid_.SetXDate(date);
    Sync();
}

void TMyCal::setXMonth(int month)
{
    grid_.SetXMonth(month);
    Sync();
}

void TMyCal::setXYear(int year)
{
    grid_.SetXYear(year);
    Sync();
}

void TMyCal::setXStartOfWeek(int startOfWeek)
{
    grid_.SetXStartOfWeek(startOfWeek);
    Sync();
}

void TMyCal::setXWidth(int pixels)
{
    width_ = pixels;
    ApplySizes();
}

void TMyCal::setXHeight(int pixels)
{
    height_ = pixels;
    ApplySizes();
}

void TMyCal::setXTodayColor(const QColor& colour)
{
    todayColor_ = colour;
    viewport()->update();
}

void TMyCal::setToday(Date today)
{
    today_ = today;
    viewport()->update();
}

void TMyCal::SetToday() { setXDate(today_); }

bool TMyCal::GoToDate(int year, int month, int day)
{
    if (!grid_.GoToDate(year, month, day)) return false;
    Sync();
    return true;
}

void TMyCal::NextDay()
{
    grid_.NextDay();
    Sync();
}

void TMyCal::PrevDay()
{
    grid_.PrevDay();
    Sync();
}

void TMyCal::NextMonth()
{
    grid_.NextMonth();
    Sync();
}

void TMyCal::PrevMonth()
{
    grid_.PrevMonth();
    Sync();
}

void TMyCal::NextYear()
{
    grid_.NextYear();
    Sync();
}

void TMyCal::PrevYear()
{
    grid_.PrevYear();
    Sync();
}

QRect TMyCal::cellRect(GridCell cell) const { return visualRect(model_->index(cell.row - 1, cell.column)); }

}  // namespace orv
