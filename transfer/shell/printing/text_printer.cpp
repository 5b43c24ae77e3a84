#include "shell/printing/text_printer.h"

#include <QFont>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>

namespace vrk {

void PrintText(const QString& text, const QFont& font, QPrinter& printer) {
    QTextDocument document;
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    // A line wider than the page continues on the next printed line instead of being cut off.
    option.setWrapMode(QTextOption::WrapAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(text);
    document.print(&printer);
}

}  // namespace vrk
