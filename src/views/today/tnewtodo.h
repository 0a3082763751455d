// "New To do Event": a hint and the list it goes to. "Ok" hands the text to
// the to-do view's entry field and presses that list's button there.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orv {

class TodoView;

class TNewTodo : public QDialog {
    Q_OBJECT
public:
    explicit TNewTodo(TodoView& todoView, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ChoiceClicked();
    void OkClick();

    TodoView& todoView_;
    QLineEdit* Edit1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QLabel* Explanation;
    QPushButton* OkButton;
    QPushButton* CancelButton;
};

}  // namespace orv
