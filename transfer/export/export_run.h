#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "export/export_format.h"
#include "export/export_job.h"
#include "survey/survey_point.h"

namespace vrk {

struct ExportRequest {
    ExportFormat format = ExportFormat::kCsv;
    int epsg = 0;      // kLocalSystem, or an EPSG code
    bool gbk = false;  // CSV only
    std::string path;  // the format's ending is added when it has another
};

struct ExportOutcome {
    bool written = false;
    bool cancelled = false;
    std::string message;  // UTF-8: what was written, or why nothing was
};

// `path`, with the format's ending added when it has another one (a Shapefile needs ".shp" to
// find its other files).
std::string WithFormatEnding(std::string path, ExportFormat format);

// Why the export to request.path (with the format's ending) would be refused before anything is
// written: no points, a format that needs a
// system given none, GBK for a format other than CSV, a target the user may not write.
std::optional<std::string> ExportRefusal(const ExportRequest& request, const SurveyPointList& list);

// Writes the points of `list` (read from `viewText`) through the GDAL module to a hidden name
// beside the target, and moves the files into place only once they are whole. A refused, failed
// or cancelled export leaves an earlier file as it was and no hidden file behind.
ExportOutcome RunExport(std::string_view viewText, const SurveyPointList& list,
                        ExportRequest request, ExportProgress& progress);

// "LINE: reason" for each skipped line, each ended by LF, as the check before an upload lists
// its findings.
std::string FormatSkippedLines(const SurveyPointList& list);

}  // namespace vrk
