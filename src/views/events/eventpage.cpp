#include "views/events/eventpage.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "core/session.h"
#include "engine/dates.h"
#include "store/textutil.h"
#include "views/common/labelbutton.h"
#include "views/common/named.h"
#include "views/common/storedtext.h"

namespace orv {

EventPage::EventPage(Session& session, const QString& name, const QString& titleName, const QString& title,
                     QWidget* parent)
    : ViewPanel(name, titleName, title, parent),
      dialogs_(StandardDialogs()),
      session_(session)
{
    setWindowTitle(title);
    setLabelColours(LabelColours{});
}

void EventPage::Message(QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    dialogs_.alert(this, icon, caption, text);
}

bool EventPage::SaveNow(DataKind kind)
{
    // Written beside the window; what the write tells comes when it ended
    // (before this returns where the session waits for its writes).
    auto failed = std::make_shared<bool>(false);
    session_.SaveDataFile(
        kind,
        [this, failed](const SessionReport& report) {
            if (!report.notices.empty())
                Message(QMessageBox::Information, QStringLiteral("ORV"),
                        DecodeStoredLines(report.notices).join(QStringLiteral("\n\n")));
            if (report.ok()) return;
            *failed = true;
            const QStringList lines = DecodeStoredLines(report.messages);
            Message(QMessageBox::Warning, QStringLiteral("ORV"), lines.join(QStringLiteral("\n\n")));
        },
        this);
    return !*failed;
}

void EventPage::setLabelColours(const LabelColours& c)
{
    colours_ = c;
    setTitleColours(c.titleBack, c.titleText);
    links_.SetColours(c.titleBack, c.titleText, c.selBack, c.selText);
    SetCommandColours(commands_, c);
}

void SetCommandColours(TLabelList& commands, const LabelColours& c)
{
    commands.SetColours(c.notSelBack, c.notSelText, c.selBack, c.selText);
}

LabelButton* EventPage::MakeLink(const char* name, const QString& caption, const QString& accessibleName)
{
    return MakeInList(links_, name, caption, accessibleName);
}

LabelButton* EventPage::MakeCommand(const char* name, const QString& caption, const QString& accessibleName)
{
    return MakeInList(commands_, name, caption, accessibleName);
}

LabelButton* EventPage::MakeInList(TLabelList& list, const char* name, const QString& caption,
                                   const QString& accessibleName)
{
    LabelButton* button = MakeLabelButton(this, name, caption, accessibleName);
    list.add(button);
    list.Apply(button);
    return button;
}

QLabel* MakeCaption(QWidget* parent, const QString& text, QWidget* buddy, CaptionWeight weight)
{
    auto* label = new QLabel(text, parent);
    if (weight == CaptionWeight::Bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    if (buddy) {
        label->setBuddy(buddy);
        if (buddy->accessibleName().isEmpty()) {
            QString name = text;
            name.remove(QLatin1Char('&'));
            if (name.endsWith(QLatin1Char(':'))) name.chop(1);
            buddy->setAccessibleName(name.trimmed());
        }
    }
    return label;
}

}  // namespace orv

namespace orv {

QLabel* MakeDialogTitle(QWidget* parent, const QString& text)
{
    auto* title = new QLabel(text, parent);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    title->setFont(big);
    return title;
}

QHBoxLayout* MakeDialogButtons(QDialog* dialog, QPushButton*& ok, const char* okName, const QString& okCaption,
                               QPushButton*& cancel, const char* cancelName, QWidget* left)
{
    ok = Named<QPushButton>(QString::fromLatin1(okName), okCaption, dialog);
    ok->setDefault(true);
    cancel = Named<QPushButton>(QString::fromLatin1(cancelName), QStringLiteral("Cancel"), dialog);
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    if (left) row->addWidget(left, 1);
    else row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& accessibleName)
{
    auto* b = Named<QToolButton>(QString::fromLatin1(name), parent);
    b->setAccessibleName(accessibleName);
    b->setToolTip(accessibleName);
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QComboBox* MakeChoiceBox(QWidget* parent, const char* name, const QStringList& items)
{
    auto* box = Named<QComboBox>(QString::fromLatin1(name), parent);
    box->addItems(items);
    box->setCurrentIndex(-1);
    return box;
}

QString FixedText(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<int>(text.size())); }

QString MonthName(int month) { return month >= 1 && month <= 12 ? FixedText(MonthNames[static_cast<std::size_t>(month)]) : QString(); }

QStringList MonthNameList()
{
    QStringList names;
    for (int m = 1; m <= 12; ++m) names << MonthName(m);
    return names;
}

QStringList WeekdayNameList()
{
    QStringList names;
    for (int w = 1; w <= 7; ++w) names << FixedText(DayNames[static_cast<std::size_t>(w)]);
    return names;
}

QStringList DayOfMonthItems()
{
    QStringList items;
    for (int d = 1; d <= 31; ++d) items << QStringLiteral("%1.").arg(d);
    return items;
}

void FilterCountField(QLineEdit* edit, CountField kind)
{
    const QString text = edit->text();
    if (text.isEmpty()) return;
    const std::optional<std::int32_t> parsed = ParseInt32(text.toStdString());
    std::int32_t value = parsed ? *parsed : 0;
    QString filtered;
    if (kind == CountField::Month && (value > 12 || value < 0))
        filtered.clear();
    else
        filtered = QString::number(std::max(value, 0));
    if (filtered == text) return;
    const QSignalBlocker blocker(edit);
    edit->setText(filtered);
}

void FillHintList(QListWidget* list, const std::vector<std::string>& hints)
{
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& h : hints) list->addItem(DecodeStored(h));
}

}  // namespace orv
