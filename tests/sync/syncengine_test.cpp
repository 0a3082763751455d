// Two devices keep one calendar and one address book in step through a
// server; each run reads its data folder and sync state from disk and writes
// them back, as `orv --sync-now` does.
#include <gtest/gtest.h>

#include "memoryserver.h"
#include "sync/contentlines.h"
#include "syncdevice.h"

namespace orv::sync {
namespace {

using namespace testing;

// With ETags only (no change lists): a change on one device reaches the
// other, and a deletion reaches it too, but never crosses a change. Changes
// on both sides merge by field; where they clash both versions are kept.
TEST(SyncEngine, ChangesTravelBothWaysAndMergeByField)
{
    MemoryServer server;
    server.tokens = false;
    Device laptop("laptop"), desktop("desktop");
    laptop.Edit([](RecordStore& r) {
        r.editCalendar().push_back(Event(3, "Sauna"));
        r.editCalendar().push_back(Event(10, "Dentist"));
        r.SortCalendar();
        r.editAddresses().push_back(Person("Anna", "Virtanen", 4, 7, 1980));
    });
    ASSERT_TRUE(laptop.Sync(server).ok);
    // The person, and the events and Anna's birthday as events. (A weekly or
    // annual event takes the same way; its item is the iCalendar export's.)
    EXPECT_EQ(server.Count(kBook), 1u);
    EXPECT_EQ(server.Count(kCal), 3u);

    ASSERT_TRUE(desktop.Sync(server).ok);
    RecordStore d = desktop.Records();
    EXPECT_EQ(Hints(d), (std::vector<std::string>{"Sauna", "Dentist"}));
    ASSERT_EQ(d.addresses().size(), 1u);
    EXPECT_EQ(d.addresses()[0].Year, 1980);
    // The birthday comes with the person, never as an annual event.
    EXPECT_TRUE(d.annual().empty());

    desktop.Edit([](RecordStore& r) { r.editCalendar()[1].Hint = "Dentist 9:30"; });
    ASSERT_TRUE(desktop.Sync(server).ok);
    laptop.Edit([](RecordStore& r) {
        r.editCalendar().clear();
        r.editAddresses() = {Person("Ben", "Berg", 0, 0), Person("Cy", "Lund", 0, 0)};
    });
    ASSERT_TRUE(laptop.Sync(server).ok);
    EXPECT_EQ(Hints(laptop.Records()), std::vector<std::string>{"Dentist 9:30"});
    EXPECT_EQ(server.Count(kCal), 1u);  // the dentist
    ASSERT_TRUE(desktop.Sync(server).ok);
    EXPECT_EQ(Hints(desktop.Records()), std::vector<std::string>{"Dentist 9:30"});
    EXPECT_EQ(desktop.Records().addresses().size(), 2u) << "Anna is gone, Ben and Cy came";
    // A run with nothing new writes nothing.
    const int puts = server.puts;
    ASSERT_TRUE(laptop.Sync(server).ok);
    ASSERT_TRUE(desktop.Sync(server).ok);
    EXPECT_EQ(server.puts, puts);

    const auto edit = [](const char* surname, auto change) {
        return [=](RecordStore& r) {
            for (AData& a : r.editAddresses())
                if (a.Surname == surname) change(a);
        };
    };
    // Different fields: one person with both changes.
    laptop.Edit(edit("Lund", [](AData& a) { a.Tele1 = "040 123"; }));
    desktop.Edit(edit("Lund", [](AData& a) { a.Email1 = "cy@example.org"; }));
    // The same field: both versions kept, on both devices.
    laptop.Edit(edit("Berg", [](AData& a) { a.City = "Turku"; }));
    desktop.Edit(edit("Berg", [](AData& a) { a.City = "Oulu"; }));
    ASSERT_TRUE(laptop.Sync(server).ok);
    const SyncOutcome second = desktop.Sync(server);
    ASSERT_TRUE(second.ok);
    EXPECT_TRUE(second.needsUser);
    ASSERT_EQ(second.notes.size(), 1u);
    EXPECT_NE(second.notes[0].find("both versions kept"), std::string::npos) << second.notes[0];
    ASSERT_TRUE(laptop.Sync(server).ok);
    for (const Device* device : {&laptop, &desktop}) {
        std::vector<std::string> people;
        const RecordStore r = device->Records();
        for (const AData& a : r.addresses())
            people.push_back(a.Surname == "Lund" ? a.Tele1 + " " + a.Email1 : a.City);
        std::sort(people.begin(), people.end());
        EXPECT_EQ(people, (std::vector<std::string>{"040 123 cy@example.org", "Oulu", "Turku"}));
    }
    EXPECT_EQ(server.Count(kBook), 3u);
}

// What other clients wrote: an edit keeps what only the server holds; an
// event ORV cannot say is shown as dates and never sent back, and takes its
// dates along when it goes; a to-do is left alone.
TEST(SyncEngine, WhatOtherClientsWroteIsKept)
{
    MemoryServer server;
    server.Set(std::string(kCal) + "meet.ics",
               "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\nUID:meet-1\r\n"
               "DTSTAMP:20261201T100000Z\r\nDTSTART;TZID=Europe/Helsinki:20261210T090000\r\n"
               "DTEND;TZID=Europe/Helsinki:20261210T100000\r\nSUMMARY:Budget\r\nLOCATION:Room 4\r\n"
               "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nDESCRIPTION:Budget\r\nEND:VALARM\r\n"
               "END:VEVENT\r\nEND:VCALENDAR\r\n");
    server.Set(std::string(kBook) + "c.vcf",
               "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:card-1\r\nFN:Carl Lund\r\nN:Lund;Carl;;Dr.;\r\n"
               "ORG:Lund Oy\r\nTEL;TYPE=WORK:09 111\r\nTEL;TYPE=CELL:050 222\r\nPHOTO;ENCODING=b;TYPE=JPEG:AAAA\r\n"
               "END:VCARD\r\n");
    // Every second Tuesday: no record of ORV's says it.
    const std::string cleaning =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Web//EN\r\nBEGIN:VEVENT\r\nUID:x-1\r\nDTSTAMP:20260101T000000Z\r\n"
        "DTSTART;VALUE=DATE:20260106\r\nRRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=TU\r\nSUMMARY:Cleaning\r\n"
        "END:VEVENT\r\nEND:VCALENDAR\r\n";
    server.Set(std::string(kCal) + "x.ics", cleaning);
    server.Set(std::string(kCal) + "t.ics",
               "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Web//EN\r\nBEGIN:VTODO\r\nUID:t-1\r\nDTSTAMP:20260101T000000Z\r\n"
               "SUMMARY:Buy milk\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    Device laptop("laptop");
    const SyncOutcome first = laptop.Sync(server);
    ASSERT_TRUE(first.ok) << first.message;
    EXPECT_GT(laptop.Records().calendar().size(), 100u);
    laptop.Edit([](RecordStore& r) {
        for (ACal& c : r.editCalendar()) {
            if (c.Hint == "Budget") {
                c.Hint = "Budget review";
                c.Day = 11;
                EncodeCalendarDate(c);
            }
        }
        r.editCalendar()[0].Hint = "Cleaning (me)";
        ASSERT_EQ(r.addresses().size(), 1u);
        r.editAddresses()[0].Tele2 = "050 333";
        r.editAddresses()[0].Country = "Finland";
    });
    ASSERT_TRUE(laptop.Sync(server).ok);
    const std::string event = server.objects[std::string(kCal) + "meet.ics"].data;
    EXPECT_NE(event.find("SUMMARY:Budget review"), std::string::npos) << event;
    EXPECT_NE(event.find("LOCATION:Room 4"), std::string::npos);
    EXPECT_NE(event.find("TRIGGER:-PT15M"), std::string::npos);
    // The day moved, the time and zone stayed.
    EXPECT_NE(event.find("DTSTART;TZID=Europe/Helsinki:20261211T090000"), std::string::npos) << event;
    const std::string card = server.objects[std::string(kBook) + "c.vcf"].data;
    EXPECT_NE(card.find("TEL;TYPE=CELL:050 333"), std::string::npos) << card;
    EXPECT_NE(card.find("ADR;TYPE=HOME:;;;;;;Finland\r\n"), std::string::npos) << card;
    EXPECT_NE(card.find("TEL;TYPE=WORK:09 111"), std::string::npos);
    EXPECT_NE(card.find("PHOTO;"), std::string::npos);
    EXPECT_EQ(server.puts, 2) << "the event and the card, not the dates";
    EXPECT_EQ(server.objects[std::string(kCal) + "x.ics"].data, cleaning);
    EXPECT_EQ(server.Count(kCal), 3u);

    // The event gone from the server takes its dates along; the one edited here stays.
    server.Erase(std::string(kCal) + "x.ics");
    ASSERT_TRUE(laptop.Sync(server).ok);
    EXPECT_EQ(Hints(laptop.Records()), (std::vector<std::string>{"Cleaning (me)", "Budget review"}));
}

TEST(SyncEngine, AFirstSyncMatchesEqualRecordsAndAChangeMeanwhileIsMerged)
{
    MemoryServer server;
    Device laptop("laptop"), desktop("desktop");
    // The same event typed on both devices before they ever synced.
    for (Device* d : {&laptop, &desktop})
        d->Edit([](RecordStore& r) { r.editCalendar().push_back(Event(24, "Christmas Eve")); });
    laptop.Sync(server);
    desktop.Sync(server);
    EXPECT_EQ(server.Count(kCal), 1u);
    EXPECT_EQ(desktop.Records().calendar().size(), 1u);

    // Another client changes the object between ORV's read and its write.
    desktop.Edit([](RecordStore& r) { r.editCalendar()[0].Priority = 0; });
    const std::string href = server.objects.begin()->first;
    server.beforePut = [&](const std::string& at) {
        server.beforePut = nullptr;
        std::string text = server.objects[at].data;
        const std::size_t s = text.find("SUMMARY:");
        text.insert(text.find("\r\n", s), " at home");
        server.Set(at, text);
    };
    ASSERT_TRUE(desktop.Sync(server).ok);
    const ACal c = desktop.Records().calendar().at(0);
    EXPECT_EQ(c.Hint, "Christmas Eve at home");
    EXPECT_EQ(c.Priority, 0);
    EXPECT_NE(server.objects[href].data.find("PRIORITY:1"), std::string::npos);
}

TEST(ContentObject, FoldsAtSeventyFiveOctetsAndEscapesAndQuotes)
{
    const std::string value(70, 'x');
    const ContentObject o = ContentObject::Parse("BEGIN:VCARD\r\nNOTE:" + value + "\xc3\xa4\xc3\xa4\r\nEND:VCARD\r\n");
    const std::string text = o.Text();
    const ContentObject back = ContentObject::Parse(text);
    ASSERT_EQ(back.lines().size(), 3u);
    EXPECT_EQ(back.lines()[1].value, value + "\xc3\xa4\xc3\xa4");
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        EXPECT_LE(end - at, 75u);
    EXPECT_EQ(EscapeText("a;b,c\\d\r\ne"), "a\\;b\\,c\\\\d\\ne");
    EXPECT_EQ(UnescapeText(EscapeText("a;b,c\\d\ne")), "a;b,c\\d\ne");
    // A ':' inside a quoted parameter does not end the parameters.
    const ContentLine line = ParseContentLine("item1.attendee;CN=\"Lund: Carl\":mailto:c@x");
    EXPECT_EQ(line.group + " " + line.name + " " + line.params + " " + line.value, "item1 ATTENDEE CN=\"Lund: Carl\" mailto:c@x");
}

}  // namespace
}  // namespace orv::sync
