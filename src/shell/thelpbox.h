// The help window: one of sixteen pages carried inside the program, chosen in a
// list at the top, plus a menu that reaches the maker on the web and by mail.
#pragma once

#include <QMainWindow>

#include "shell/urlopener.h"

class QAction;
class QComboBox;
class QTextBrowser;

namespace orv {

class THelpBox : public QMainWindow {
    Q_OBJECT

public:
    // The pages, in the order of the chooser.
    enum Page : int {
        PageOrv,
        PageCalendar,
        PageMonthCalendar,
        PageAddressBook,
        PageWeekly,
        PageMonthly,
        PageAnnual,
        PageAdvanced,
        PageTodo,
        PageSearchPeople,
        PageSearchCalendar,
        PagePeriodical,
        PagePhoneBook,
        PageEventTypeLetters,
        PageMenu,
        PageReadme,
        PageCount
    };

    explicit THelpBox(QWidget* parent = nullptr);

    // Selects the page in the chooser, loads it and shows the window (not
    // modal). An index outside the table shows the "ORV" page.
    void ShowHelpPage(int index);

    // The chooser's caption of a page and the resource that holds it.
    static QString Subject(int page);
    static QString ResourcePath(int page);

    void SetUrlOpener(UrlOpener opener);

private:
    void BuildMenus();
    void BuildPage();
    void ComboBox1Change(int index);
    void LoadPage(int index);
    void Open(const QUrl& url) const;

    QComboBox* ComboBox1;
    QTextBrowser* RichEdit1;
    QAction* Close1;
    QAction* Homepage1;
    QAction* Support1;
    QAction* Bugreport1;
    UrlOpener opener_ = OpenWithShell;
};

}  // namespace orv
