// A session of its own in a temporary folder, with a fixed today and a few
// records of every kind, a navigator that only writes down what it was
// asked to do, and whole files read and written by the window tests.
#pragma once

#include <QAbstractItemView>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/session.h"
#include "engine/builders.h"
#include "views/common/navigator.h"
#include "views/today/eventgrid.h"

namespace orv::test {

class FakeNavigator : public Navigator {
public:
    QStringList calls;

    void ShowView(ViewItem item) override { calls << QStringLiteral("ShowView(%1)").arg(static_cast<int>(item)); }
    void ShowTodo(TodoList list, int index) override
    {
        calls << QStringLiteral("ShowTodo(%1,%2)").arg(Name(list)).arg(index);
    }
    void DoneTodo(TodoList list, int index) override
    {
        calls << QStringLiteral("DoneTodo(%1,%2)").arg(Name(list)).arg(index);
    }
    void ShowCalendarAt(Date d) override { calls << QStringLiteral("ShowCalendarAt(%1)").arg(QString::fromStdString(IsoDate(d))); }
    void ShowAddress(int index) override { calls << QStringLiteral("ShowAddress(%1)").arg(index); }
    void SendEmail(int index) override { calls << QStringLiteral("SendEmail(%1)").arg(index); }
    void ShowWeekly(int item) override { calls << QStringLiteral("ShowWeekly(%1)").arg(item); }
    void ShowMonthly(int item) override { calls << QStringLiteral("ShowMonthly(%1)").arg(item); }
    void ShowAnnual(int day, int month) override { calls << QStringLiteral("ShowAnnual(%1,%2)").arg(day).arg(month); }
    void ShowAdvanced(int index) override { calls << QStringLiteral("ShowAdvanced(%1)").arg(index); }
    bool OpenRecord(const Occurrence& line, Date d) override
    {
        calls << QStringLiteral("OpenRecord(%1,%2,%3)")
                     .arg(QLatin1Char(line.Kind))
                     .arg(line.SourceIndex)
                     .arg(QString::fromStdString(IsoDate(d)));
        return true;
    }
    void ShowMainWindow() override { calls << QStringLiteral("ShowMainWindow"); }
    void ShowLetterWriter() override { calls << QStringLiteral("ShowLetterWriter"); }
    void ShowDataList(DataList list) override
    {
        calls << QStringLiteral("ShowDataList(%1)").arg(int(list == DataList::Cleared));
    }
    void AddToDataList(const std::vector<int>& indexes) override
    {
        QStringList list;
        for (int i : indexes) list << QString::number(i);
        calls << QStringLiteral("AddToDataList(%1)").arg(list.join(QLatin1Char(',')));
    }
    void ShowImportData() override { calls << QStringLiteral("ShowImportData"); }

    static QString Name(TodoList list)
    {
        constexpr const char* kNames[] = {"Top", "Bottom", "TodayEveryDay", "EveryDay"};  // in TodoList's order
        return QLatin1String(kNames[static_cast<int>(list)]);
    }
};

inline QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The texts a list, table or grid shows in one column, top to bottom.
inline QStringList Shown(const QAbstractItemView* view, int column = 0)
{
    QStringList texts;
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r) texts << m->index(r, column).data().toString();
    return texts;
}

// The first line of that kind in a grid, the middle of a row and a click there.
inline int RowOfKind(const EventGrid* grid, char kind)
{
    const OccurrenceTable& t = grid->table();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t[i].Kind == kind) return static_cast<int>(i);
    return -1;
}

inline QPoint RowCentre(const EventGrid* grid, int row)
{
    return QPoint(40, grid->rowViewportPosition(row) + grid->rowHeight(row) / 2);
}

inline void ClickRow(EventGrid* grid, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, RowCentre(grid, row));
}

// Wednesday 13 March 2024 is today in every test.
inline const Date kToday = D(2024, 3, 13);

class SessionFixture {
public:
    SessionFixture()
    {
        dir.setAutoRemove(true);
        session = std::make_unique<Session>((dir.path() + QStringLiteral("/data/")).toStdString(),
                                            (dir.path() + QStringLiteral("/settings.reg")).toStdString());
        session->setToday(kToday);
    }

    // Today: Ann's birthday (with e-mail), a low-priority event, the choir
    // (weekly, Wednesdays), the second Wednesday of March (advanced), two top
    // and one every-day to-do item. Tomorrow: the dentist (high priority).
    // Later: Bob's birthday (no e-mail) in 2 days, rent on the 16th (3 days),
    // the parade on 17 March (4 days), one bottom to-do item.
    void AddSampleRecords()
    {
        RecordStore& r = session->records();
        AData ann = Person("Ann", "Smith", 13, 3, 1990);
        ann.Email1 = "ann@example.org";
        r.editAddresses() = {ann, Person("Bob", "Jones", 15, 3)};
        r.editCalendar() = {Event("Dentist", D(2024, 3, 14), 0), Event("Low thing", kToday, 2)};
        r.editWeekly() = {Weekly("Choir", 4, "1-53")};
        r.editMonthly() = {Monthly("Rent", 16)};
        r.editAnnual() = {Annual("Parade", 3, 17)};
        r.editAdvanced() = {Advanced("Second Wednesday", false, 2, "March", "Wednesday")};
        TodoLists& t = session->todos();
        t.Top = {"Call mum", "Pay bills"};
        t.Bottom = {"Tidy garage"};
        t.TodayEveryDay = {"Walk"};
        t.EveryDay = {"Walk"};
    }

    QTemporaryDir dir;
    std::unique_ptr<Session> session;
    FakeNavigator navigator;
};

}  // namespace orv::test
