// The address view's commands that reach outside the program: vCard files,
// the clipboard and the printer. They read the fields as shown, posted or not.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QPrinter>
#include <limits>
#include <optional>

#include "core/session.h"
#include "exchange/vcard/vcard.h"
#include "views/address/addressview.h"
#include "views/common/chosenfile.h"
#include "views/common/longwork.h"
#include "views/common/storedtext.h"

namespace orv {

namespace {

// Said after an import that had to change the card's text: a field holds one line.
QString LineBreaksNote(int fields)
{
    return fields == 1 ? QStringLiteral("In 1 field a line break was replaced by a blank.")
                       : QStringLiteral("In %1 fields line breaks were replaced by blanks.").arg(fields);
}

// What an import could not keep, a line each; a long list ends with how many
// more there were, so that the box stays on the screen.
QString LostNote(const QStringList& lines)
{
    constexpr int kShown = 12;
    if (lines.size() <= kShown) return lines.join(QLatin1Char('\n'));
    return (lines.mid(0, kShown) << QStringLiteral("... and %1 more.").arg(lines.size() - kShown)).join(QLatin1Char('\n'));
}

QStringList LostLines(const CardFields& card, const QString& who)
{
    QStringList lines;
    for (const std::string& lost : card.Lost) lines << who + QString::fromStdString(lost);
    return lines;
}

// The people of the cards as "Import all vCards..." adds them, with what
// the cards could not give them.
struct CardPeople {
    std::vector<AddressFields> people;
    std::vector<std::string> uids;
    int lineBreaks = 0;
    QStringList lost;
};

// Built beside the window, a card a step; false when cancelled.
bool BuildPeople(const std::vector<CardFields>& cards, WorkProgress& progress, CardPeople& out)
{
    progress.SetTotal(static_cast<long long>(cards.size()));
    out.people.resize(cards.size());
    out.uids.resize(cards.size());
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (progress.Cancelled()) return false;
        ApplyCard(cards[i], out.people[i]);
        out.uids[i] = cards[i].Uid.value_or(std::string());
        out.lineBreaks += cards[i].LineBreaks;
        const QString who = DecodeStored(out.people[i].Name) + QLatin1Char(' ') + DecodeStored(out.people[i].Surname);
        out.lost << LostLines(cards[i], who.trimmed().isEmpty() ? QStringLiteral("Card %1: ").arg(i + 1)
                                                                 : who.trimmed() + QStringLiteral(": "));
        progress.Advance(static_cast<long long>(i + 1));
    }
    return true;
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
    if (!path.isEmpty()) ImportCards(path, CardImport::OnePerson);
}

void AddressView::ImportAllVCards()
{
    const QString path = dialogs_.openFile(this, QStringLiteral("vCard File (*.vcf *.vcard);;All files (*)"));
    if (!path.isEmpty()) ImportCards(path, CardImport::PersonEach);
}

void AddressView::ImportCards(const QString& path, CardImport import)
{
    bool all = import == CardImport::PersonEach;  // the question below may change it
    // The file is read and its cards parsed beside the window, and "Import
    // all vCards..." makes its people there too; only adding them to the
    // address book is left to the window.
    const QString name = QFileInfo(path).fileName();
    QString error;
    bool unreadable = false;
    std::vector<CardFields> cards;
    std::optional<CardPeople> built;
    const WorkEnd end = RunLongWork(this, dialogs_, QStringLiteral("Reading '%1'").arg(name), [&](WorkProgress& progress) {
        const std::optional<QByteArray> file = ReadChosenFile(path, std::numeric_limits<qint64>::max(), error);
        unreadable = !file;
        if (unreadable || progress.Cancelled()) return;
        cards = ReadVCards(std::string_view(file->constData(), static_cast<std::size_t>(file->size())));
        if (!all || cards.empty()) return;
        CardPeople people;
        if (BuildPeople(cards, progress, people)) built = std::move(people);
    });
    if (end != WorkEnd::Done) return;
    if (unreadable) {
        dialogs_.message(this, QStringLiteral("ORV"), error, {});
        return;
    }
    // A file that holds no card changes nothing: no empty person is added.
    if (cards.empty()) {
        dialogs_.message(this, QStringLiteral("ORV"),
                         QStringLiteral("'%1' holds no vCard.").arg(QFileInfo(path).fileName()), {});
        return;
    }
    bool asked = false;
    if (!all && cards.size() > 1) {
        // "Import vCard" makes one person of every card, which an export of a
        // whole address book would turn into a muddle: say what the file holds.
        const QString question =
            QStringLiteral("'%1' holds %2 vCards. \"Import vCard\" makes one person of them all; "
                           "\"Import all vCards...\" adds each as a person of its own.\n"
                           "Add %2 people (Yes) or make one person (No)?")
                .arg(QFileInfo(path).fileName())
                .arg(cards.size());
        const QMessageBox::StandardButton answer = dialogs_.ask(this, QStringLiteral("Confirm"), question,
                                                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer != QMessageBox::Yes && answer != QMessageBox::No) return;
        all = asked = answer == QMessageBox::Yes;
    }
    if (all) {
        const QString question = QStringLiteral("Add %1 people from '%2' to the address book?")
                                     .arg(cards.size())
                                     .arg(QFileInfo(path).fileName());
        if (!asked &&
            dialogs_.ask(this, QStringLiteral("Confirm"), question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        if (!built) {
            CardPeople people;
            const WorkEnd made = RunLongWork(this, dialogs_, QStringLiteral("Reading '%1'").arg(name), [&](WorkProgress& progress) {
                if (BuildPeople(cards, progress, people)) built = std::move(people);
            });
            if (made != WorkEnd::Done || !built) return;
        }
        const int years = AddAddresses(session_.records(), built->people, built->uids);
        ShowAddress();
        Save();
        emit changed();
        ReportAddedPeople(years, built->lineBreaks, std::move(built->lost));
        return;
    }
    ImportIntoPerson(cards);
}

// What "Import all vCards..." could not take over as it was.
void AddressView::ReportAddedPeople(int years, int lineBreaks, QStringList lost)
{
    QString yearsNote = QStringLiteral("%1 of the birth years were not between 100 and 5000 and were left empty.").arg(years);
    if (lineBreaks > 0) lost.prepend(LineBreaksNote(lineBreaks));
    if (years > 0)
        dialogs_.message(this, QStringLiteral("ORV"), QLatin1String(kChangeTheYear),
                         lost.isEmpty() ? yearsNote : yearsNote + QLatin1Char('\n') + LostNote(lost));
    else if (!lost.isEmpty())
        dialogs_.message(this, QStringLiteral("ORV"), LostNote(lost), {});
}

// "Import vCard": the cards make one person, over the one shown or as a new one.
void AddressView::ImportIntoPerson(const std::vector<CardFields>& cards)
{
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
    Post(Asker::Command);
    QStringList lost = LostLines(card, {});
    if (card.LineBreaks > 0) lost.prepend(LineBreaksNote(card.LineBreaks));
    if (!lost.isEmpty()) dialogs_.message(this, QStringLiteral("ORV"), LostNote(lost), {});
}

void AddressView::Copy(CopyLevel level)
{
    const std::vector<std::string> lines = CopyLines(Fields(), level, session_.finder().dateSettings());
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
