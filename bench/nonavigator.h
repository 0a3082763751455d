// A navigator for benchmarks of views: every request is ignored.
#pragma once

#include "views/common/navigator.h"

namespace orv::bench {

class NoNavigator : public Navigator {
public:
    void ShowView(ViewItem) override {}
    void ShowTodo(TodoList, int) override {}
    void DoneTodo(TodoList, int) override {}
    void ShowCalendarAt(Date) override {}
    void ShowAddress(int) override {}
    void SendEmail(int) override {}
    void ShowWeekly(int) override {}
    void ShowMonthly(int) override {}
    void ShowAnnual(int, int) override {}
    void ShowAdvanced(int) override {}
    bool OpenRecord(const Occurrence&, Date) override { return false; }
    void ShowMainWindow() override {}
    void ShowLetterWriter() override {}
    void ShowDataList(DataList) override {}
    void AddToDataList(const std::vector<int>&) override {}
    void ShowImportData() override {}
};

}  // namespace orv::bench
