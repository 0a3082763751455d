// A view of the main window: its title line on top, its controls below.
#pragma once

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace orv {

class ViewPanel : public QWidget {
    Q_OBJECT
public:
    // `name` is the panel's name (PP13 ...), `titleName` its title label's.
    ViewPanel(const QString& name, const QString& titleName, const QString& title, QWidget* parent = nullptr);

    QLabel* title() const { return title_; }
    QVBoxLayout* body() const { return body_; }
    void setTitleColours(const QColor& background, const QColor& text);

private:
    QLabel* title_;
    QVBoxLayout* body_;
};

}  // namespace orv
