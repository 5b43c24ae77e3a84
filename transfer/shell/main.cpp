#include <QApplication>

#include "shell/qt_chinese.h"
#include "shell/vrk410_app.h"
#include "shell/windows/app_icon.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VRK410"));
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setWindowIcon(vrk::AppIcon());
    vrk::InstallQtChinese(qapp);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    vrk::CVRK410App app;
    bool exitNow = false;
    if (!app.InitInstance(args, &exitNow)) {
        return 1;
    }
    if (exitNow) {
        return 0;
    }
    return QApplication::exec();
}
