#include "export/export_format.h"

#include <array>

namespace vrk {

namespace {

struct FormatFacts {
    ExportFormat format;
    std::string_view word;
    std::string_view extension;
    std::string_view label;
};

constexpr std::array<FormatFacts, 6> kFacts = {{
    {ExportFormat::kDxf, "dxf", ".dxf", "DXF 图形交换文件 (*.dxf)"},
    {ExportFormat::kGpkg, "gpkg", ".gpkg", "GeoPackage (*.gpkg)"},
    {ExportFormat::kShp, "shp", ".shp", "Shapefile (*.shp)"},
    {ExportFormat::kGeoJson, "geojson", ".geojson", "GeoJSON (*.geojson)"},
    {ExportFormat::kKml, "kml", ".kml", "KML (*.kml)"},
    {ExportFormat::kCsv, "csv", ".csv", "CSV 逗号分隔文本 (*.csv)"},
}};

const FormatFacts& FactsOf(ExportFormat format) {
    for (const FormatFacts& facts : kFacts) {
        if (facts.format == format) {
            return facts;
        }
    }
    return kFacts.front();
}

}  // namespace

std::string_view ExportFormatWord(ExportFormat format) {
    return FactsOf(format).word;
}

std::optional<ExportFormat> ExportFormatFromWord(std::string_view word) {
    for (const FormatFacts& facts : kFacts) {
        if (facts.word == word) {
            return facts.format;
        }
    }
    return std::nullopt;
}

std::string_view ExportFormatExtension(ExportFormat format) {
    return FactsOf(format).extension;
}

std::string_view ExportFormatLabel(ExportFormat format) {
    return FactsOf(format).label;
}

bool ExportFormatNeedsSystem(ExportFormat format) {
    return format == ExportFormat::kGeoJson || format == ExportFormat::kKml;
}

}  // namespace vrk
