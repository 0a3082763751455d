// The Today Box: a small always-on-top window with the events of one day,
// today unless the user pages to another day. Double-clicking a line opens the
// matching view of the main window through the Navigator.
#pragma once

#include <QWidget>

#include "core/settings.h"
#include "engine/dates.h"
#include "views/common/navigator.h"

class QFrame;
class QToolButton;

namespace orv {

class EventGrid;
class Session;

class TTodayBox : public QWidget {
    Q_OBJECT
public:
    TTodayBox(Session& session, Navigator& navigator, QWidget* parent = nullptr);

    // Refills the lines. Day::Today: the box's own show, its "Today" button or
    // the main window's "Today Box" button, which return it to today; any
    // other caller (paging, the refresh after an edit, "Update") keeps its day.
    enum class Day { Today, Kept };
    void Fill(Day day);
    Date day() const { return day_; }
    // The refill of "Update" (also at midnight): a box that showed the day
    // that was today moves on to today; one paged to another day keeps it.
    void FillAfterUpdate(Date previousToday);

    // The navigator bar (CB19) and the Kind column's width (Indicator).
    void ApplySettings();
    void setTitleColours(const QColor& background, const QColor& text);

    // Called whenever the main window is shown or hidden: with "Start with ORV"
    // (CB20) on, the box follows the main window until the user closes it.
    enum class MainWindow { Shown, Hidden };
    void ShowWithMainWindow(MainWindow mainWindow);
    bool closedByUser() const { return closedByUser_; }

public slots:
    void PreviousDay();  // SpeedButton1
    void NextDay();      // SpeedButton2
    void ShowToday();    // SpeedButton3

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildNavigator();
    void BuildList();
    void LineDoubleClicked();

    Session& session_;
    Navigator& navigator_;
    Date day_{};
    bool closedByUser_ = false;

    QFrame* Panel1;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    EventGrid* StringGrid1;
};

}  // namespace orv
