// Any text in the view through both conversions: they must answer, never crash, and only ever
// write whole lines.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "convert/delf_conversion.h"
#include "convert/pcode_conversion.h"
#include "fuzz_check.h"

namespace {

void CheckResult(const vrk::ConversionResult& result) {
    if (result.ok) {
        fuzzCheck(!result.text.empty());
        fuzzCheck(result.text.size() >= 2 && result.text.substr(result.text.size() - 2) == "\r\n");
        fuzzCheck(result.message.empty());
        fuzzCheck(result.report.rfind("DELF: ", 0) == 0 || result.report.rfind("PCODE: ", 0) == 0);
    } else {
        fuzzCheck(result.text.empty());
        fuzzCheck(result.message == "转换失败" || result.message == "文件格式不正确");
        fuzzCheck(!result.where.empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckResult(vrk::ConvertToDelf(text));
    CheckResult(vrk::ConvertToPcode(text));
    return 0;
}
