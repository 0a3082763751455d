// The address view's commands that reach outside the program: vCard files,
// the clipboard and the printer. They read the fields as shown, posted or not.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QPrinter>
#include <limits>

#include "core/session.h"
#include "exchange/vcard.h"
#include "views/addressview.h"
#include "views/chosenfile.h"
#include "views/storedtext.h"

namespace orv {

namespace {

// Said after an import that had to change the card's text: a field holds one line.
QString LineBreaksNote(int fields)
{
    return fields == 1 ? QStringLiteral("In 1 field a line break was replaced by a blank.")
                       : QStringLiteral("In %1 fields line breaks were replaced by blanks.").arg(fields);
}

}  // namespace

void AddressView::ExportVCard()
{
    const QString path = dialogs_.saveFile(this, QStringLiteral("vCard (*.vcf)"), QStringLiteral("vcf"), nullptr);
    if (path.isEmpty() || !MayOverwrite(dialogs_, this, path)) return;
    // The fields shown, posted or not, under the identity of the person shown.
    RecordStore& records = session_.records();
    const std::string uid =
        records.addresses().empty() ? std::string() : records.addresses()[static_cast<std::size_t>(ClampCurrentAddress(records))].Uid;
    QString error;
    if (!WriteChosenFile(path, WriteVCard(Fields(), uid), error)) dialogs_.message(this, QStringLiteral("ORV"), error, {});
}

void AddressView::ImportVCard()
{
    const QString path = dialogs_.openFile(this, QStringLiteral("vCard File (ver2.1) (*.vcf);;All files (*)"));
    if (!path.isEmpty()) ImportCards(path, false);
}

void AddressView::ImportAllVCards()
{
    const QString path = dialogs_.openFile(this, QStringLiteral("vCard File (*.vcf *.vcard);;All files (*)"));
    if (!path.isEmpty()) ImportCards(path, true);
}

void AddressView::ImportCards(const QString& path, bool all)
{
    QString error;
    const std::optional<QByteArray> file = ReadChosenFile(path, std::numeric_limits<qint64>::max(), error);
    if (!file) {
        dialogs_.message(this, QStringLiteral("ORV"), error, {});
        return;
    }
    const QByteArray& bytes = *file;
    const std::vector<CardFields> cards = ReadVCards(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    // A file that holds no card changes nothing: no empty person is added.
    if (cards.empty()) {
        dialogs_.message(this, QStringLiteral("ORV"),
                         QStringLiteral("'%1' holds no vCard.").arg(QFileInfo(path).fileName()), {});
        return;
    }
    if (all) {
        const QString question = QStringLiteral("Add %1 people from '%2' to the address book?")
                                     .arg(cards.size())
                                     .arg(QFileInfo(path).fileName());
        if (dialogs_.ask(this, QStringLiteral("Confirm"), question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        std::vector<AddressFields> people(cards.size());
        std::vector<std::string> uids(cards.size());
        int lineBreaks = 0;
        for (std::size_t i = 0; i < cards.size(); ++i) {
            ApplyCard(cards[i], people[i]);
            uids[i] = cards[i].Uid.value_or(std::string());
            lineBreaks += cards[i].LineBreaks;
        }
        const int years = AddAddresses(session_.records(), people, uids);
        ShowAddress();
        Save();
        emit changed();
        QString yearsNote = QStringLiteral("%1 of the birth years were not between 100 and 5000 and were left empty.").arg(years);
        if (lineBreaks > 0) yearsNote += QLatin1Char(' ') + LineBreaksNote(lineBreaks);
        if (years > 0)
            dialogs_.message(this, QStringLiteral("ORV"), QLatin1String(kChangeTheYear), yearsNote);
        else if (lineBreaks > 0)
            dialogs_.message(this, QStringLiteral("ORV"), LineBreaksNote(lineBreaks), {});
        return;
    }
    const QMessageBox::StandardButton answer =
        dialogs_.ask(this, QStringLiteral("Confirm"), QStringLiteral("Overwrite information"),
                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel || answer == QMessageBox::NoButton || answer == QMessageBox::Escape) return;
    RecordStore& records = session_.records();
    if (answer == QMessageBox::No) {
        InsertAddress(records);
        ShowAddress();
    }
    const CardFields card = MergeCards(cards);
    // The person now stands for the card and takes its identity; an empty
    // book gets the record the post would have made, with what is typed kept.
    if (card.Uid) {
        if (records.addresses().empty()) InsertAddress(records);
        records.editAddresses()[static_cast<std::size_t>(ClampCurrentAddress(records))].Uid = *card.Uid;
    }
    AddressFields fields = Fields();
    ApplyCard(card, fields);
    SetFields(fields);
    Post(false);
    if (card.LineBreaks > 0) dialogs_.message(this, QStringLiteral("ORV"), LineBreaksNote(card.LineBreaks), {});
}

void AddressView::Copy(CopyLevel level)
{
    const std::vector<std::string> lines = CopyLines(Fields(), level, session_.finder().Settings);
    QApplication::clipboard()->setText(DecodeStoredLines(lines).join(QLatin1Char('\n')));
}

void AddressView::StartPrintJob() { printJob_.Start(DecodeStoredLines(AddressBlock(Fields()))); }

void AddressView::AddToPrintJob() { printJob_.Add(DecodeStoredLines(AddressBlock(Fields()))); }

void AddressView::PrintAddress()
{
    printJob_.Start(DecodeStoredLines(AddressBlock(Fields())));
    Print();
}

void AddressView::PrintPrintJob() { Print(); }

void AddressView::Print()
{
    const std::optional<QFont> font = dialogs_.chooseFont(this, printJob_.font());
    if (!font) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs_.choosePrinter(this, printer)) return;
    if (!printJob_.Print(printer, *font, PrintJob::Area(session_.settings())))
        dialogs_.message(this, QStringLiteral("ORV"), QStringLiteral("The printer could not be started."), {});
}

}  // namespace orv
