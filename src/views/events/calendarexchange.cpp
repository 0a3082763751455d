// The calendar page's iCalendar commands: ORV's events out to the user's other
// calendars, and .ics files in, with a summary before anything is stored.
#include <QFile>
#include <QFileInfo>
#include <ctime>
#include <memory>
#include <string>
#include <type_traits>

#include "core/engineconfig.h"
#include "core/session.h"
#include "exchange/ical/icalexport.h"
#include "exchange/ical/icalimport.h"
#include "views/events/calendarview.h"
#include "views/common/chosenfile.h"
#include "views/events/icaldialogs.h"
#include "views/common/longwork.h"
#include "views/common/storedtext.h"

namespace orv {

namespace {

const QString kIcalFilter = QStringLiteral("iCalendar (*.ics)");

// Larger files are no calendar a person keeps; reading one would only fill the memory.
constexpr qint64 kMaxIcalBytes = 64LL * 1024 * 1024;

struct Period {
    Date from, to;
};

// This year and the next, as orv-cli exports without a period.
Period DefaultPeriod(Date today)
{
    const int year = today.Year ? today.Year : QDate::currentDate().year();
    const auto first = static_cast<std::uint16_t>(year);
    const auto last = static_cast<std::uint16_t>(year < 9999 ? year + 1 : year);
    return {Date{first, 1, 1}, Date{last, 12, 31}};
}

// More notes than this make a message taller than the screen; the first ones say what the rest are like.
constexpr std::size_t kNotesShown = 8;

QString Events(std::size_t n) { return n == 1 ? QStringLiteral("1 event") : QStringLiteral("%1 events").arg(n); }

}  // namespace

void CalendarView::ExportIcalClick()
{
    const DateSettings settings = DateSettingsFrom(session().settings());
    const Period period = DefaultPeriod(session().today());
    icalPeriod_->Prepare(period.from, period.to, settings.MonthFirst);
    if (icalPeriod_->exec() != QDialog::Accepted) return;
    const QString path = dialogs_.saveFile(this, kIcalFilter, QStringLiteral("ics"), nullptr);
    if (path.isEmpty() || !MayOverwrite(dialogs_, this, path)) return;

    IcalExportOptions options;
    options.from = icalPeriod_->from();
    options.to = icalPeriod_->to();
    options.wholeCalendar = icalPeriod_->wholeCalendar();
    options.stamp = std::time(nullptr);
    options.weeks = settings;
    // The calendar is written from a copy beside the window. Cancel before
    // the file is begun leaves the old one; once begun, the write (a
    // temporary file renamed over the old) runs to its end and is reported.
    const auto records = std::make_shared<const RecordStore>(session().records());
    IcalExport x;
    QString error;
    bool begun = false;
    bool written = false;
    // Whatever the work's end, `begun` says whether the file was reached.
    RunLongWork(this, dialogs_, QStringLiteral("Exporting '%1'").arg(QFileInfo(path).fileName()), [&](WorkProgress& progress) {
        x = ExportICalendar(*records, options);
        if (progress.Cancelled()) return;
        begun = true;
        written = WriteChosenFile(path, x.text, error);
    });
    if (!begun) return;
    if (!written) {
        dialogs_.message(this, QStringLiteral("ORV"), error, {});
        return;
    }
    QStringList notes;
    for (std::size_t i = 0; i < x.notes.size() && i < kNotesShown; ++i) notes << DecodeStored(x.notes[i]);
    if (x.notes.size() > kNotesShown) notes << QStringLiteral("... and %1 more.").arg(x.notes.size() - kNotesShown);
    dialogs_.message(this, QStringLiteral("ORV"),
                     QStringLiteral("%1 written to '%2'.").arg(Events(static_cast<std::size_t>(x.events)),
                                                               QFileInfo(path).fileName()),
                     notes.join(QLatin1Char('\n')));
}

void CalendarView::ImportIcalClick()
{
    const QString path = dialogs_.openFile(this, kIcalFilter + QStringLiteral(";;All files (*)"));
    if (path.isEmpty()) return;
    const QString name = QFileInfo(path).fileName();
    const DateSettings settings = DateSettingsFrom(session().settings());
    IcalImportOptions options;
    options.today = session().today();
    options.weeks = settings;
    // The file is read and planned beside the window, against a copy of the
    // lists; the summary dialog plans again from the same text and copy.
    const auto existing = std::make_shared<RecordStore>(session().records());
    const RecordStore::Generations copied = session().records().generations();
    const auto text = std::make_shared<std::string>();
    const TIcalImport::Planner planner = [existing = std::shared_ptr<const RecordStore>(existing), text,
                                          options](Date from, Date to) {
        IcalImportOptions o = options;
        o.from = from;
        o.to = to;
        return PlanICalendarImport(*text, *existing, o);
    };
    const Period period = DefaultPeriod(session().today());
    IcalImport first;
    QStringList summary;
    QString failure;
    const WorkEnd end = RunLongWork(this, dialogs_, QStringLiteral("Reading '%1'").arg(name), [&](WorkProgress& progress) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            failure = QStringLiteral("%1: %2").arg(path, file.errorString());
            return;
        }
        if (file.size() > kMaxIcalBytes) {
            failure = QStringLiteral("'%1' is too large for a calendar (more than %2 MB).").arg(name).arg(kMaxIcalBytes >> 20);
            return;
        }
        const QByteArray bytes = file.readAll();
        text->assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (progress.Cancelled()) return;
        first = planner(period.from, period.to);
        if (first.ok) summary = TIcalImport::SummaryLines(first.plan);
    });
    if (end != WorkEnd::Done) return;
    if (!failure.isEmpty()) {
        dialogs_.message(this, QStringLiteral("ORV"), failure, {});
        return;
    }
    if (!first.ok) {
        dialogs_.message(this, QStringLiteral("ORV"), QStringLiteral("'%1': %2").arg(name, DecodeStored(first.message)), {});
        return;
    }
    icalImport_->Prepare(name, std::move(first.plan), std::move(summary), planner, dialogs_, period.from, period.to, settings.MonthFirst);
    if (icalImport_->exec() != QDialog::Accepted) return;

    // The events go into the copy beside the window (the calendar is sorted
    // there); the window then takes the lists that changed, unless its own
    // changed since the copy was made: then the plan goes onto them here.
    const IcalPlan& plan = icalImport_->plan();
    const std::size_t added = IcalPlanAddCount(plan);
    std::vector<DataKind> kinds;
    if (RunLongWork(this, dialogs_, QStringLiteral("Adding the events of '%1'").arg(name),
                    [&](WorkProgress&) { kinds = ApplyICalendarPlan(plan, *existing); }) != WorkEnd::Done)
        return;
    RecordStore& records = session().records();
    if (records.generations() == copied) {
        for (const DataKind kind : kinds)
            existing->WithEditList(kind, [&](auto& planned) {
                records.WithEditList(kind, [&](auto& list) {
                    if constexpr (std::is_same_v<decltype(list), decltype(planned)>) list.swap(planned);
                });
            });
    } else {
        kinds = ApplyICalendarPlan(plan, records);
    }
    {
        const BusyCursor busy;
        if (!kinds.empty()) emit changed();
        MyCal1Click();
    }
    // The outcome is told once every file's write ended: nothing is claimed as stored before.
    struct Outcome {
        std::size_t writing = 0;
        QStringList failures;
    };
    const auto outcome = std::make_shared<Outcome>();
    outcome->writing = kinds.size();
    const auto tell = [this, outcome, name, added] {
        if (!outcome->failures.isEmpty()) {
            // What was read stays in memory and goes with the next save; nothing is claimed as stored.
            dialogs_.message(this, QStringLiteral("ORV"), QStringLiteral("The events of '%1' could not be saved.").arg(name),
                             outcome->failures.join(QStringLiteral("\n\n")));
            return;
        }
        dialogs_.message(this, QStringLiteral("ORV"), QStringLiteral("%1 from '%2' stored.").arg(Events(added), name), {});
    };
    if (kinds.empty()) tell();
    for (const DataKind kind : kinds) {
        session().SaveDataFile(kind, [outcome, tell](const SessionReport& saved) {
            for (const std::string& m : saved.messages) outcome->failures << DecodeStored(m);
            if (--outcome->writing == 0) tell();
        });
    }
}

}  // namespace orv
