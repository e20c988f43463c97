// The desktop program's test classes register themselves here; the test
// main runs every registered class, or only the one named by the
// environment variable ELASTRIX_GUI_TEST_CLASS (one CTest test per class).
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace elix::test {

struct GuiTestClass {
    std::string name;
    std::function<std::unique_ptr<QObject>()> make;
};

inline std::vector<GuiTestClass>& GuiTestClasses() {
    static std::vector<GuiTestClass> classes;
    return classes;
}

struct GuiTestRegistration {
    GuiTestRegistration(const char* name, std::function<std::unique_ptr<QObject>()> make) {
        GuiTestClasses().push_back({name, std::move(make)});
    }
};

}  // namespace elix::test

// ELASTRIX_GUI_TEST(MainWindowTest) after the class's slots are defined, in
// namespace elix::test. CMake reads these lines to name the CTest tests.
#define ELASTRIX_GUI_TEST(Class)                                                                  \
    static const ::elix::test::GuiTestRegistration kRegister##Class(#Class, [] {                  \
        return std::unique_ptr<QObject>(new Class);                                               \
    })
