// The line under the fields of the recurrent and advanced editors that shows,
// while the event is typed, the next dates on which it will occur, and says
// plainly when a week list names a week most years lack or a day that some
// months lack. It only informs; it never stops a command.
#pragma once

#include <QLabel>

#include "engine/upcoming.h"

namespace orv {

class UpcomingLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr int kDates = 5;

    UpcomingLabel(const char* name, QWidget* parent = nullptr);

    void ShowWeekly(const AWeek& event, Date from, const DateSettings& settings);
    void ShowMonthly(const AMonth& event, Date from, const DateSettings& settings);
    // `movedFrom`: the day chosen before the page pulled it back to the
    // month's last day (0: the day is as chosen), which the text then says.
    void ShowAnnual(const AYear& event, Date from, const DateSettings& settings, int movedFrom = 0);
    void ShowAdvanced(const AAdv& event, Date from, const DateSettings& settings);

private:
    enum class Weeks { Shown, Hidden };
    void ShowDates(const std::vector<UpcomingDate>& dates, Weeks weeks, const QStringList& notes,
                   const DateSettings& settings);
};

}  // namespace orv
