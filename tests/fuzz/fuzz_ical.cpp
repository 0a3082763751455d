// Reads the input as an iCalendar file under every week setting, applies the
// plan to an empty store and demands records the data files can hold: one-line
// hints, valid dates and fields, and lists that write and read back the same.
// Then exports what came in, which libical must read again.
#include <string>

#include "exchange/ical/icalexport.h"
#include "exchange/ical/icalimport.h"
#include "fuzzcheck.h"
#include "store/datafile.h"

namespace {

using namespace orv;
using fuzz::Fail;
using fuzz::IsOneLine;

template <class Rec>
void Rereads(const std::vector<Rec>& list)
{
    // Records without an identity get one when read: from then on the text stays.
    std::vector<Rec> again, third;
    if (!ParseDataText(SerializeDataText(list), again).ok || again.size() != list.size())
        Fail("a list does not read back");
    const std::string text = SerializeDataText(again);
    if (!ParseDataText(text, third).ok || SerializeDataText(third) != text) Fail("a list does not read back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    // The first byte picks the week settings, the rest is the file.
    IcalImportOptions o;
    o.today = Date{2024, 2, 28};
    o.from = Date{2024, 1, 1};
    o.to = Date{2024, 12, 31};
    o.weeks.WeekStart = data[0] % 7;
    o.weeks.FirstWeek = (data[0] / 7) % 3;
    o.localTime = [](std::time_t t) {
        std::tm tm{};
        gmtime_r(&t, &tm);
        return tm;
    };
    const std::string_view text = fuzz::Text(data + 1, size - 1);
    const IcalImport in = PlanICalendarImport(text, RecordStore{}, o);
    if (!in.ok) {
        if (in.message.empty()) Fail("a failure without a message");
        return 0;
    }
    RecordStore store;
    ApplyICalendarPlan(in.plan, store);
    for (const ACal& c : store.calendar()) {
        if (!IsOneLine(c.Hint) || c.Priority > 2 || c.Date == 0) Fail("calendar event");
        for (const std::string& m : c.More)
            if (!IsOneLine(m)) Fail("further text line");
    }
    for (const AWeek& w : store.weekly())
        if (w.Weekday < 1 || w.Weekday > 7 || !IsOneLine(w.Hint) || !IsOneLine(w.WeekNr)) Fail("weekly event");
    for (const AMonth& m : store.monthly())
        if (m.Day < 1 || m.Day > 31 || !IsOneLine(m.Hint) || !IsOneLine(m.Month) || !IsOneLine(m.Year)) Fail("monthly event");
    for (const AYear& y : store.annual())
        if (y.Month < 1 || y.Month > 12 || y.Day < 1 || y.Day > 31 || !IsOneLine(y.Hint) || !IsOneLine(y.Year)) Fail("annual event");
    for (const AAdv& a : store.advanced())
        if (a.Down < 1 || a.Down > 5 || !IsOneLine(a.Hint)) Fail("advanced event");
    Rereads(store.calendar());
    Rereads(store.weekly());
    Rereads(store.monthly());
    Rereads(store.annual());
    Rereads(store.advanced());

    IcalExportOptions e;
    e.from = o.from;
    e.to = o.to;
    e.wholeCalendar = true;
    e.weeks = o.weeks;
    const IcalExport out = ExportICalendar(store, e);
    if (!PlanICalendarImport(out.text, RecordStore{}, o).ok) Fail("the export of an import does not read");
    return 0;
}
