#include "views/events/monthcalendarview.h"

#include <QAbstractTableModel>
#include <algorithm>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/session.h"
#include "views/common/changes.h"
#include "views/common/labelbutton.h"
#include "views/common/named.h"
#include "views/events/popupmenus.h"
#include "views/common/storedtext.h"

namespace orv {

class MonthRowsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<MonthRow> rows)
    {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    int days() const { return static_cast<int>(rows_.size()); }

    // Always 31 rows: a short month leaves the last ones empty.
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 31; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= days()) return {};
        const MonthRow& r = rows_[static_cast<std::size_t>(index.row())];
        if (role == Qt::DisplayRole) {
            switch (index.column()) {
            case 0: return QString::fromStdString(r.Weekday);
            case 1: return QString::number(r.Day);
            default: return DecodeStored(r.Events);
            }
        }
        if (role == Qt::AccessibleTextRole && index.column() == 2) {
            const QString events = DecodeStored(r.Events).trimmed();
            return events.isEmpty() ? QStringLiteral("no events") : events;
        }
        return {};
    }

private:
    std::vector<MonthRow> rows_;
};

namespace {

// Sundays grey across the row, Saturdays in the weekday column only; today's
// weekday cell and the selected row in the title colours.
class MonthRowPainter : public QStyledItemDelegate {
public:
    MonthRowPainter(QTableView* grid, std::function<int()> todayRow, std::function<LabelColours()> colours)
        : QStyledItemDelegate(grid), grid_(grid), todayRow_(std::move(todayRow)), colours_(std::move(colours))
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QPalette& palette = grid_->palette();
        const QString text = index.data().toString();
        const QString weekday = index.siblingAtColumn(0).data().toString();
        const bool selected = grid_->currentIndex().isValid() && grid_->currentIndex().row() == index.row();
        QColor back = palette.color(QPalette::Active, QPalette::Base);
        QColor fore = palette.color(QPalette::Active, QPalette::Text);
        if (!selected && ((index.column() == 0 && weekday == QLatin1String("Sat")) || weekday == QLatin1String("Sun")))
            back = palette.color(QPalette::Active, QPalette::Button);
        if ((!selected && index.column() == 0 && index.row() == todayRow_()) || selected) {
            const LabelColours c = colours_();
            back = c.titleBack;
            fore = c.titleText;
        }
        painter->save();
        painter->fillRect(option.rect, back);
        painter->setPen(fore);
        painter->setFont(option.font);
        const QRect r = option.rect.adjusted(2, 0, 0, 0);
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          option.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
        if (selected && grid_->hasFocus() && index.column() == 0) {
            painter->setPen(QPen(fore, 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

private:
    QTableView* grid_;
    std::function<int()> todayRow_;
    std::function<LabelColours()> colours_;
};

}  // namespace

MonthCalendarView::MonthCalendarView(Session& session, Navigator& navigator, QWidget* parent)
    : EventPage(session, QStringLiteral("PP6"), QStringLiteral("T23"), QStringLiteral("Month Calendar"), parent),
      navigator_(navigator)
{
    // In this order: it is the order of the view's children for screen readers.
    BuildCommands();
    BuildGrid();
    monthMenu_ = new QMenu(Label32);
    yearMenu_ = new QMenu(Label34);
    LayOut();
    Connect();
    ShowToday();
    MonCalSetupPopupMenu();
    KeepArrowsInPlace();
}

// The month and year, the moves between months, the kind of events shown.
void MonthCalendarView::BuildCommands()
{
    Label32 = MakeCommand("Label32", QString());
    Label34 = MakeCommand("Label34", QString());
    for (LabelButton* b : {Label32, Label34}) {
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
    }
    Label32->setToolTip(QStringLiteral("Choose a month"));
    Label34->setToolTip(QStringLiteral("Choose a year"));
    Image2 = MakeToolButton(this, "Image2", QStringLiteral("Previous month"));
    Image2->setArrowType(Qt::LeftArrow);
    Label35 = MakeToolButton(this, "Label35", QStringLiteral("Today"));
    Label35->setText(QStringLiteral("\u25A0"));
    Image1 = MakeToolButton(this, "Image1", QStringLiteral("Next month"));
    Image1->setArrowType(Qt::RightArrow);
    ComboBox3 = Named<QComboBox>("ComboBox3", this);
    ComboBox3->addItems({QStringLiteral("All events"), QStringLiteral("Birthday"), QStringLiteral("Calendar"),
                         QStringLiteral("Recurrent")});
    ComboBox3->setAccessibleName(QStringLiteral("Show"));
}

// One row a day, today's marked.
void MonthCalendarView::BuildGrid()
{
    model_ = new MonthRowsModel(this);
    StringGrid2 = Named<QTableView>("StringGrid2", this);
    StringGrid2->setAccessibleName(QStringLiteral("Month Calendar"));
    StringGrid2->setModel(model_);
    StringGrid2->setItemDelegate(new MonthRowPainter(
        StringGrid2,
        [this] {
            const Date today = this->session().today();
            return today.Year == year_ && today.Month == month_ ? today.Day - 1 : -1;
        },
        [this] { return labelColours(); }));
    StringGrid2->horizontalHeader()->hide();
    StringGrid2->verticalHeader()->hide();
    StringGrid2->setShowGrid(false);
    StringGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid2->setTabKeyNavigation(false);
    StringGrid2->setWordWrap(false);
    StringGrid2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid2->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid2->verticalHeader()->setDefaultSectionSize(StringGrid2->fontMetrics().height() + 2);
    const QFontMetrics fm = StringGrid2->fontMetrics();
    StringGrid2->horizontalHeader()->resizeSection(0, std::max(29, fm.horizontalAdvance(QStringLiteral("Wed")) + 8));
    StringGrid2->horizontalHeader()->resizeSection(1, std::max(27, fm.horizontalAdvance(QStringLiteral("31")) + 8));
    StringGrid2->horizontalHeader()->setStretchLastSection(true);
    StringGrid2->installEventFilter(this);
}

void MonthCalendarView::LayOut()
{
    auto* top = new QHBoxLayout;
    top->setSpacing(2);
    top->addWidget(Label32);
    top->addWidget(Label34);
    top->addSpacing(8);
    top->addWidget(Image2);
    top->addWidget(Label35);
    top->addWidget(Image1);
    top->addStretch(1);
    top->addWidget(ComboBox3);
    body()->addLayout(top);
    body()->addWidget(StringGrid2, 1);
}

void MonthCalendarView::Connect()
{
    connect(Image1, &QToolButton::clicked, this, &MonthCalendarView::Image1Click);
    connect(Image2, &QToolButton::clicked, this, &MonthCalendarView::Image2Click);
    connect(Label35, &QToolButton::clicked, this, &MonthCalendarView::ShowToday);
    connect(ComboBox3, &QComboBox::currentIndexChanged, this, &MonthCalendarView::Build);
    connect(Label32, &LabelButton::clicked, this, [this] { PopupBelow(monthMenu_, Label32); });
    connect(Label34, &LabelButton::clicked, this, [this] { PopupBelow(yearMenu_, Label34); });
    connect(StringGrid2, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        StringGrid2->setCurrentIndex(index);
        RowDoubleClicked();
    });
}

void MonthCalendarView::KeepArrowsInPlace()
{
    const auto widest = [](LabelButton* label, const QStringList& texts) {
        const QString shown = label->text();
        const QString name = label->accessibleName();
        int width = 0;
        for (const QString& text : texts) {
            label->setText(text);
            width = std::max(width, label->sizeHint().width());
        }
        label->setText(shown);
        label->setAccessibleName(name);
        label->setFixedWidth(width);
    };
    widest(Label32, MonthNameList());
    QStringList years;
    for (char digit = '0'; digit <= '9'; ++digit) years << QString(4, QLatin1Char(digit));
    widest(Label34, years);
}

void MonthCalendarView::changeEvent(QEvent* event)
{
    EventPage::changeEvent(event);
    if (event->type() == QEvent::FontChange && Label32) KeepArrowsInPlace();
}

void MonthCalendarView::ShowMonth(int year, int month)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12) return;
    year_ = year;
    month_ = month;
    Build();
}

void MonthCalendarView::ShowToday()
{
    const Date today = session().today();
    if (IsValidDate(today.Year, today.Month, today.Day)) ShowMonth(today.Year, today.Month);
    else Build();
}

void MonthCalendarView::Build()
{
    const int row = StringGrid2->currentIndex().row();
    Label32->setText(MonthName(month_));
    Label32->setAccessibleName(QStringLiteral("Month: ") + Label32->text());
    Label34->setText(QString::number(year_));
    Label34->setAccessibleName(QStringLiteral("Year: ") + Label34->text());
    model_->setRows(MonthRows(session().finder(), year_, month_, static_cast<MonthFilter>(std::max(0, ComboBox3->currentIndex())),
                              session().settings().CB11));
    if (row >= 0) StringGrid2->setCurrentIndex(model_->index(row, 0));
}

void MonthCalendarView::Image1Click()
{
    if (month_ == 12 && year_ < 9999) ShowMonth(year_ + 1, 1);
    else if (month_ < 12) ShowMonth(year_, month_ + 1);
}

void MonthCalendarView::Image2Click()
{
    if (month_ == 1 && year_ > 1) ShowMonth(year_ - 1, 12);
    else if (month_ > 1) ShowMonth(year_, month_ - 1);
}

void MonthCalendarView::MonCalSetupPopupMenu()
{
    BuildMonthMenu(monthMenu_, [this](int m) { ShowMonth(year_, m); });
    BuildYearMenu(yearMenu_, year_, [this](int y) {
        ShowMonth(y, month_);
        // The menu follows the year chosen from it, not the months stepped through.
        MonCalSetupPopupMenu();
    });
}

void MonthCalendarView::RowDoubleClicked()
{
    const int row = StringGrid2->currentIndex().row();
    // A row after the month's last day opens the calendar where it was.
    if (row >= 0 && row < model_->days())
        navigator_.ShowCalendarAt(Date{static_cast<std::uint16_t>(year_), static_cast<std::uint16_t>(month_),
                                       static_cast<std::uint16_t>(row + 1)});
    else
        navigator_.ShowView(ViewItem::Calendar);
}

bool MonthCalendarView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StringGrid2 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RowDoubleClicked();
            return true;
        }
    }
    return EventPage::eventFilter(watched, event);
}

void MonthCalendarView::setLabelColours(const LabelColours& colours)
{
    EventPage::setLabelColours(colours);
    if (StringGrid2) StringGrid2->viewport()->update();
}

void MonthCalendarView::Follow(Changes& changes)
{
    changes.Subscribe(this, kEventKinds, [this] { Build(); });
}

}  // namespace orv
