// Registers a Qt Test class with the one test main of the views' test programs:
// ORV_TEST_CLASS(Name) after the class, and testmain.cpp runs them all in one
// application, in the order the program's sources list them.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace orv::test {

using TestClassFactory = std::function<std::unique_ptr<QObject>()>;
int RegisterTestClass(TestClassFactory make);
std::vector<TestClassFactory>& Classes();

}  // namespace orv::test

#define ORV_TEST_CLASS(Class) \
    [[maybe_unused]] static const int orvTestClass##Class = \
        ::orv::test::RegisterTestClass([] { return std::unique_ptr<QObject>(new Class); })
