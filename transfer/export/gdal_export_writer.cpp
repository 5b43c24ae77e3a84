// The only file that includes GDAL: the body of the module that vrk410 and vrk410-cli load when
// an export runs. It writes one job's points to one file set and reports why when it cannot.
#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_module_entry.h"
#include "export/export_texts.h"

namespace vrk {

namespace {

constexpr int kWgs84 = 4326;
constexpr std::size_t kProgressStep = 4096;
// A DXF of version R2007 (AC1021) or later holds its strings in UTF-8 whatever $DWGCODEPAGE
// says; GDAL's own template declares R2004, under which CAD programs read Chinese layer names
// as the code page's characters.
constexpr const char* kDxfHeaderTemplate = "/vsimem/vrk410_export_header.dxf";
constexpr std::string_view kDxfTemplateVersion = "AC1018";
constexpr std::string_view kDxfUtf8Version = "AC1021";
constexpr const char* kDxfLabelHeight = "0.5g";  // metres on the ground
constexpr const char* kDxfDefaultLayer = "0";
// Characters CAD programs do not take in a layer name.
constexpr std::string_view kDxfLayerForbidden = "<>/\\\":;?*|=`";

using DatasetPtr = std::unique_ptr<GDALDataset, decltype(&GDALClose)>;

std::once_flag gdalStarted;
std::atomic<unsigned> memorySets{0};

void StartGdal() {
    std::call_once(gdalStarted, [] {
        GDALAllRegister();
        // The DXF writer copies its entities back line by line with a seek before each read;
        // without the cache every line costs system calls.
        CPLSetConfigOption("VSI_CACHE", "TRUE");
        // Reasons reach the user through the messages, never as stray terminal output.
        CPLSetErrorHandler(CPLQuietErrorHandler);
    });
}

std::string WithLine(const char* pattern, std::size_t line) {
    std::string text(pattern);
    text.replace(text.find("%1"), 2, std::to_string(line));
    return text;
}

std::string LastGdalError() {
    return CPLGetLastErrorMsg();
}

std::unique_ptr<OGRSpatialReference> SystemOf(int epsg) {
    auto system = std::make_unique<OGRSpatialReference>();
    if (system->importFromEPSG(epsg) != OGRERR_NONE) {
        return nullptr;
    }
    // EPSG's Gauss–Krüger and geographic systems put north (latitude) first; the points and
    // every file here are east (longitude) first.
    system->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return system;
}

struct FieldSpec {
    const char* name;
    OGRFieldType type;
};

// Where one format differs from the others.
struct FormatPlan {
    const char* driver = nullptr;
    std::vector<std::string> datasetOptions;
    std::vector<std::string> layerOptions;
    std::string layerName;
    OGRwkbGeometryType geometry = wkbPoint25D;
    std::vector<FieldSpec> fields;
    bool lonLat = false;
};

char** OptionList(const std::vector<std::string>& options) {
    char** list = nullptr;
    for (const std::string& option : options) {
        list = CSLAddString(list, option.c_str());
    }
    return list;
}

std::string ShapefileLayerName(const std::string& path) {
    return CPLGetBasename(path.c_str());
}

bool MakeDxfHeaderTemplate(std::string& failure) {
    VSIStatBufL made{};
    if (VSIStatL(kDxfHeaderTemplate, &made) == 0) {
        return true;
    }
    const char* original = CPLFindFile("gdal", "header.dxf");
    GByte* bytes = nullptr;
    vsi_l_offset size = 0;
    if (original == nullptr || !VSIIngestFile(nullptr, original, &bytes, &size, -1)) {
        failure = std::string(texts::kCannotCreate) + "header.dxf";
        return false;
    }
    std::string header(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    VSIFree(bytes);
    const std::size_t version = header.find(kDxfTemplateVersion);
    if (version != std::string::npos) {
        header.replace(version, kDxfTemplateVersion.size(), kDxfUtf8Version);
    }
    auto* copy = static_cast<GByte*>(CPLMalloc(header.size()));
    std::copy(header.begin(), header.end(), copy);
    VSILFILE* file = VSIFileFromMemBuffer(kDxfHeaderTemplate, copy, header.size(), TRUE);
    const bool written = file != nullptr && VSIFCloseL(file) == 0;
    if (!written) {
        failure = std::string(texts::kCannotCreate) + "header.dxf";
    }
    return written;
}

// The Shapefile driver seeks and reads back around every record it appends, several system calls
// a point: the set is made in memory and each of its files written out whole, in one write, under
// the name the job asks for. What is left in memory goes with this object.
class MemorySet {
  public:
    explicit MemorySet(const std::string& target)
        : folder_("/vsimem/vrk410_export_" + std::to_string(++memorySets)),
          targetFolder_(target.substr(0, target.rfind('/') + 1)),
          path_(folder_ + "/" + target.substr(targetFolder_.size())) {}
    MemorySet(const MemorySet&) = delete;
    MemorySet& operator=(const MemorySet&) = delete;
    ~MemorySet() { VSIRmdirRecursive(folder_.c_str()); }

    // Where the driver writes the set.
    const std::string& path() const { return path_; }

    bool WriteOut(const std::string& target, std::string& failure) const {
        const CPLStringList names(VSIReadDir(folder_.c_str()));
        for (int i = 0; i < names.size(); ++i) {
            const std::string name = names[i];
            vsi_l_offset size = 0;
            const GByte* bytes = VSIGetMemFileBuffer((folder_ + "/" + name).c_str(), &size, FALSE);
            if (bytes == nullptr) {
                continue;
            }
            const std::string out = targetFolder_ + name;
            CPLErrorReset();
            VSILFILE* file = VSIFOpenExL(out.c_str(), "wb", TRUE);
            const bool whole = file != nullptr && VSIFWriteL(bytes, 1, size, file) == size;
            if (file == nullptr || VSIFCloseL(file) != 0 || !whole) {
                failure = texts::kCannotFinish + target + ": " + LastGdalError();
                return false;
            }
        }
        return true;
    }

  private:
    std::string folder_;
    std::string targetFolder_;
    std::string path_;
};

FormatPlan PlanFor(const ExportJob& job) {
    const std::vector<FieldSpec> tableFields = {
        {"name", OFTString}, {"code", OFTString}, {"h", OFTReal}, {"line", OFTInteger}};
    const std::vector<FieldSpec> lonLatFields = {
        {"name", OFTString}, {"code", OFTString}, {"h", OFTReal}};
    // KML's own <name> element carries the point's name.
    const std::vector<FieldSpec> kmlFields = {
        {"Name", OFTString}, {"code", OFTString}, {"h", OFTReal}};
    FormatPlan plan;
    switch (job.format) {
        case ExportFormat::kDxf:
            plan.driver = "DXF";
            plan.datasetOptions = {std::string("HEADER=") + kDxfHeaderTemplate};
            plan.layerName = "entities";
            plan.fields = {{"Layer", OFTString}};
            break;
        case ExportFormat::kGpkg:
            plan.driver = "GPKG";
            plan.layerName = "points";
            plan.fields = tableFields;
            break;
        case ExportFormat::kShp:
            plan.driver = "ESRI Shapefile";
            plan.layerOptions = {"ENCODING=UTF-8"};
            plan.layerName = ShapefileLayerName(job.path);
            plan.fields = tableFields;
            break;
        case ExportFormat::kGeoJson:
            plan.driver = "GeoJSON";
            plan.layerOptions = {"RFC7946=YES", "COORDINATE_PRECISION=9"};
            plan.layerName = "points";
            plan.fields = lonLatFields;
            plan.lonLat = true;
            break;
        case ExportFormat::kKml:
            plan.driver = "KML";
            plan.layerName = "points";
            plan.fields = kmlFields;
            plan.lonLat = true;
            break;
        case ExportFormat::kCsv:
            plan.driver = "CSV";
            plan.layerOptions = {"LINEFORMAT=CRLF", "STRING_QUOTING=IF_NEEDED"};
            plan.layerName = ShapefileLayerName(job.path);
            plan.geometry = wkbNone;
            plan.fields = {{"name", OFTString},
                           {"code", OFTString},
                           {"E", OFTString},
                           {"N", OFTString},
                           {"H", OFTString}};
            break;
    }
    return plan;
}

// A DBF gives each text a fixed width on every record, 80 bytes unless told: the widest value sets
// it, which keeps the file a fraction of the size (4.6 MB instead of 19 MB for 100,000 points).
int DbfTextWidth(const ExportJob& job, std::string_view field) {
    constexpr std::size_t kDbfWidestText = 254;
    std::size_t widest = 1;
    for (const ExportPoint& point : job.points) {
        widest = std::max(widest, (field == "name" ? point.name : point.code).size());
    }
    return static_cast<int>(std::min(widest, kDbfWidestText));
}

std::string DxfLayerName(const std::string& code) {
    if (code.empty()) {
        return kDxfDefaultLayer;
    }
    std::string name = code;
    for (char& c : name) {
        if (kDxfLayerForbidden.find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return name;
}

// The label a DXF shows at the point; the style string's own quote is the one character a name
// cannot carry into it.
std::string DxfLabelStyle(const std::string& name) {
    std::string text = name;
    for (char& c : text) {
        if (c == '"') {
            c = '\'';
        }
    }
    return std::string("LABEL(f:\"Standard\",t:\"") + text + "\",s:" + kDxfLabelHeight + ",p:1)";
}

class PointWriter {
  public:
    PointWriter(const ExportJob& job, const FormatPlan& plan, OGRLayer& layer,
                OGRCoordinateTransformation* toLonLat)
        : job_(job), plan_(plan), layer_(layer), toLonLat_(toLonLat) {}

    bool Write(const ExportPoint& point, std::string& failure) {
        double x = point.east;
        double y = point.north;
        double z = point.height;
        if (toLonLat_ != nullptr && !toLonLat_->Transform(1, &x, &y, &z)) {
            failure = WithLine(texts::kCannotTransform, point.line) + LastGdalError();
            return false;
        }
        OGRFeature feature(layer_.GetLayerDefn());
        if (plan_.geometry != wkbNone) {
            feature.SetGeometry(std::make_unique<OGRPoint>(x, y, point.height).get());
        }
        Fill(feature, point);
        if (layer_.CreateFeature(&feature) != OGRERR_NONE) {
            failure = WithLine(texts::kCannotWritePoint, point.line) + LastGdalError();
            return false;
        }
        if (job_.format == ExportFormat::kDxf) {
            feature.SetStyleString(DxfLabelStyle(point.name).c_str());
            feature.SetFID(OGRNullFID);
            if (layer_.CreateFeature(&feature) != OGRERR_NONE) {
                failure = WithLine(texts::kCannotWritePoint, point.line) + LastGdalError();
                return false;
            }
        }
        return true;
    }

  private:
    // By name: some drivers add fields of their own to a new layer.
    void Fill(OGRFeature& feature, const ExportPoint& point) const {
        const std::vector<FieldSpec>& fields = plan_.fields;
        switch (job_.format) {
            case ExportFormat::kDxf:
                feature.SetField(fields[0].name, DxfLayerName(point.code).c_str());
                break;
            case ExportFormat::kCsv:
                feature.SetField(fields[0].name, point.name.c_str());
                feature.SetField(fields[1].name, point.code.c_str());
                feature.SetField(fields[2].name, point.eastText.c_str());
                feature.SetField(fields[3].name, point.northText.c_str());
                feature.SetField(fields[4].name, point.heightText.c_str());
                break;
            default:
                feature.SetField(fields[0].name, point.name.c_str());
                feature.SetField(fields[1].name, point.code.c_str());
                feature.SetField(fields[2].name, point.height);
                if (fields.size() > 3) {
                    feature.SetField(fields[3].name, static_cast<GIntBig>(point.line));
                }
                break;
        }
    }

    const ExportJob& job_;
    const FormatPlan& plan_;
    OGRLayer& layer_;
    OGRCoordinateTransformation* toLonLat_;
};

bool WriteJob(const ExportJob& job, ExportProgress& progress, std::string& failure) {
    StartGdal();
    CPLErrorReset();
    const FormatPlan plan = PlanFor(job);
    if (job.format == ExportFormat::kDxf && !MakeDxfHeaderTemplate(failure)) {
        return false;
    }
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(plan.driver);
    if (driver == nullptr) {
        failure = std::string(texts::kNoDriver) + plan.driver;
        return false;
    }
    std::unique_ptr<OGRSpatialReference> system;
    std::unique_ptr<OGRSpatialReference> wgs84;
    std::unique_ptr<OGRCoordinateTransformation> toLonLat;
    // DXF and CSV carry no system: PROJ is not asked (the caller checked the code already).
    const bool writesSystem = job.format != ExportFormat::kDxf && job.format != ExportFormat::kCsv;
    if (job.epsg != 0 && writesSystem) {
        system = SystemOf(job.epsg);
        if (system == nullptr) {
            failure = texts::kUnknownSystem + std::to_string(job.epsg);
            return false;
        }
        if (plan.lonLat) {
            wgs84 = SystemOf(kWgs84);
            toLonLat.reset(OGRCreateCoordinateTransformation(system.get(), wgs84.get()));
            if (toLonLat == nullptr) {
                failure =
                    WithLine(texts::kCannotTransform, job.points.front().line) + LastGdalError();
                return false;
            }
        }
    }
    std::optional<MemorySet> inMemory;
    if (job.format == ExportFormat::kShp) {
        inMemory.emplace(job.path);
    }
    const std::string& createdPath = inMemory ? inMemory->path() : job.path;
    char** datasetOptions = OptionList(plan.datasetOptions);
    DatasetPtr dataset(driver->Create(createdPath.c_str(), 0, 0, 0, GDT_Unknown, datasetOptions),
                       &GDALClose);
    CSLDestroy(datasetOptions);
    if (dataset == nullptr) {
        failure = texts::kCannotCreate + job.path + ": " + LastGdalError();
        return false;
    }
    char** layerOptions = OptionList(plan.layerOptions);
    OGRSpatialReference* layerSystem = plan.lonLat ? wgs84.get() : system.get();
    OGRLayer* layer =
        dataset->CreateLayer(plan.layerName.c_str(), layerSystem, plan.geometry, layerOptions);
    CSLDestroy(layerOptions);
    if (layer == nullptr) {
        failure = texts::kCannotCreate + job.path + ": " + LastGdalError();
        return false;
    }
    if (job.format != ExportFormat::kDxf) {
        for (const FieldSpec& wanted : plan.fields) {
            OGRFieldDefn field(wanted.name, wanted.type);
            if (job.format == ExportFormat::kShp && wanted.type == OFTString) {
                field.SetWidth(DbfTextWidth(job, wanted.name));
            }
            if (layer->CreateField(&field) != OGRERR_NONE) {
                failure = texts::kCannotCreate + job.path + ": " + LastGdalError();
                return false;
            }
        }
    }
    const bool transaction = dataset->TestCapability(ODsCTransactions) != 0 &&
                             dataset->StartTransaction() == OGRERR_NONE;
    PointWriter writer(job, plan, *layer, toLonLat.get());
    for (std::size_t i = 0; i < job.points.size(); ++i) {
        if (i % kProgressStep == 0 && !progress.Continue(i, job.points.size())) {
            failure.clear();
            return false;
        }
        if (!writer.Write(job.points[i], failure)) {
            return false;
        }
    }
    if (transaction && dataset->CommitTransaction() != OGRERR_NONE) {
        failure = texts::kCannotFinish + job.path + ": " + LastGdalError();
        return false;
    }
    CPLErrorReset();
    GDALDataset* closing = dataset.release();
    // GDAL 3.6's GDALClose has no result: a failed flush shows only as an error it raised.
    GDALClose(closing);
    if (CPLGetLastErrorType() >= CE_Failure) {
        failure = texts::kCannotFinish + job.path + ": " + LastGdalError();
        return false;
    }
    if (inMemory && !inMemory->WriteOut(job.path, failure)) {
        return false;
    }
    progress.Continue(job.points.size(), job.points.size());
    return true;
}

}  // namespace

}  // namespace vrk

extern "C" {

__attribute__((visibility("default"))) bool VrkExportWrite(const vrk::ExportJob* job,
                                                           vrk::ExportProgress* progress,
                                                           std::string* failure) {
    return vrk::WriteJob(*job, *progress, *failure);
}

__attribute__((visibility("default"))) bool VrkExportSystemName(int epsg, std::string* name) {
    vrk::StartGdal();
    const auto system = vrk::SystemOf(epsg);
    if (system == nullptr || system->GetName() == nullptr) {
        return false;
    }
    *name = system->GetName();
    return true;
}
}
