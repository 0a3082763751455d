// The address book "Address book" (PP7) and its companion "Address book -
// additional info" (PP4): one person at a time in named fields, the five record
// buttons, the pop-up menu with e-mail, "Check dates", copy and print, the
// "Data port" menu with the vCard exchange, and the "Go to" list of everyone.
// The commands themselves are engine/addressbook.h's; every change is written
// to data.orv before the command returns, then changed() asks for the refresh.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "engine/addressbook.h"
#include "views/common/navigator.h"
#include "views/address/printjob.h"
#include "views/common/viewdialogs.h"

class QAction;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace orv {

struct CardFields;
class LabelButton;
class Session;

// PP4: the notes and the 2nd and 3rd e-mail addresses of the person shown in PP7.
class AddressInfoView : public QWidget {
    Q_OBJECT
public:
    explicit AddressInfoView(QWidget* parent = nullptr);

    QPlainTextEdit* DataMemo;
    QLineEdit* DataEdit12;
    QLineEdit* DataEdit13;
    LabelButton* MenuL40;  // "Exit"
    QMenu* DataPopupMenu2;
    QAction* M57;  // "Copy"
    QAction* M58;  // "Copy all"
    QAction* M59;  // "Paste"
    QAction* M60;  // "Select all"

signals:
    void exitRequested();

private:
    void PrepareMenu();
};

class AddressView : public QWidget {
    Q_OBJECT
public:
    AddressView(Session& session, Navigator& navigator, QWidget* parent = nullptr);
    ~AddressView() override;

    // PP4; the main window puts it in its own place among the views.
    AddressInfoView* infoView() const { return info_; }
    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }
    PrintJob& printJob() { return printJob_; }

    // The fields as the store keeps texts, and back.
    AddressFields Fields() const;
    void SetFields(const AddressFields& fields);

    // Fills both views from the record at CurrentAddress (empties them for an empty list).
    void ShowAddress();

public slots:
    void DataPostClick();
    void DataInsertClick();
    void DataDeleteClick();
    void DataPriorClick();
    void DataNextClick();
    void SendEmail();   // M68, SB12
    void CheckDates();  // M69
    void GoTo(int addressIndex);
    void ExportVCard();
    void ImportVCard();
    void ImportAllVCards();
    void Copy(CopyLevel level);  // M71, M72, M73
    void PrintAddress();         // M75
    void StartPrintJob();        // M76
    void AddToPrintJob();        // M77
    void PrintPrintJob();        // M78

public:
    // TNewAdd's "Ok": insert, the dialog's fields into the view, post.
    void InsertAndPost(const AddressFields& fields);
    // Who asks for a birthday field's check or a post: leaving the field
    // (whose changed year then posts at once), or a command such as the post.
    enum class Asker { Command, LeftField };
    void CheckField(BirthdayField field, Asker asker);

    QMenu* goToMenu() const { return GoToMenu; }
    // Refills the "Go to" menu now (it is otherwise built when it opens).
    void BuildGoToMenu();

signals:
    // A command changed the address book (it is saved): the views that show it refresh.
    void changed();
    void additionalInfoRequested();  // MenuL38

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The constructor's parts, in the order it runs them.
    void BuildFields();
    void BuildButtons();
    void BuildMenus();
    void Connect();
    QGridLayout* BuildFieldGrid();
    void LayOut();

    QLineEdit* FieldEdit(BirthdayField field) const;
    QLineEdit* FieldEdit(PersonField field) const;
    // Asker::LeftField: asked by the year field's check, which is not run again.
    void Post(Asker asker);
    void Save();
    void EmailChanged();
    void PrepareDataMenu();
    // The font dialog, then the print dialog, then the buffer on the printer.
    void Print();
    // "Import vCard" makes one person of a file's cards, "Import all vCards..." a person of each.
    enum class CardImport { OnePerson, PersonEach };
    void ImportCards(const QString& path, CardImport import);
    void ReportAddedPeople(int years, int lineBreaks, QStringList lost);
    void ImportIntoPerson(const std::vector<CardFields>& cards);

    Session& session_;
    Navigator& navigator_;
    ViewDialogs dialogs_;
    PrintJob printJob_;
    QPointer<AddressInfoView> info_;
    // The fields as ShowAddress filled them: a post stores only what differs.
    AddressFields shown_;
    bool checking_ = false;

    LabelButton* T17;  // "Go to"
    QMenu* GoToMenu;
    QLineEdit* DataEdit1;
    QLineEdit* DataEdit2;
    QLineEdit* DataEdit5;
    QLineEdit* DataEdit4;
    QLineEdit* DataEdit3;
    QLineEdit* DataEdit6;
    QLineEdit* DataEdit7;
    QLineEdit* DataEdit8;
    QLineEdit* DataEdit9;
    QLineEdit* DataEdit10;
    QLineEdit* DataEdit11;
    QPushButton* SB12;
    QPushButton* DataPrior;
    QPushButton* DataNext;
    QPushButton* DataInsert;
    QPushButton* DataDelete;
    QPushButton* DataPost;
    LabelButton* MenuL38;  // "Additional info"
    LabelButton* MenuL37;  // "Data port"
    LabelButton* MenuL39;  // "Search"
    QMenu* DataPortMenu;
    QAction* ImportvCard1;
    QAction* ExportvCard1;
    QAction* ImportallvCards1;
    QAction* Importdata1;
    QMenu* DataPopupMenu;
    QAction* M68;
    QAction* M69;
    QAction* M71;
    QAction* M72;
    QAction* M73;
    QAction* M75;
    QAction* M76;
    QAction* M77;
    QAction* M78;
};

}  // namespace orv
