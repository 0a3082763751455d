#include "shell/fontapply.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableView>
#include <QTextEdit>

#include "views/common/storedtext.h"

namespace orv {

QFont ChosenFont(const Settings& s)
{
    QFont font(DecodeStored(s.FontName));
    if (s.FontSize > 0 && s.FontSize < 200) font.setPointSize(s.FontSize);
    return font;
}

void ApplyChosenFont(QWidget* window, const Settings& s)
{
    if (!s.CB27 || !window) return;
    const QFont font = ChosenFont(s);
    const int pixels = QFontMetrics(font).height();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const int tag = w->property("tag").toInt();
        if (s.CB28) {
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QTextEdit*>(w) ||
                qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w)) {
                w->setFont(font);
            } else if (auto* table = qobject_cast<QTableView*>(w)) {
                table->setFont(font);
                table->verticalHeader()->setDefaultSectionSize(pixels + 5);
            } else if (auto* list = qobject_cast<QListView*>(w)) {
                list->setFont(font);
                list->setUniformItemSizes(true);
                list->setStyleSheet(QStringLiteral("QListView::item { height: %1px; }").arg(pixels + 4));
            }
        }
        if (s.CB29) {
            if (auto* label = qobject_cast<QLabel*>(w)) {
                if (tag == 399) continue;
                label->setFont(font);
                if (tag == 398) label->setFixedHeight(0);
            } else if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QCalendarWidget*>(w) || qobject_cast<QGroupBox*>(w)) {
                w->setFont(font);
            }
        }
    }
}

void RestoreBounds(QWidget* window, const std::optional<std::int32_t>& top, const std::optional<std::int32_t>& left,
                   const std::optional<std::int32_t>& height, const std::optional<std::int32_t>& width)
{
    QSize size = window->size();
    if (height && *height > 50) size.setHeight(*height);
    if (width && *width > 50) size.setWidth(*width);
    window->resize(size);
    const QScreen* screen = window->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QPoint at;
    if (top) {
        at = QPoint(left ? *left : window->x(), *top);
    } else {
        at = area.center() - QPoint(size.width() / 2, size.height() / 2);
    }
    // Bounds saved on a larger screen must not put the window out of reach.
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - 80)));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - 80)));
    window->move(at);
}

void SaveBounds(const QWidget* window, std::optional<std::int32_t>& top, std::optional<std::int32_t>& left,
                std::optional<std::int32_t>& height, std::optional<std::int32_t>& width)
{
    // The place is the frame's, as move() takes it back; the size is the
    // window's own, as resize() takes it. Saving the inner place would move
    // the window down by its title bar at every start.
    top = window->y();
    left = window->x();
    height = window->height();
    width = window->width();
}

void PlaceOver(QWidget* window, const QWidget* over)
{
    const QRect area = over->frameGeometry();
    window->move(area.center() - QPoint(window->frameGeometry().width() / 2, window->frameGeometry().height() / 2));
}

}  // namespace orv
