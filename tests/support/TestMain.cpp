// The main function of each folder's test program: `tests_core tst_gbk [QtTest options]` runs
// the test classes registered from tst_gbk.cpp, with the application each asked for.
#include "TestRegistry.h"

#include <QCoreApplication>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#if defined(QT_WIDGETS_LIB)
#include <QApplication>
#elif defined(QT_GUI_LIB)
#include <QGuiApplication>
#endif

namespace tarrowin_test {
namespace {

struct Entry {
    std::string file; // the source file's name without folder and extension
    AppKind app;
    InitMain initMain;
    MakeTest make;
};

std::vector<Entry> &Registry()
{
    static std::vector<Entry> entries;
    return entries;
}

std::string FileStem(const char *path)
{
    std::string name(path);
    const auto slash = name.find_last_of('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

std::unique_ptr<QCoreApplication> MakeApplication(AppKind kind, int &argc, char **argv)
{
    std::unique_ptr<QCoreApplication> app;
    if (kind == AppKind::None)
        return app;
#if defined(QT_WIDGETS_LIB)
    if (kind == AppKind::Full)
        app = std::make_unique<QApplication>(argc, argv);
#elif defined(QT_GUI_LIB)
    if (kind == AppKind::Full)
        app = std::make_unique<QGuiApplication>(argc, argv);
#endif
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);
    app->setAttribute(Qt::AA_Use96Dpi, true);
    return app;
}

int Usage(const char *program)
{
    std::fprintf(stderr, "usage: %s TEST_FILE [QtTest options]\ntest files:", program);
    for (const Entry &entry : Registry())
        std::fprintf(stderr, " %s", entry.file.c_str());
    std::fprintf(stderr, "\n");
    return 2;
}

} // namespace

bool RegisterTestClass(const char *file, AppKind app, InitMain initMain, MakeTest make)
{
    Registry().push_back({FileStem(file), app, initMain, make});
    return true;
}

void UseTestDisplay()
{
    const QByteArray display = qgetenv("TARROWIN_XVFB_DISPLAY");
    if (!display.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", display);
    }
}

} // namespace tarrowin_test

int main(int argc, char *argv[])
{
    using namespace tarrowin_test;
    if (argc < 2)
        return Usage(argv[0]);
    const std::string wanted = argv[1];
    // QtTest sees the program's name and the options after the file's name.
    std::vector<char *> args{argv[0]};
    args.insert(args.end(), argv + 2, argv + argc);
    int testArgc = int(args.size());
    int failures = 0;
    bool found = false;
    for (const Entry &entry : Registry()) {
        if (entry.file != wanted)
            continue;
        found = true;
        entry.initMain();
        auto app = MakeApplication(entry.app, testArgc, args.data());
        auto test = entry.make();
        failures += QTest::qExec(test.get(), testArgc, args.data());
    }
    return found ? failures : Usage(argv[0]);
}
