#pragma once

#include <string_view>
#include <vector>

#include "export/export_job.h"
#include "survey/survey_point.h"

namespace vrk {

// The points of `list`, read from `viewText`, as an export writes them: DELF Y is east and X is
// north. Names and codes become UTF-8, or stay GBK bytes when `keepGbk`. The numbers as the lines
// write them are taken only `withNumberTexts` (CSV keeps them; the other formats hold values).
std::vector<ExportPoint> ToExportPoints(std::string_view viewText, const SurveyPointList& list,
                                        bool keepGbk, bool withNumberTexts);

}  // namespace vrk
