// Runs the view test classes one after the other in one application.
#include <QApplication>

namespace orv::test {
int RunEventGridTests(int argc, char** argv);
int RunOverviewViewTests(int argc, char** argv);
int RunTodoViewTests(int argc, char** argv);
}  // namespace orv::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    failed += orv::test::RunEventGridTests(argc, argv);
    failed += orv::test::RunOverviewViewTests(argc, argv);
    failed += orv::test::RunTodoViewTests(argc, argv);
    return failed;
}
