#pragma once

#include <optional>
#include <string_view>

namespace vrk {

// The files an export writes, each through the library that knows the format.
enum class ExportFormat { kDxf, kGpkg, kShp, kGeoJson, kKml, kCsv };

inline constexpr ExportFormat kExportFormats[] = {ExportFormat::kDxf, ExportFormat::kGpkg,
                                                  ExportFormat::kShp, ExportFormat::kGeoJson,
                                                  ExportFormat::kKml, ExportFormat::kCsv};

// The word the command line takes for the format ("dxf", "gpkg"…).
std::string_view ExportFormatWord(ExportFormat format);
std::optional<ExportFormat> ExportFormatFromWord(std::string_view word);

// The file name's ending, with its dot (".dxf").
std::string_view ExportFormatExtension(ExportFormat format);

// What the user reads in the format chooser (UTF-8).
std::string_view ExportFormatLabel(ExportFormat format);

// GeoJSON and KML hold longitude and latitude, so the points need a known system to get there.
bool ExportFormatNeedsSystem(ExportFormat format);

}  // namespace vrk
