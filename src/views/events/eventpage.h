// A page of the main window that edits or browses events: a view panel (title
// line on top, controls below) with the labels that act as buttons. Those are
// LabelButtons with the page's names ("MenuL27", "T16"), named for screen
// readers, in two kinds: links ("Today", "Goto") in the title colours and
// commands ("Next", "Event", "Delete") in the colours of the sidebar items;
// both take the sidebar's hover colours under the mouse.
#pragma once

#include <QColor>
#include <QMessageBox>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/datafile.h"
#include "views/events/tlabellist.h"
#include "views/common/viewdialogs.h"
#include "views/common/viewpanel.h"

class QComboBox;
class QDialog;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace orv {

class LabelButton;
class Session;

struct LabelColours {
    QColor titleBack{0x33, 0x4D, 0x73};
    QColor titleText{Qt::white};
    QColor notSelBack{0xF0, 0xF0, 0xF0};
    QColor notSelText{Qt::black};
    QColor selBack{0x33, 0x73, 0x73};
    QColor selText{Qt::white};
};

class EventPage : public ViewPanel {
    Q_OBJECT
public:
    EventPage(Session& session, const QString& name, const QString& titleName, const QString& title,
              QWidget* parent = nullptr);

    // The pages that paint with the title colours themselves follow them here.
    virtual void setLabelColours(const LabelColours& colours);
    const LabelColours& labelColours() const { return colours_; }
    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }
    void Message(QMessageBox::Icon icon, const QString& caption, const QString& text);

signals:
    // The page changed stored data and wrote its file: the views that show
    // the data are refreshed (UpdateORV).
    void changed();

protected:
    Session& session() const { return session_; }
    ViewDialogs dialogs_;
    // Hands the kind's list to the writer at once, so nothing entered is
    // lost if the program ends right after (it waits for its writes); a
    // failure is shown when the write failed, and is false when that was
    // before this returned.
    bool SaveNow(DataKind kind);
    // `accessibleName` says what the button does where its caption alone does
    // not ("Event" forward and back).
    LabelButton* MakeLink(const char* name, const QString& caption, const QString& accessibleName = {});
    LabelButton* MakeCommand(const char* name, const QString& caption, const QString& accessibleName = {});

private:
    Session& session_;
    LabelButton* MakeInList(TLabelList& list, const char* name, const QString& caption, const QString& accessibleName);

    LabelColours colours_;
    TLabelList links_;
    TLabelList commands_;
};

// Command labels ("Add address", "From file") in the not-selected colours, and
// in the selected ones under the mouse.
void SetCommandColours(TLabelList& commands, const LabelColours& colours);

// A bold caption above a list or a field, the buddy that names it.
enum class CaptionWeight { Normal, Bold };
QLabel* MakeCaption(QWidget* parent, const QString& text, QWidget* buddy = nullptr,
                   CaptionWeight weight = CaptionWeight::Normal);
// The large bold title line of a dialog ("Calendar event").
QLabel* MakeDialogTitle(QWidget* parent, const QString& text);
// Ok and Cancel at the bottom right of a dialog: Enter presses Ok, which the
// caller connects; Cancel (and Escape) rejects. `left`, when given, takes the
// room to their left.
QHBoxLayout* MakeDialogButtons(QDialog* dialog, QPushButton*& ok, const char* okName, const QString& okCaption,
                               QPushButton*& cancel, const char* cancelName, QWidget* left = nullptr);
// A small picture button (arrows, "Today", confirm) named for screen readers.
QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& accessibleName);
// A choice list with nothing chosen yet.
QComboBox* MakeChoiceBox(QWidget* parent, const char* name, const QStringList& items);

// The program's own fixed names as widget texts: "January" .. "December"
// ("Febuary" as everywhere), "Sunday" .. "Saturday".
QString FixedText(std::string_view text);
QString MonthName(int month);
QStringList MonthNameList();
QStringList WeekdayNameList();
// The days of a month as the editors list them: "1." .. "31."
QStringList DayOfMonthItems();

// The filter of the counting fields, run on every change: a text that is not
// empty becomes the whole number it holds (0 when it holds none, so letters
// and leading zeros go); a month above 12 (or below 0) empties the field.
enum class CountField { Month, Year };
void FilterCountField(QLineEdit* edit, CountField kind);

// Shows stored hints in a list, decoded.
void FillHintList(QListWidget* list, const std::vector<std::string>& hints);

}  // namespace orv
