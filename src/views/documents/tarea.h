// "Select area:" (TArea): how many columns and rows of a spreadsheet's first
// sheet the import reads, counted from its top-left cell.
#pragma once

#include <QDialog>

class QPushButton;
class QSpinBox;

namespace orv {

class TArea : public QDialog {
    Q_OBJECT
public:
    explicit TArea(QWidget* parent = nullptr);

    struct Choice {
        int columns = 1;
        int rows = 1;
        bool cancelled = true;
    };
    // Shows the dialog modally; "OK" clears the cancelled flag, "Cancel" sets it.
    Choice Ask();

private:
    QSpinBox* SpinEdit1;  // "Columns"
    QSpinBox* SpinEdit2;  // "Rows"
    QPushButton* OKButton;
    QPushButton* CancelButton;
};

}  // namespace orv
