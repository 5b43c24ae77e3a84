#pragma once

#include <QString>
#include <QStringList>

namespace vrk {

// What the command line asks for: nothing (a new document), a file to open, or a file to
// print to the default printer (/p, --print) or to a named one (/pt, --print-to).
struct CommandLineInfo {
    enum class Action { FileNew, FileOpen, FilePrint, FilePrintTo, Invalid };
    Action action = Action::FileNew;
    QString fileName;
    QString printerName;
};

// `args` without the program name.
CommandLineInfo ParseCommandLine(const QStringList& args);

}  // namespace vrk
