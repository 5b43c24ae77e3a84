#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// Field type codes. The last decimal digit of every code is the plain storage type of its values.
enum class FieldType : int32_t {
    String = 0,
    ShortInteger = 1,
    LongInteger = 2,
    Float = 3,
    FeatureCode = 10,
    Colour = 11,
    SerialNumber = 12,
    Elevation = 13,
    TextContent = 20,
    TextRotation = 23,
    TextFont = 30,
    TextSize = 33,
    CadLayer = 40,
    EastCoordinate = 43,
    CadSymbol = 50,
    NorthCoordinate = 53,
    FeatureDescription = 90,
    UserCode = 100,
    ControlPointGrade = 110,
    ControlPointName = 120,
    CadastralName = 200,
    ParcelArea = 203,
    CadastralRightHolder = 210,
    BuildingFootprintArea = 213,
    LandClass = 220,
    BoundaryLineLength = 223,
    BoundaryStartPoint = 230,
    BoundaryEndPoint = 240,
};

// All names are GBK. An empty or unknown name gives 0.
int32_t fieldTypeCode(std::string_view gbkName);
// Sets text to the code's name; leaves it as it was for a code without a name.
void fieldTypeName(int32_t code, std::string& gbkText);
// True for every code that fieldTypeName gives a name (22, 63 and 73 among them).
bool hasFieldTypeName(int32_t code);

// The option lists of the field grid's drop-downs, GBK, in list order.
const std::vector<std::string>& fieldTypeOptions();   // 26 type names
const std::vector<std::string>& decimalsOptions();    // "0" to "6"
const std::vector<std::string>& dictionaryOptions();  // 14 code-table names

}  // namespace quorbel
