#pragma once

#include <string_view>

#include "survey/survey_point.h"

namespace vrk {

// The points of the view's DELF lines, read exactly as the coordinate upload reads them.
SurveyPointList ReadDelfPoints(std::string_view viewText);

// The code of a DELF line: the text between its first two commas, without surrounding blanks.
std::string_view DelfCode(std::string_view line);

}  // namespace vrk
