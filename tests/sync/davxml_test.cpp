// Multistatus answers as servers write them, and the bodies the client sends.
#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "sync/davxml.h"

namespace orv::sync {
namespace {

// Namespaces decide, not prefixes; only 2xx properties count.
TEST(DavXml, ReadsWhatTheServerMeans)
{
    const std::string xml = R"(<?xml version="1.0" encoding="utf-8"?>
<multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav" xmlns:X="http://example.com/ns/"
             xmlns:CS="http://calendarserver.org/ns/" xmlns:K="urn:ietf:params:xml:ns:carddav">
  <response>
    <href>https://dav.example.com:8443/alice/home%20cal/</href>
    <propstat><prop>
      <resourcetype><collection/><C:calendar/></resourcetype>
      <displayname>Home &amp; away</displayname>
      <C:supported-calendar-component-set><C:comp name="VTODO"/><C:comp name="vevent"/></C:supported-calendar-component-set>
      <supported-report-set><supported-report><report><sync-collection/></report></supported-report></supported-report-set>
      <sync-token> http://x/sync/1 </sync-token><CS:getctag>c1</CS:getctag>
    </prop><status>HTTP/1.1 200 OK</status></propstat>
    <propstat><prop><getetag>"from-404"</getetag><displayname>not this</displayname></prop>
      <status>HTTP/1.1 404 Not Found</status></propstat>
  </response>
  <response>
    <href>/alice/tasks/</href>
    <propstat><prop>
      <resourcetype><collection/><X:calendar/></resourcetype>
      <C:supported-calendar-component-set><C:comp name="VTODO"/></C:supported-calendar-component-set>
      <supported-report-set><supported-report><report><X:sync-collection/></report></supported-report></supported-report-set>
    </prop><status>HTTP/1.1 200 OK</status></propstat>
  </response>
  <response><href>/alice/book/</href><propstat><prop>
      <resourcetype><collection/><K:addressbook/></resourcetype>
      <current-user-principal><href>/p/alice/</href></current-user-principal>
      <C:calendar-home-set><href>/cal/</href><href>/cal2/</href></C:calendar-home-set>
      <K:addressbook-home-set><href>/book/</href></K:addressbook-home-set>
      <K:address-data><![CDATA[BEGIN:VCARD
END:VCARD
]]></K:address-data>
    </prop><status>HTTP/1.1 200 OK</status></propstat></response>
  <response><href>/alice/home%20cal/gone.ics</href><status>HTTP/1.1 404 Not Found</status></response>
  <sync-token>tok-2</sync-token>
</multistatus>)";
    DavMultistatus ms;
    std::string error;
    ASSERT_TRUE(ParseMultistatus(xml, ms, error)) << error;
    EXPECT_EQ(ms.syncToken, "tok-2");
    ASSERT_EQ(ms.responses.size(), 4u);

    const DavResponse& cal = ms.responses[0];
    EXPECT_EQ(cal.href, "/alice/home%20cal/");
    EXPECT_TRUE(cal.collection && cal.calendar && !cal.addressBook);
    EXPECT_TRUE(cal.componentSetGiven && cal.events && cal.syncReport);
    EXPECT_EQ(cal.displayName, "Home & away");
    EXPECT_EQ(cal.syncToken, "http://x/sync/1");
    EXPECT_EQ(cal.ctag, "c1");
    EXPECT_TRUE(cal.etag.empty());

    const DavResponse& tasks = ms.responses[1];
    EXPECT_TRUE(tasks.collection && !tasks.calendar && tasks.componentSetGiven && !tasks.events && !tasks.syncReport);

    const DavResponse& book = ms.responses[2];
    EXPECT_TRUE(book.addressBook && !book.calendar);
    EXPECT_EQ(book.principal, "/p/alice/");
    EXPECT_EQ(book.calendarHome, "/cal/");
    EXPECT_EQ(book.addressBookHome, "/book/");
    EXPECT_TRUE(book.hasData);
    EXPECT_EQ(book.data, "BEGIN:VCARD\nEND:VCARD\n");

    EXPECT_EQ(ms.responses[3].status, 404);
}


struct Refused {
    const char* xml;
    const char* says;  // a part of the message
};

TEST(DavXml, RefusesWhatItCannotTrust)
{
    const Refused cases[] = {
        {"", "not readable XML"},
        {R"(<d:multistatus xmlns:d="DAV:"><d:response><d:href>/a</d:href>)", "line"},
        {"<html><body>Log in</body></html>", "<html>"},
        {"<multistatus><response/></multistatus>", "<multistatus>"},
        {R"(<!DOCTYPE m [<!ENTITY a "aaaa"><!ENTITY b "&a;&a;&a;&a;">]><d:multistatus xmlns:d="DAV:"><d:response><d:href>&b;</d:href></d:response></d:multistatus>)",
         "DTD"},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.xml);
        DavMultistatus ms;
        ms.syncToken = "left over";
        std::string error;
        EXPECT_FALSE(ParseMultistatus(c.xml, ms, error));
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_TRUE(ms.responses.empty() && ms.syncToken.empty());
    }
}

TEST(DavXml, SameHref)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"/a/b%20c.ics", "/a/b c.ics", true},
        {"/a/%c3%a9.ics", "/a/%C3%A9.ics", true},
        {"/a/cal/", "/a/cal", true},
        {"https://h:1/a/cal/", "/a/cal/", true},
        {"/a/b.ics", "/a/c.ics", false},
        {"/a/B.ics", "/a/b.ics", false},
        {"/a/", "/", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameHref(c.a, c.b), c.same) << c.a << " " << c.b;
        EXPECT_EQ(SameHref(c.b, c.a), c.same) << c.b << " " << c.a;
    }
}

// What the client sends is well-formed whatever names and hrefs hold.
TEST(DavXml, RequestBodiesEscape)
{
    const std::vector<std::string> hrefs = {"/a/x&y.ics", "/a/<z>.ics"};
    for (const std::string& body : {MultigetReport(hrefs, true), MultigetReport(hrefs, false),
                                    MakeCalendarBody("Work & <play>"), MakeAddressBookBody("\"Friends\""),
                                    SyncCollectionReport("t&1"), PrincipalPropfind(), CollectionsPropfind(),
                                    EtagsPropfind()}) {
        SCOPED_TRACE(body);
        QXmlStreamReader r(QByteArray::fromStdString(body));
        std::vector<std::string> texts;
        while (!r.atEnd())
            if (r.readNext() == QXmlStreamReader::Characters && !r.isWhitespace())
                texts.push_back(r.text().toString().toStdString());
        EXPECT_FALSE(r.hasError());
        for (const std::string& t : texts)
            EXPECT_TRUE(t == "/a/x&y.ics" || t == "/a/<z>.ics" || t == "Work & <play>" || t == "\"Friends\"" || t == "t&1"
                        || t == "1")
                << t;
    }
}

}  // namespace
}  // namespace orv::sync
