#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "cadhost/application_table.h"
#include "cadhost/file_search.h"
#include "cadhost/host_state.h"
#include "cadhost/rx_dynamic_linker.h"
#include "command_processor.h"
#include "console_session.h"
#include "host_window.h"
#include "modal_dialog_answerer.h"
#include "qt_chinese.h"
#include "qt_module_guard.h"

namespace {

bool hasArgument(int argc, char** argv, const char* wanted) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], wanted) == 0) {
            return true;
        }
    }
    return false;
}

// --support-path entries first, then those of ACAD, each made absolute so that later changes of
// the working directory do not move it.
std::vector<std::string> supportPathFrom(const QStringList& options) {
    std::vector<std::string> directories;
    for (const QString& option : options) {
        for (const std::string& dir : cadhost::splitSearchPath(option.toStdString())) {
            directories.push_back(dir);
        }
    }
    for (const std::string& dir :
         cadhost::splitSearchPath(qEnvironmentVariable("ACAD").toStdString())) {
        directories.push_back(dir);
    }
    for (std::string& dir : directories) {
        dir = QDir(QString::fromStdString(dir)).absolutePath().toStdString();
    }
    return directories;
}

bool readScript(const QString& path, QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    QTextStream in(&file);
    while (!in.atEnd()) {
        lines.append(in.readLine());
    }
    return true;
}

cadhost::ApplicationTable& applications() {
    auto* linker = acrxCheckedCast<AcRxDynamicLinker>(acrxSysRegistry()->at("DynamicLinker"),
                                                      AcRxDynamicLinker::desc());
    return linker->applications();
}

}  // namespace

int main(int argc, char** argv) {
    const bool console = hasArgument(argc, argv, "--console");
    // Dialogs still need a QApplication when there is no display.
    if (console && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cadhost"));
    installQtChinese(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in CAD host for plug-in modules."));
    parser.addHelpOption();
    const QCommandLineOption consoleOption(
        QStringLiteral("console"), QStringLiteral("Read commands from standard input, no window."));
    const QCommandLineOption supportOption(
        QStringLiteral("support-path"),
        QStringLiteral("Directories searched for files, separated by ':' (repeatable)."),
        QStringLiteral("DIR[:DIR]"));
    const QCommandLineOption scriptOption(QStringLiteral("script"),
                                          QStringLiteral("Run the commands of FILE in the window."),
                                          QStringLiteral("FILE"));
    parser.addOptions({consoleOption, supportOption, scriptOption});
    parser.process(app);

    cadhost::setSupportPath(supportPathFrom(parser.values(supportOption)));
    cadhost::guardQtAgainstUnloadedModules(applications());

    cadhost::DialogScript dialogs;
    cadhost::CommandProcessor processor(dialogs);
    cadhost::ModalDialogAnswerer answerer(dialogs, console);
    app.installEventFilter(&answerer);

    int status = 0;
    if (console) {
        cadhost::setOutputSink(cadhost::printToConsole);
        status = cadhost::runConsole(processor, stdin, isatty(fileno(stdin)) == 0);
        applications().unloadAll();
    } else {
        QStringList script;
        if (parser.isSet(scriptOption) && !readScript(parser.value(scriptOption), script)) {
            std::fprintf(stderr, "cadhost: cannot read %s\n",
                         parser.value(scriptOption).toLocal8Bit().constData());
            return 2;
        }
        cadhost::HostWindow window(processor);
        cadhost::setOutputSink([&window](std::string_view text, cadhost::TextOrigin origin) {
            window.appendOutput(text, origin);
        });
        window.show();
        window.runScript(script);
        status = QApplication::exec();
        // Plug-ins go while the window that shows their messages still exists.
        applications().unloadAll();
        cadhost::setOutputSink({});
    }
    app.removeEventFilter(&answerer);
    return status;
}
