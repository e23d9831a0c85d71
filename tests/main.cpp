#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The offscreen platform warns about every raise(); the warning says nothing about the program.
void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    qt_message_output(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    // gtest_discover_tests starts the binary without the test's environment, so the platform is chosen here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietOffscreenWarnings);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The pictures live in a static library, which the linker keeps only when asked.
    Q_INIT_RESOURCE(resources);
    return RUN_ALL_TESTS();
}
