// TNewAdv, "New Advanced Event": a hint and the three choices of an advanced
// event. "Ok" is ready only when all four are given; it adds the event to the
// advanced page and leaves the dialog open with its fields, for the next one.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class AdvancedView;
struct AdvancedChoice;
class Session;
class UpcomingLabel;

class TNewAdv : public QDialog {
    Q_OBJECT
public:
    TNewAdv(Session& session, AdvancedView& page, QWidget* parent = nullptr);

    // An empty hint and no choices, as the main menu's "Advanced" opens it.
    void Prepare();

public slots:
    void OkClick();

private:
    AdvancedChoice Choice() const;
    void UpdateOk();
    void FieldsChanged();

    Session& session_;
    AdvancedView& page_;
    QLineEdit* Edit1;
    QComboBox* ComboBox1;  // day number
    QComboBox* ComboBox3;  // weekday
    QComboBox* ComboBox2;  // month
    UpcomingLabel* preview_;
    QLabel* stored_;
    QPushButton* OkButton;
    QPushButton* CancelButton;
};

}  // namespace orv
