#pragma once

#include <string_view>

#include "export/export_run.h"

class QWidget;

namespace vrk {

// Runs the export on a worker thread while the window stays responsive; a large one shows its
// progress with 取消, which stops it and leaves an earlier file as it was.
ExportOutcome ExportInBackground(QWidget* parent, std::string_view viewText,
                                 const SurveyPointList& list, const ExportRequest& request);

}  // namespace vrk
