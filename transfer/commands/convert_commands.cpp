#include "commands/convert_commands.h"

#include "commands/confirm_discard.h"
#include "convert/delf_conversion.h"
#include "convert/pcode_conversion.h"

namespace vrk {

namespace {

std::string ReplaceWith(const ConversionResult& result, TextView& view, Prompter& prompter) {
    if (!result.ok) {
        prompter.showMessage(result.messageWithWhere());
        return {};
    }
    if (!ConfirmDiscardText(view, prompter)) {
        return {};
    }
    view.clearText();
    view.setText(result.text);
    return result.report;
}

}  // namespace

std::string OnConvertDelf(TextView& view, Prompter& prompter) {
    return ReplaceWith(ConvertToDelf(view.getText()), view, prompter);
}

std::string OnConvertPcode(TextView& view, Prompter& prompter) {
    return ReplaceWith(ConvertToPcode(view.getText()), view, prompter);
}

}  // namespace vrk
