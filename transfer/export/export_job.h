#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "export/export_format.h"

// What the caller hands the GDAL writer module. Plain types only: the module is built from the
// same sources and compiler, and is loaded at run time so that GDAL's start-up stays off every
// other path.
namespace vrk {

struct ExportPoint {
    std::string name;  // UTF-8; GBK bytes for a CSV asked for in GBK
    std::string code;  // likewise
    double east = 0.0;
    double north = 0.0;
    double height = 0.0;
    // The numbers as the line writes them, for CSV.
    std::string eastText;
    std::string northText;
    std::string heightText;
    std::size_t line = 0;  // 1-based line of the view
};

struct ExportJob {
    ExportFormat format = ExportFormat::kCsv;
    int epsg = 0;  // kLocalSystem: no system is written
    // The file the writer creates, with the format's ending; a Shapefile's other files sit
    // beside it under the same stem.
    std::string path;
    std::vector<ExportPoint> points;
};

// Told how far the writing is; answers false to cancel it.
class ExportProgress {
  public:
    virtual ~ExportProgress() = default;
    virtual bool Continue(std::size_t written, std::size_t total) = 0;
};

}  // namespace vrk
