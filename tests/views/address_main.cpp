// Runs the address book's view tests one after the other in one application.
#include <QApplication>

namespace orv::test {
int RunAddressViewTests(int argc, char** argv);
int RunSearchViewsTests(int argc, char** argv);
}  // namespace orv::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    failed += orv::test::RunAddressViewTests(argc, argv);
    failed += orv::test::RunSearchViewsTests(argc, argv);
    return failed;
}
