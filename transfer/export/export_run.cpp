#include "export/export_run.h"

#include <unistd.h>

#include "export/coordinate_systems.h"
#include "export/export_module.h"
#include "export/export_points.h"
#include "export/export_texts.h"
#include "export/staged_export.h"

namespace vrk {

namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) {
        return false;
    }
    const std::string_view tail = text.substr(text.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(tail[i]) != lower(ending[i])) {
            return false;
        }
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

std::string WithArgs(std::string text, std::string_view first, std::string_view second) {
    if (const std::size_t at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, first);
    }
    if (const std::size_t at = text.find("%2"); at != std::string::npos) {
        text.replace(at, 2, second);
    }
    return text;
}

ExportOutcome Refused(std::string message) {
    return ExportOutcome{false, false, std::move(message)};
}

}  // namespace

std::string WithFormatEnding(std::string path, ExportFormat format) {
    const std::string_view ending = ExportFormatExtension(format);
    if (!EndsWithIgnoringCase(path, ending)) {
        path += ending;
    } else {
        // The drivers look for their ending in lower case.
        path.replace(path.size() - ending.size(), ending.size(), ending);
    }
    return path;
}

std::optional<std::string> ExportRefusal(const ExportRequest& request,
                                         const SurveyPointList& list) {
    if (list.points.empty()) {
        return texts::kNoPoints;
    }
    if (request.epsg == kLocalSystem && ExportFormatNeedsSystem(request.format)) {
        return texts::kNeedsSystem;
    }
    if (request.gbk && request.format != ExportFormat::kCsv) {
        return texts::kGbkOnlyCsv;
    }
    if (::access(request.path.c_str(), F_OK) == 0 && ::access(request.path.c_str(), W_OK) != 0) {
        return texts::kTargetNotWritable + request.path;
    }
    const std::string folder = FolderOf(request.path);
    if (::access(folder.c_str(), W_OK) != 0) {
        return texts::kFolderNotWritable + folder;
    }
    return std::nullopt;
}

ExportOutcome RunExport(std::string_view viewText, const SurveyPointList& list,
                        ExportRequest request, ExportProgress& progress) {
    request.path = WithFormatEnding(std::move(request.path), request.format);
    if (auto refusal = ExportRefusal(request, list)) {
        return Refused(std::move(*refusal));
    }
    // Made before the module is asked for: while another thread still loads it, the two overlap.
    std::vector<ExportPoint> points =
        ToExportPoints(viewText, list, request.gbk, request.format == ExportFormat::kCsv);
    std::string failure;
    const ExportModule* module = ExportModule::Load(failure);
    if (module == nullptr) {
        return Refused(failure);
    }
    if (request.epsg != kLocalSystem && !module->SystemName(request.epsg)) {
        return Refused(texts::kUnknownSystem + std::to_string(request.epsg));
    }
    const StagedExport staged(request.path, ExportFormatExtension(request.format));
    ExportJob job{request.format, request.epsg, staged.stagedPath(), std::move(points)};
    if (!module->Write(job, progress, failure)) {
        staged.Discard();
        // The user knows the file by the name chosen, not by the hidden one it was written to.
        for (std::size_t at = failure.find(staged.stagedPath()); at != std::string::npos;
             at = failure.find(staged.stagedPath(), at + request.path.size())) {
            failure.replace(at, staged.stagedPath().size(), request.path);
        }
        const bool cancelled = failure.empty();
        return ExportOutcome{false, cancelled, cancelled ? texts::kCancelled : failure};
    }
    if (!staged.MoveFinishedIntoPlace(failure)) {
        return Refused(texts::kCannotRename + failure);
    }
    return ExportOutcome{
        true, false, WithArgs(texts::kWritten, std::to_string(list.points.size()), request.path)};
}

std::string FormatSkippedLines(const SurveyPointList& list) {
    std::string text;
    for (const std::size_t line : list.skippedLines) {
        text += std::to_string(line) + ": " + texts::kSkippedLine + "\n";
    }
    return text;
}

}  // namespace vrk
