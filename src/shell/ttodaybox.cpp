#include "shell/ttodaybox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "engine/dayviews.h"
#include "views/common/named.h"
#include "views/today/eventgrid.h"

namespace orv {

namespace {

// A top-level QWidget reads as a mere filler to a screen reader; the box is a window.
QAccessibleInterface* AccessibleTodayBox(const QString& className, QObject* object)
{
    if (className == QLatin1String(TTodayBox::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

QToolButton* NavButton(QWidget* parent, const char* name)
{
    auto* button = Named<QToolButton>(QString::fromLatin1(name), parent);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

TTodayBox::TTodayBox(Session& session, Navigator& navigator, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      session_(session),
      navigator_(navigator),
      day_(session.today())
{
    setObjectName(QStringLiteral("TodayBox"));
    static const bool accessible = (QAccessible::installFactory(AccessibleTodayBox), true);
    Q_UNUSED(accessible);
    // In this order: it is the order of the box's children for screen readers.
    BuildNavigator();
    BuildList();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(StringGrid1, 1);

    ApplySettings();
    resize(179, 188);
    Fill(Day::Today);
}

// The bar above the list: the previous and next day, "Today".
void TTodayBox::BuildNavigator()
{
    Panel1 = Named<QFrame>("Panel1", this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    SpeedButton1 = NavButton(Panel1, "SpeedButton1");
    SpeedButton1->setArrowType(Qt::LeftArrow);
    SpeedButton1->setToolTip(QStringLiteral("Previous day"));
    SpeedButton1->setAccessibleName(SpeedButton1->toolTip());
    SpeedButton2 = NavButton(Panel1, "SpeedButton2");
    SpeedButton2->setArrowType(Qt::RightArrow);
    SpeedButton2->setToolTip(QStringLiteral("Next day"));
    SpeedButton2->setAccessibleName(SpeedButton2->toolTip());
    SpeedButton3 = NavButton(Panel1, "SpeedButton3");
    SpeedButton3->setText(QStringLiteral("Today"));
    connect(SpeedButton1, &QToolButton::clicked, this, &TTodayBox::PreviousDay);
    connect(SpeedButton2, &QToolButton::clicked, this, &TTodayBox::NextDay);
    connect(SpeedButton3, &QToolButton::clicked, this, &TTodayBox::ShowToday);

    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(2, 1, 2, 1);
    bar->setSpacing(2);
    bar->addWidget(SpeedButton1);
    bar->addWidget(SpeedButton2);
    bar->addStretch(1);
    bar->addWidget(SpeedButton3);
}

void TTodayBox::BuildList()
{
    StringGrid1 = Named<EventGrid>("StringGrid1", EventGrid::Columns::KindText, QStringLiteral("Panel2"), this);
    StringGrid1->setAccessibleName(QStringLiteral("Today Box"));
    connect(StringGrid1, &EventGrid::lineDoubleClicked, this, &TTodayBox::LineDoubleClicked);
}

void TTodayBox::ApplySettings()
{
    const Settings& s = session_.settings();
    Panel1->setVisible(s.CB19);
    StringGrid1->setIndicatorWidth(s.Indicator);
}

void TTodayBox::setTitleColours(const QColor& background, const QColor& text)
{
    StringGrid1->setTitleColours(background, text);
}

void TTodayBox::Fill(Day day)
{
    if (day == Day::Today) day_ = session_.today();
    const Settings& s = session_.settings();
    const TodoLists& todos = session_.todos();
    ApplySettings();
    // Before the first initialisation there is no day to list.
    if (!IsValidDate(day_.Year, day_.Month, day_.Day)) {
        StringGrid1->setTable({});
        setWindowTitle(QStringLiteral(" "));
        return;
    }
    StringGrid1->setTable(TodayBoxLines(session_.finder(), day_, TodayBoxSettingsFrom(s), todos.Top, todos.Bottom));
    setWindowTitle(QLatin1Char(' ') + QString::fromStdString(ELongDate(day_, DateSettingsFrom(s))));
}

void TTodayBox::FillAfterUpdate(Date previousToday)
{
    Fill(day_ == previousToday ? Day::Today : Day::Kept);
}

void TTodayBox::PreviousDay()
{
    day_ = PrevDate(day_);
    Fill(Day::Kept);
}

void TTodayBox::NextDay()
{
    day_ = NextDate(day_);
    Fill(Day::Kept);
}

void TTodayBox::ShowToday() { Fill(Day::Today); }

void TTodayBox::ShowWithMainWindow(MainWindow mainWindow)
{
    if (session_.settings().CB20 && !closedByUser_) setVisible(mainWindow == MainWindow::Shown);
}

void TTodayBox::showEvent(QShowEvent* event)
{
    // Showing the box is one of the fills that return it to today; a window
    // restored by the desktop keeps its day.
    if (!event->spontaneous()) Fill(Day::Today);
    QWidget::showEvent(event);
}

void TTodayBox::closeEvent(QCloseEvent* event)
{
    closedByUser_ = true;
    QWidget::closeEvent(event);
}

void TTodayBox::LineDoubleClicked()
{
    const Occurrence* found = StringGrid1->currentLine();
    if (!found) return;
    Occurrence line = *found;
    if (line.Kind == EventKind::Birthday) {
        // The box finds the person by the line's text; nothing at all happens
        // for a line whose person is gone.
        const auto index = TodayBoxBirthdayAddress(session_.records(), day_, line.Text);
        if (!index) return;
        line.SourceIndex = *index;
    }
    if (navigator_.OpenRecord(line, day_)) navigator_.ShowMainWindow();
}

}  // namespace orv
