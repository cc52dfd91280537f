#pragma once
// The test classes of one folder's test program. Each test source registers its class with one
// of the three macros below (in place of a main function of its own); the program's main runs
// the classes of the source file named on its command line, so CTest still starts every test
// file as a process of its own, with its own folders and its own lane.
//
// The macros give each class the application it would have had as a program of its own:
// TARROWIN_TEST_MAIN the fullest the program links (QApplication, else QGuiApplication),
// TARROWIN_GUILESS_TEST_MAIN a QCoreApplication, TARROWIN_APPLESS_TEST_MAIN none.

#include <QObject>
#include <QTest>
#include <memory>

namespace tarrowin_test {

enum class AppKind { None, Core, Full };

using MakeTest = std::unique_ptr<QObject> (*)();
using InitMain = void (*)();

// Adds a class from the source file `file` (__FILE__); always returns true. `initMain` runs
// before the application is made (the class's static initMain(), when it has one).
bool RegisterTestClass(const char *file, AppKind app, InitMain initMain, MakeTest make);

// Puts the test on the Xvfb display when the test services give one (TARROWIN_XVFB_DISPLAY),
// for tests that need a real window system; call it from a class's static initMain().
void UseTestDisplay();

} // namespace tarrowin_test

#define TARROWIN_REGISTER_TEST(TestObject, kind)                                                \
    static const bool tarrowinRegistered##TestObject = tarrowin_test::RegisterTestClass(        \
        __FILE__, tarrowin_test::AppKind::kind,                                                \
        [] { QTest::Internal::callInitMain<TestObject>(); },                                   \
        []() -> std::unique_ptr<QObject> { return std::make_unique<TestObject>(); });

#define TARROWIN_TEST_MAIN(TestObject) TARROWIN_REGISTER_TEST(TestObject, Full)
#define TARROWIN_GUILESS_TEST_MAIN(TestObject) TARROWIN_REGISTER_TEST(TestObject, Core)
#define TARROWIN_APPLESS_TEST_MAIN(TestObject) TARROWIN_REGISTER_TEST(TestObject, None)
