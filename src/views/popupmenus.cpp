#include "views/popupmenus.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QWidgetAction>

#include "views/eventpage.h"

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

void BuildGotoMenu(QMenu* menu, const std::vector<QString>& captions, std::function<void(int)> chosen)
{
    menu->clear();
    for (std::size_t i = 0; i < captions.size(); ++i) {
        QAction* a = menu->addAction(MenuCaption(captions[i]));
        const int index = static_cast<int>(i);
        QObject::connect(a, &QAction::triggered, menu, [chosen, index] { chosen(index); });
    }
}

void PopupBelow(QMenu* menu, QWidget* label) { menu->popup(label->mapToGlobal(QPoint(0, label->height()))); }

WeekMenu::WeekMenu(QWidget* parent) : QMenu(parent)
{
    auto* grid = new QWidget(this);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    for (int week = 1; week <= 52; ++week) {
        auto* b = new QToolButton(grid);
        b->setObjectName(QStringLiteral("Week%1").arg(week));
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
