// The address book's commands over the list: the birthday field checks, the
// order after a post with the current record kept, insert, delete and "Check dates".
#include <gtest/gtest.h>

#include "builders.h"
#include "engine/addressbook.h"
#include "engine/dayviews.h"

namespace orv {
namespace {

using test::Person;

struct CheckCase {
    const char* name;
    BirthdayField field;
    const char* typed;
    const char* shown;
    bool changeYear;
};

class FieldChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(FieldChecks, LeaveTheFieldAsThePostStoresIt)
{
    const CheckCase& c = GetParam();
    const FieldCheck check = CheckBirthdayField(c.field, c.typed);
    EXPECT_EQ(check.text, c.shown);
    EXPECT_EQ(check.changeYear, c.changeYear);
}

INSTANTIATE_TEST_SUITE_P(
    Birthday, FieldChecks,
    ::testing::Values(CheckCase{"EmptyDayStaysEmpty", BirthdayField::Day, "", "", false},
                      CheckCase{"LeadingZerosGo", BirthdayField::Day, "007", "7", false},
                      CheckCase{"NotANumberEmptiesTheDay", BirthdayField::Day, "12a", "", false},
                      CheckCase{"Day31Stays", BirthdayField::Day, "31", "31", false},
                      CheckCase{"Day32Goes", BirthdayField::Day, "32", "", false},
                      CheckCase{"Month13Goes", BirthdayField::Month, "13", "", false},
                      CheckCase{"YearZeroGoesSilently", BirthdayField::Year, "0", "", false},
                      CheckCase{"TwoDigitYearAsksForAnother", BirthdayField::Year, "99", "", true},
                      CheckCase{"Year100IsTheFirstAccepted", BirthdayField::Year, "100", "100", false},
                      CheckCase{"Year5000IsTheLastAccepted", BirthdayField::Year, "5000", "5000", false},
                      CheckCase{"Year5001AsksForAnother", BirthdayField::Year, "5001", "", true},
                      CheckCase{"HugeNumberCountsAsZero", BirthdayField::Year, "99999999999", "", false}),
    [](const auto& row) { return std::string(row.param.name); });

class AddressBook : public ::testing::Test {
protected:
    RecordStore store;

    AddressFields Typed(const char* name, const char* day, const char* month, const char* year = "")
    {
        AddressFields f;
        f.Name = name;
        f.Day = day;
        f.Month = month;
        f.Year = year;
        return f;
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const AData& a : store.addresses()) names.push_back(a.Name);
        return names;
    }
};

TEST_F(AddressBook, APostedRecordMovesToItsBirthdayThenFirstNameAndADeletedOneToTheOneBefore)
{
    const PostOutcome first = PostAddress(store, Typed("Ann", "5", "11", "1970"));
    EXPECT_TRUE(first.created);  // on an empty list
    ASSERT_EQ(store.addresses().size(), 1u);
    EXPECT_EQ(store.addresses()[0].DateText, "5/11");
    EXPECT_EQ(store.addresses()[0].Year, 1970);

    store.editAddresses() = {Person("Bob", "", 1, 1), Person("Cid", "", 6, 11), Person("Dan", "", 7, 1)};
    EXPECT_EQ(InsertAddress(store), 0);  // an inserted record comes first
    EXPECT_EQ(store.addresses()[0].DateText, "");
    const PostOutcome out = PostAddress(store, Typed("Eve", "5", "11"));
    // "1/1" < "5/11" < "6/11" < "7/1" as texts.
    EXPECT_EQ(Names(), (std::vector<std::string>{"Bob", "Eve", "Cid", "Dan"}));
    EXPECT_EQ(out.current, 1);
    EXPECT_EQ(store.CurrentAddress, 1);

    // The same birthday is ordered by the first name's bytes.
    store.editAddresses() = {Person("ann", "", 2, 2)};
    store.CurrentAddress = InsertAddress(store);
    PostAddress(store, Typed("Bob", "2", "2"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Bob", "ann"}));
    EXPECT_EQ(store.CurrentAddress, 0);

    // Deleting the last record shows the one before it.
    store.CurrentAddress = 1;
    EXPECT_TRUE(RemoveCurrentAddress(store));
    EXPECT_EQ(store.CurrentAddress, 0);
    EXPECT_TRUE(RemoveCurrentAddress(store));
    EXPECT_FALSE(RemoveCurrentAddress(store));
}

TEST_F(AddressBook, PostRunsTheChecksAndKeepsTheFieldsTheViewDoesNotShow)
{
    AData loaded = Person("Ann", "Lee", 1, 1, 1980);
    loaded.Postal = "0150";
    loaded.Tele3 = "555";
    store.editAddresses() = {loaded};
    AddressFields typed = FieldsOf(loaded);
    typed.Day = "31";
    typed.Month = "2";
    typed.Year = "99";
    const PostOutcome out = PostAddress(store, typed);
    EXPECT_TRUE(out.changeYear);
    EXPECT_EQ(out.fields.Year, "");
    const AData& a = store.addresses()[0];
    // 31 February is stored as typed; only "Check dates" objects to it.
    EXPECT_EQ(a.DateText, "31/2");
    EXPECT_EQ(a.Year, 0);
    EXPECT_EQ(a.Postal, "0150");
    EXPECT_EQ(a.Tele3, "555");
}

TEST_F(AddressBook, CheckDatesListsEveryWrongBirthdayInListOrder)
{
    // 29 February without a year and 31 February are the orv-cli golden case's (check-dates).
    const std::vector<AData> list = {Person("Leap", "NoYear", 29, 2, 0), Person("Leap", "1999", 29, 2, 1999),
                                     Person("Half", "Given", 31, 0, 0), Person("Month", "13", 1, 13, 0)};
    EXPECT_EQ(IncorrectBirthdays(list), (std::vector<int>{1, 3}));
    // The day page's "Check dates" stops at the first.
    EXPECT_EQ(FirstIncorrectBirthday(list), 1);
    EXPECT_EQ(FirstIncorrectBirthday({list[0], list[2], list[3]}), 2);
    EXPECT_EQ(FirstIncorrectBirthday({list[0]}), std::nullopt);
}

TEST(MemoLines, AFinalLineBreakStartsNoLine)
{
    EXPECT_TRUE(MemoLines("").empty());
    EXPECT_EQ(MemoLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(MemoText({"a", "", "b"}), "a\n\nb");
}

}  // namespace
}  // namespace orv
