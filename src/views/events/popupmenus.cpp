#include "views/events/popupmenus.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QWidgetAction>
#include <algorithm>
#include <memory>

#include "views/common/named.h"
#include "views/events/eventpage.h"

namespace orv {

QString MenuCaption(const QString& text)
{
    QString caption = text;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

void BuildMonthMenu(QMenu* menu, std::function<void(int)> chosen)
{
    menu->clear();
    for (int m = 1; m <= 12; ++m) {
        QAction* a = menu->addAction(MonthName(m));
        QObject::connect(a, &QAction::triggered, menu, [chosen, m] { chosen(m); });
    }
}

void BuildYearMenu(QMenu* menu, int centre, std::function<void(int)> chosen)
{
    menu->clear();
    for (int y = centre - 5; y <= centre + 5; ++y) {
        if (y < 1 || y > 9999) continue;
        QAction* a = menu->addAction(QString::number(y));
        QObject::connect(a, &QAction::triggered, menu, [chosen, y] { chosen(y); });
    }
}

namespace {

using GotoList = std::vector<GotoItem>;

// Items `order[first..last)` of `items`: flat when they fit, else in ranges
// titled with their first and last caption.
void FillGotoRange(QMenu* menu, const std::shared_ptr<const GotoList>& items,
                   const std::shared_ptr<const std::vector<int>>& order, std::size_t first, std::size_t last,
                   const std::function<void(int)>& chosen)
{
    const std::size_t count = last - first;
    if (count <= kFlatGotoMenu) {
        for (std::size_t i = first; i < last; ++i) {
            const int index = (*order)[i];
            menu->addAction(MenuCaption((*items)[static_cast<std::size_t>(index)].caption), menu,
                            [chosen, index] { chosen(index); });
        }
        return;
    }
    // Full submenus of kFlatGotoMenu items (or of as many submenus), the
    // rest in the last: a few levels reach any item of a lifetime's lists.
    std::size_t chunk = kFlatGotoMenu;
    while ((count + chunk - 1) / chunk > kFlatGotoMenu) chunk *= kFlatGotoMenu;
    for (std::size_t from = first; from < last; from += chunk) {
        const std::size_t to = std::min(last, from + chunk);
        const QString& a = (*items)[static_cast<std::size_t>((*order)[from])].caption;
        const QString& b = (*items)[static_cast<std::size_t>((*order)[to - 1])].caption;
        QMenu* sub = menu->addMenu(MenuCaption(a + QStringLiteral(" \u2013 ") + b));
        QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, items, order, from, to, chosen] {
            if (sub->isEmpty()) FillGotoRange(sub, items, order, from, to, chosen);
        });
    }
}

}  // namespace

void BuildGotoMenu(QMenu* menu, const std::vector<GotoItem>& list, const QStringList& groupTitles,
                   std::function<void(int)> chosen)
{
    // clear() leaves the submenus themselves behind.
    for (QAction* a : menu->actions())
        if (QMenu* sub = a->menu(); sub && sub->parent() == menu) sub->deleteLater();
    menu->clear();
    auto items = std::make_shared<const GotoList>(list);
    if (list.size() <= kFlatGotoMenu) {
        auto order = std::make_shared<std::vector<int>>(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) (*order)[i] = static_cast<int>(i);
        FillGotoRange(menu, items, order, 0, list.size(), chosen);
        return;
    }
    const auto groups = static_cast<std::size_t>(groupTitles.size());
    std::vector<std::vector<int>> members(groups + 1);  // the last: "Other"
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int g = list[i].group;
        members[g >= 0 && static_cast<std::size_t>(g) < groups ? static_cast<std::size_t>(g) : groups].push_back(
            static_cast<int>(i));
    }
    for (std::size_t g = 0; g <= groups; ++g) {
        if (members[g].empty()) continue;
        auto order = std::make_shared<const std::vector<int>>(std::move(members[g]));
        const QString title = g < groups ? groupTitles[static_cast<qsizetype>(g)] : QStringLiteral("Other");
        QMenu* sub = menu->addMenu(QStringLiteral("%1 (%2)").arg(MenuCaption(title)).arg(order->size()));
        QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, items, order, chosen] {
            if (sub->isEmpty()) FillGotoRange(sub, items, order, 0, order->size(), chosen);
        });
    }
}

void PopupBelow(QMenu* menu, QWidget* label) { menu->popup(label->mapToGlobal(QPoint(0, label->height()))); }

WeekMenu::WeekMenu(QWidget* parent) : QMenu(parent)
{
    auto* grid = new QWidget(this);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    // Flat buttons draw no focus frame in every style: the week that has the
    // keyboard focus is shown in the selection colours instead.
    grid->setStyleSheet(QStringLiteral("QToolButton:focus { background: palette(highlight); "
                                       "color: palette(highlighted-text); }"));
    for (int week = 1; week <= 52; ++week) {
        auto* b = Named<QToolButton>(QStringLiteral("Week%1").arg(week), grid);
        b->setText(QString::number(week));
        b->setAccessibleName(QStringLiteral("Week %1").arg(week));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::StrongFocus);
        b->installEventFilter(this);
        connect(b, &QToolButton::clicked, this, [this, week] { Choose(week); });
        layout->addWidget(b, (week - 1) % 10, (week - 1) / 10);
        buttons_[static_cast<std::size_t>(week - 1)] = b;
    }
    auto* action = new QWidgetAction(this);
    action->setDefaultWidget(grid);
    addAction(action);
}

QToolButton* WeekMenu::button(int week) const
{
    return week >= 1 && week <= 52 ? buttons_[static_cast<std::size_t>(week - 1)] : nullptr;
}

void WeekMenu::Choose(int week)
{
    hide();
    emit weekChosen(week);
}

void WeekMenu::showEvent(QShowEvent* event)
{
    QMenu::showEvent(event);
    if (QToolButton* b = button(current_)) b->setFocus(Qt::PopupFocusReason);
}

bool WeekMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return QMenu::eventFilter(watched, event);
    auto* b = qobject_cast<QToolButton*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    int week = 0;
    for (int w = 1; w <= 52; ++w)
        if (buttons_[static_cast<std::size_t>(w - 1)] == b) week = w;
    if (week == 0) return false;
    int target = 0;
    switch (key->key()) {
    case Qt::Key_Up: target = week - 1; break;
    case Qt::Key_Down: target = week + 1; break;
    case Qt::Key_Left: target = week - 10; break;
    case Qt::Key_Right: target = week + 10; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Choose(week);
        return true;
    default:
        return false;
    }
    if (QToolButton* next = button(target)) next->setFocus(Qt::OtherFocusReason);
    return true;
}

}  // namespace orv
