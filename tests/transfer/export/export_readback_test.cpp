#include <cpl_conv.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <memory>

#include "export/coordinate_systems.h"
#include "export_test_support.h"

namespace vrk::testing {
namespace {

constexpr int kCgcs2000Cm114 = 4547;
constexpr int kCgcs2000Zone38 = 4526;
constexpr double kMillimetre = 0.001;
// Longitude and latitude to about a millimetre on the ground.
constexpr double kDegreeMillimetre = 1e-8;

using Dataset = std::unique_ptr<GDALDataset, decltype(&GDALClose)>;

Dataset Open(const std::string& path) {
    GDALAllRegister();
    return Dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY), &GDALClose);
}

struct ReadPoint {
    std::string name, code;
    double x = 0, y = 0, z = 0;
    double h = 0;
    long long line = 0;
};

std::vector<ReadPoint> ReadLayer(OGRLayer& layer) {
    std::vector<ReadPoint> points;
    layer.ResetReading();
    for (auto& feature : layer) {
        ReadPoint point;
        point.name = feature->GetFieldAsString("name");
        point.code = feature->GetFieldAsString("code");
        point.h = feature->GetFieldAsDouble("h");
        if (feature->GetFieldIndex("line") >= 0) {
            point.line = feature->GetFieldAsInteger64("line");
        }
        const auto* geometry = feature->GetGeometryRef()->toPoint();
        point.x = geometry->getX();
        point.y = geometry->getY();
        point.z = geometry->getZ();
        points.push_back(point);
    }
    return points;
}

std::string AuthorityCode(OGRLayer& layer) {
    const OGRSpatialReference* system = layer.GetSpatialRef();
    return system == nullptr || system->GetAuthorityCode(nullptr) == nullptr
               ? std::string()
               : system->GetAuthorityCode(nullptr);
}

// GeoPackage and Shapefile keep the grid coordinates, the fields and the system.
void ExpectGridPoints(OGRLayer& layer) {
    EXPECT_EQ(AuthorityCode(layer), "4547");
    EXPECT_EQ(wkbFlatten(layer.GetGeomType()), wkbPoint);
    EXPECT_TRUE(wkbHasZ(layer.GetGeomType()));
    const auto points = ReadLayer(layer);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].name, "点1");
    EXPECT_EQ(points[0].code, "房屋");
    EXPECT_NEAR(points[0].x, 512345.678, kMillimetre);
    EXPECT_NEAR(points[0].y, 3456789.012, kMillimetre);
    EXPECT_NEAR(points[0].z, 12.5, kMillimetre);
    EXPECT_DOUBLE_EQ(points[0].h, 12.5);
    EXPECT_EQ(points[0].line, 1);
    EXPECT_EQ(points[1].code, "道路");
    EXPECT_NEAR(points[1].x, 512355.1, kMillimetre);
    EXPECT_EQ(points[2].name, "P3");
    EXPECT_EQ(points[2].line, 4);
}

TEST_F(ExportFolder, GeoPackageHoldsOneLayerOfPointsWithTheirSystem) {
    ASSERT_TRUE(Export(ExportFormat::kGpkg, kCgcs2000Cm114, "survey.gpkg").written);
    const Dataset dataset = Open(PathOf("survey.gpkg"));
    ASSERT_NE(dataset, nullptr);
    ASSERT_EQ(dataset->GetLayerCount(), 1);
    OGRLayer* layer = dataset->GetLayerByName("points");
    ASSERT_NE(layer, nullptr);
    ExpectGridPoints(*layer);
}

TEST_F(ExportFolder, ShapefileIsAWholeSetInUtf8) {
    // No ending given: the Shapefile's is added.
    ASSERT_TRUE(Export(ExportFormat::kShp, kCgcs2000Cm114, "survey").written);
    for (const char* ending : {".shp", ".shx", ".dbf", ".prj"}) {
        EXPECT_TRUE(std::filesystem::exists(PathOf(std::string("survey") + ending))) << ending;
    }
    EXPECT_EQ(FileText(PathOf("survey.cpg")), "UTF-8");
    EXPECT_EQ(FilesInFolder(), 5u);
    const Dataset dataset = Open(PathOf("survey.shp"));
    ASSERT_NE(dataset, nullptr);
    ExpectGridPoints(*dataset->GetLayer(0));

    // Written again without a system, the set has no .prj left from before.
    ASSERT_TRUE(Export(ExportFormat::kShp, kLocalSystem, "survey.shp").written);
    EXPECT_FALSE(std::filesystem::exists(PathOf("survey.prj")));
    EXPECT_EQ(FilesInFolder(), 4u);
}

TEST_F(ExportFolder, GeoJsonAndKmlHoldLongitudeAndLatitudeFromProj) {
    // cs2cs -f %.9f EPSG:4547 EPSG:4326 on "3456789.012 512345.678" and "3456799.2 512355.1"
    ASSERT_TRUE(Export(ExportFormat::kGeoJson, kCgcs2000Cm114, "survey.geojson").written);
    ASSERT_TRUE(Export(ExportFormat::kKml, kCgcs2000Cm114, "survey.kml").written);
    for (const char* name : {"survey.geojson", "survey.kml"}) {
        SCOPED_TRACE(name);
        const Dataset dataset = Open(PathOf(name));
        ASSERT_NE(dataset, nullptr);
        const auto points = ReadLayer(*dataset->GetLayer(0));
        ASSERT_EQ(points.size(), 3u);
        EXPECT_EQ(points[0].name, "点1");
        EXPECT_EQ(points[0].code, "房屋");
        EXPECT_NEAR(points[0].x, 114.129584126, kDegreeMillimetre);
        EXPECT_NEAR(points[0].y, 31.232769081, kDegreeMillimetre);
        EXPECT_NEAR(points[1].x, 114.129683147, kDegreeMillimetre);
        EXPECT_NEAR(points[1].y, 31.232860870, kDegreeMillimetre);
        EXPECT_NEAR(points[1].h, 13.0, kMillimetre);
    }
}

TEST_F(ExportFolder, AZonePrefixedEastingLandsWhereTheSamePointWithoutItDoes) {
    const std::string prefixed = "K1,,38512345.678,3456789.012,0\r\n";
    ASSERT_TRUE(Export(ExportFormat::kGeoJson, kCgcs2000Zone38, "zoned.geojson", prefixed).written);
    const Dataset dataset = Open(PathOf("zoned.geojson"));
    ASSERT_NE(dataset, nullptr);
    const auto points = ReadLayer(*dataset->GetLayer(0));
    ASSERT_EQ(points.size(), 1u);
    EXPECT_NEAR(points[0].x, 114.129584126, kDegreeMillimetre);
    EXPECT_NEAR(points[0].y, 31.232769081, kDegreeMillimetre);
}

TEST_F(ExportFolder, DxfPutsEachPointOnItsCodesLayerWithItsNameBesideIt) {
    ASSERT_TRUE(Export(ExportFormat::kDxf, kCgcs2000Cm114, "survey.dxf").written);
    // The file is R2007 or later, whose strings are UTF-8; GDAL 3.6's reader goes by
    // $DWGCODEPAGE alone unless told.
    CPLSetConfigOption("DXF_ENCODING", "UTF-8");
    const Dataset dataset = Open(PathOf("survey.dxf"));
    CPLSetConfigOption("DXF_ENCODING", nullptr);
    ASSERT_NE(dataset, nullptr);
    OGRLayer& layer = *dataset->GetLayer(0);
    std::vector<std::string> seen;
    for (auto& feature : layer) {
        const auto* point = feature->GetGeometryRef()->toPoint();
        seen.push_back(std::string(feature->GetFieldAsString("Layer")) + "|" +
                       feature->GetFieldAsString("Text") + "|" +
                       std::to_string(std::lround(point->getX() / kMillimetre)) + "|" +
                       std::to_string(std::lround(point->getY() / kMillimetre)) + "|" +
                       std::to_string(std::lround(point->getZ() / kMillimetre)));
    }
    const std::vector<std::string> expected = {
        "房屋||512345678|3456789012|12500", "房屋|点1|512345678|3456789012|12500",
        "道路||512355100|3456799200|13000", "道路|P2|512355100|3456799200|13000",
        "0||512360000|3456800000|0",        "0|P3|512360000|3456800000|0"};
    EXPECT_EQ(seen, expected);
    EXPECT_NE(FileText(PathOf("survey.dxf")).find("AC1021"), std::string::npos);
}

TEST_F(ExportFolder, CsvKeepsTheNumbersAsWrittenInUtf8OrGbk) {
    ASSERT_TRUE(Export(ExportFormat::kCsv, kLocalSystem, "survey.csv").written);
    EXPECT_EQ(FileText(PathOf("survey.csv")),
              "name,code,E,N,H\r\n"
              "点1,房屋,512345.678,3456789.012,12.5\r\n"
              "P2,道路,512355.10,3456799.2,13\r\n"
              "P3,,512360,3456800,0\r\n");
    ASSERT_TRUE(Export(ExportFormat::kCsv, kLocalSystem, "gbk.csv", kSurvey, true).written);
    EXPECT_EQ(FileText(PathOf("gbk.csv")),
              "name,code,E,N,H\r\n"
              "\xB5\xE3"
              "1,\xB7\xBF\xCE\xDD,512345.678,3456789.012,12.5\r\n"
              "P2,\xB5\xC0\xC2\xB7,512355.10,3456799.2,13\r\n"
              "P3,,512360,3456800,0\r\n");
}

}  // namespace
}  // namespace vrk::testing
