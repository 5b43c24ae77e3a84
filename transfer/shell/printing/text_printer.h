#pragma once

class QFont;
class QPrinter;
class QString;

namespace vrk {

// Prints the text as the view shows it, in the view's font, paginated by the printer.
void PrintText(const QString& text, const QFont& font, QPrinter& printer);

}  // namespace vrk
