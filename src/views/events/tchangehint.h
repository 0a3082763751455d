// TChangeHint: the date picker that "Change date" of the calendar event dialog
// opens below its button. A month grid with month stepping, a "Today" square
// and a confirm button; the caption names the picked date.
#pragma once

#include <QDialog>
#include <optional>

#include "engine/dates.h"

class QLabel;
class QToolButton;

namespace orv {

class Session;
class TMyCal;

class TChangeHint : public QDialog {
    Q_OBJECT
public:
    explicit TChangeHint(Session& session, QWidget* parent = nullptr);

    TMyCal* calendar() const { return MyCal1; }
    // Week start and today from the settings, as at every initialisation.
    void ApplySettings();
    // Shows `date`, placed just below `anchor` with its right edge 4 pixels
    // right of the anchor's, and waits; the picked date when confirmed.
    std::optional<Date> Pick(Date date, QWidget* anchor);
    // Prepares the picker on `date` without showing it.
    void Prepare(Date date);

public slots:
    void MyCal1Click();
    void Image1Click();  // next month
    void Image2Click();  // previous month
    void Label35Click(); // today
    void Image3Click();  // confirm

private:
    Session& session_;
    QLabel* Label32;
    QLabel* Label34;
    QToolButton* Image2;
    QToolButton* Label35;
    QToolButton* Image1;
    QToolButton* Image3;
    TMyCal* MyCal1;
};

}  // namespace orv
