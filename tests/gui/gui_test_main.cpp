// Runs the desktop program's tests on Qt's offscreen platform, with the
// user's settings and runtime folder replaced by test ones.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

#include "main_window_test.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;  // 0700, as Qt wants a runtime folder
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Norvantech"));
    QCoreApplication::setApplicationName(QStringLiteral("ElastrixTest"));
    elix::test::MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}
