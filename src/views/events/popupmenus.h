// The pop-up menus of the pages' labels: months, years around a centre, the
// week numbers 1..52 ten to a column, and the "Goto" lists of records. Each
// builder replaces what the menu held, so a rebuild after an edit lists
// exactly the records there are, in list order.
#pragma once

#include <QMenu>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class QToolButton;

namespace orv {

// The twelve month names ("Febuary" as everywhere); `chosen` gets 1..12.
void BuildMonthMenu(QMenu* menu, std::function<void(int month)> chosen);
// The eleven years from centre - 5 to centre + 5.
void BuildYearMenu(QMenu* menu, int centre, std::function<void(int year)> chosen);
// A "Goto" item: its caption and the group it is listed under when the list
// is too long for one menu (a weekday, a day, a month).
struct GotoItem {
    QString caption;
    int group = -1;  // an index of the group titles; any other value: "Other"
};
// Up to kFlatGotoMenu items: one item per caption, in list order. A longer
// list (a lifetime of data has thousands) gets one submenu per group in the
// order of the titles, each with its items in list order; a group longer
// than kFlatGotoMenu is cut into submenus of that many, titled with their
// first and last caption, as the address book's "Go to" does. Submenus are filled when they
// open. `chosen` gets the item's position in `items`.
inline constexpr std::size_t kFlatGotoMenu = 40;
void BuildGotoMenu(QMenu* menu, const std::vector<GotoItem>& items, const QStringList& groupTitles,
                   std::function<void(int index)> chosen);

// Opens a label's menu just below the label.
void PopupBelow(QMenu* menu, QWidget* label);

// The week menu: 52 buttons in six columns of ten (1-10, 11-20, ...), moved
// through with the arrow keys, so that a week is chosen in one step.
class WeekMenu : public QMenu {
    Q_OBJECT
public:
    explicit WeekMenu(QWidget* parent = nullptr);
    // The week whose button has the focus when the menu opens.
    void setCurrentWeek(int week) { current_ = week; }
    QToolButton* button(int week) const;

signals:
    void weekChosen(int week);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Choose(int week);

    std::array<QToolButton*, 52> buttons_{};
    int current_ = 1;
};

// A stored text as a menu caption: '&' shown, not taken for a shortcut mark.
QString MenuCaption(const QString& text);

}  // namespace orv
