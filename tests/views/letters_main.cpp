// Runs the tests of the letter writer, the data list and the import window
// one after the other in one application.
#include <QApplication>

namespace orv::test {
int RunLetterWriterTests(int argc, char** argv);
int RunDataListTests(int argc, char** argv);
int RunImportDataTests(int argc, char** argv);
}  // namespace orv::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    failed += orv::test::RunLetterWriterTests(argc, argv);
    failed += orv::test::RunDataListTests(argc, argv);
    failed += orv::test::RunImportDataTests(argc, argv);
    return failed;
}
