// The one main of the views' test programs: runs every registered test class
// one after the other in one application and counts the failures.
#include <QApplication>
#include <QTest>
#include <vector>

#include "testclass.h"

namespace orv::test {

std::vector<TestClassFactory>& Classes()
{
    static std::vector<TestClassFactory> classes;
    return classes;
}

int RegisterTestClass(TestClassFactory make)
{
    Classes().push_back(std::move(make));
    return static_cast<int>(Classes().size());
}

}  // namespace orv::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    for (const auto& make : orv::test::Classes()) {
        const std::unique_ptr<QObject> test = make();
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed;
}
