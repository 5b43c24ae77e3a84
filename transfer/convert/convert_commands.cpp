#include "convert/convert_commands.h"

#include "convert/delf_conversion.h"
#include "convert/pcode_conversion.h"
#include "view/confirm_discard.h"

namespace vrk {

namespace {

void ReplaceWith(const ConversionResult& result, TextView& view, Prompter& prompter) {
    if (!result.ok) {
        prompter.showMessage(result.message);
        return;
    }
    if (!ConfirmDiscardText(view, prompter)) {
        return;
    }
    view.clearText();
    view.setText(result.text);
}

}  // namespace

void OnConvertDelf(TextView& view, Prompter& prompter) {
    ReplaceWith(ConvertToDelf(view.getText()), view, prompter);
}

void OnConvertPcode(TextView& view, Prompter& prompter) {
    ReplaceWith(ConvertToPcode(view.getText()), view, prompter);
}

}  // namespace vrk
