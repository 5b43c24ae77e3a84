#include "shell/command_line_info.h"

namespace vrk {

CommandLineInfo ParseCommandLine(const QStringList& args) {
    CommandLineInfo info;
    if (args.isEmpty()) {
        return info;
    }
    const QString first = args.front();
    const auto is = [&first](const char* a, const char* b) {
        return first.compare(QLatin1String(a), Qt::CaseInsensitive) == 0 ||
               first.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
    };
    if (is("/p", "--print")) {
        info.action = args.size() == 2 ? CommandLineInfo::Action::FilePrint
                                       : CommandLineInfo::Action::Invalid;
        info.fileName = args.value(1);
    } else if (is("/pt", "--print-to")) {
        // Further arguments (driver, port) are accepted and ignored, as the old switch allowed.
        info.action = args.size() >= 3 ? CommandLineInfo::Action::FilePrintTo
                                       : CommandLineInfo::Action::Invalid;
        info.fileName = args.value(1);
        info.printerName = args.value(2);
    } else if (args.size() == 1 && !first.startsWith(QLatin1String("--"))) {
        info.action = CommandLineInfo::Action::FileOpen;
        info.fileName = first;
    } else {
        info.action = CommandLineInfo::Action::Invalid;
    }
    return info;
}

}  // namespace vrk
