#include "export/coordinate_systems.h"
#include "export/export_texts.h"
#include "export_test_support.h"

namespace vrk::testing {
namespace {

constexpr int kCgcs2000Meridian114 = 4547;
const std::string kEarlier = "an earlier file\n";

class CancelAfterFirstStep final : public ExportProgress {
  public:
    bool Continue(std::size_t written, std::size_t) override { return written == 0; }
};

class ExportRefusals : public ExportFolder {
  protected:
    void WriteEarlier(const std::string& name) {
        std::ofstream(PathOf(name), std::ios::binary) << kEarlier;
    }
    void ExpectEarlierKeptAlone(const std::string& name) {
        EXPECT_EQ(FileText(PathOf(name)), kEarlier);
        EXPECT_EQ(FilesInFolder(), 1u) << "a hidden file was left behind";
    }
};

TEST_F(ExportRefusals, LongitudeAndLatitudeNeedAKnownSystem) {
    for (const auto& [format, name] :
         {std::pair{ExportFormat::kGeoJson, "a.geojson"}, std::pair{ExportFormat::kKml, "a.kml"}}) {
        std::filesystem::remove(PathOf("a.geojson"));
        std::filesystem::remove(PathOf("a.kml"));
        WriteEarlier(name);
        const ExportOutcome outcome = Export(format, kLocalSystem, name);
        EXPECT_FALSE(outcome.written);
        EXPECT_EQ(outcome.message, texts::kNeedsSystem);
        ExpectEarlierKeptAlone(name);
    }
}

TEST_F(ExportRefusals, NothingToExportAndUnknownSystemsAreRefused) {
    WriteEarlier("a.gpkg");
    EXPECT_EQ(Export(ExportFormat::kGpkg, kLocalSystem, "a.gpkg", "no points\r\n").message,
              texts::kNoPoints);
    const ExportOutcome unknown = Export(ExportFormat::kGpkg, 999999, "a.gpkg");
    EXPECT_FALSE(unknown.written);
    EXPECT_EQ(unknown.message, std::string(texts::kUnknownSystem) + "999999");
    EXPECT_EQ(Export(ExportFormat::kGpkg, kLocalSystem, "a.gpkg", kSurvey, true).message,
              texts::kGbkOnlyCsv);
    ExpectEarlierKeptAlone("a.gpkg");
}

TEST_F(ExportRefusals, ACancelledExportLeavesTheEarlierSetAsItWas) {
    std::string many;
    for (int i = 0; i < 10000; ++i) {
        many += "P" + std::to_string(i) + ",,1,2,3\r\n";
    }
    WriteEarlier("a.shp");
    CancelAfterFirstStep cancel;
    const ExportOutcome outcome =
        RunExport(many, ReadDelfPoints(many),
                  {ExportFormat::kShp, kCgcs2000Meridian114, false, PathOf("a.shp")}, cancel);
    EXPECT_FALSE(outcome.written);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.message, texts::kCancelled);
    ExpectEarlierKeptAlone("a.shp");
}

TEST_F(ExportRefusals, AFailedWriteLeavesTheEarlierFileAndNoHiddenOne) {
    // A code that GDAL's GeoPackage writer cannot store is hard to come by; a target that is a
    // folder fails at the rename, after GDAL has written the whole file.
    std::filesystem::create_directory(PathOf("a.gpkg"));
    std::ofstream(PathOf("a.gpkg/inside"), std::ios::binary) << kEarlier;
    const ExportOutcome outcome = Export(ExportFormat::kGpkg, kCgcs2000Meridian114, "a.gpkg");
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(FileText(PathOf("a.gpkg/inside")), kEarlier);
    EXPECT_EQ(FilesInFolder(), 1u);
}

}  // namespace
}  // namespace vrk::testing
