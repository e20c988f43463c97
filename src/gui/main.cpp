// elastrix [-r] [MODEL.wmd]: the desktop program. With -r it runs the model
// unattended, writing its messages to elix.log in the root folder, and exits
// (status 0 when the run finished). Without a display it uses Qt's offscreen
// platform.
#include <QApplication>
#include <clocale>
#include <cstdlib>

#include "app/console_user_interface.h"
#include "app/elix_app.h"

int main(int argc, char** argv) {
    const bool noDisplay = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
    if (noDisplay && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication application(argc, argv);
    // Files are written and read in the "C" numeric locale whatever the
    // user's locale (Qt sets the process locale from the environment).
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Norvantech"));
    QCoreApplication::setApplicationName(QStringLiteral("Elastrix"));

    std::vector<std::string> args;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());

    const bool headless = QGuiApplication::platformName() == QStringLiteral("offscreen");
    elix::CConsoleUserInterface console;
    elix::CElixApp app(QCoreApplication::applicationFilePath().toStdString(), headless ? &console : nullptr);
    if (!app.InitInstance(args)) return app.ExitCode();
    return QApplication::exec();
}
