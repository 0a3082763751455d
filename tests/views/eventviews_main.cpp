// Runs the event page test classes one after the other in one application.
#include <QApplication>

namespace orv::test {
int RunMyCalTests(int argc, char** argv);
int RunCalendarViewTests(int argc, char** argv);
int RunRecurrentViewTests(int argc, char** argv);
int RunAdvancedViewTests(int argc, char** argv);
int RunMonthCalendarViewTests(int argc, char** argv);
int RunPeriodicalViewTests(int argc, char** argv);
}  // namespace orv::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    failed += orv::test::RunMyCalTests(argc, argv);
    failed += orv::test::RunCalendarViewTests(argc, argv);
    failed += orv::test::RunRecurrentViewTests(argc, argv);
    failed += orv::test::RunAdvancedViewTests(argc, argv);
    failed += orv::test::RunMonthCalendarViewTests(argc, argv);
    failed += orv::test::RunPeriodicalViewTests(argc, argv);
    return failed;
}
