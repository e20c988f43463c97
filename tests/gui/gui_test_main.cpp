// Runs the desktop program's tests on Qt's offscreen platform, with the
// user's settings and runtime folder replaced by test ones. Every registered
// test class runs in turn, or only the one that ELASTRIX_GUI_TEST_CLASS names.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cstdio>

#include "support/gui_test_registry.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;  // 0700, as Qt wants a runtime folder
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Norvantech"));
    QCoreApplication::setApplicationName(QStringLiteral("ElastrixTest"));
    const QByteArray only = qgetenv("ELASTRIX_GUI_TEST_CLASS");
    int failures = 0;
    bool ran = false;
    for (const auto& entry : elix::test::GuiTestClasses()) {
        if (!only.isEmpty() && entry.name != only.toStdString()) continue;
        ran = true;
        const auto test = entry.make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    if (!ran) {
        std::fprintf(stderr, "no GUI test class named '%s'\n", only.constData());
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
