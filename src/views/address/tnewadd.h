// "New Address / Birthday": a person typed in one dialog. "Ok" inserts a
// record in the address view, copies the dialog into the view's fields and
// posts it, so the view's checks apply to the birthday.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace orv {

class AddressView;

class TNewAdd : public QDialog {
    Q_OBJECT
public:
    explicit TNewAdd(AddressView& view, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkClick();

    AddressView& view_;
    QScrollArea* ScrollBox1;
    QLineEdit* Edit[11];  // Edit1 .. Edit11
    QPlainTextEdit* Memo1;
    QPushButton* OkButton;
    QPushButton* CancelButton;
};

}  // namespace orv
