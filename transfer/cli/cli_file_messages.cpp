#include "cli/cli_file_messages.h"

#include "cli/cli_texts.h"
#include "files/file_failure_reason.h"

namespace vrk::cli {

std::string CannotReadMessage(const std::string& path, const FileResult& result) {
    if (path.empty()) {
        return std::string(texts::kProgram) + texts::kCannotRead + texts::kStandardInput + '\n';
    }
    return std::string(texts::kProgram) + texts::kCannotRead + path + '\n' +
           ReadFailureReason(result, path) + '\n';
}

std::string CannotWriteMessage(const std::string& path, const FileResult& result) {
    if (path.empty()) {
        return std::string(texts::kProgram) + texts::kCannotWrite + texts::kStandardOutput + '\n';
    }
    return std::string(texts::kProgram) + texts::kCannotWrite + path + '\n' +
           WriteFailureReason(result, path) + '\n';
}

}  // namespace vrk::cli
