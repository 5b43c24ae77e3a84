#pragma once

// The bundled sample downloads: what the instrument's download of a small survey and of its
// point-code list leaves in the view. The files in data/samples are written from here.

#include <string>
#include <vector>

#include "download_text.h"
#include "gbk_literal.h"
#include "link/upload_lines.h"

namespace vrk::test {

struct SamplePoint {
    const char* name;  // UTF-8
    const char* y;
    const char* x;
    const char* h;
};

inline const std::vector<SamplePoint>& SamplePoints() {
    static const std::vector<SamplePoint> points = {
        {"控制点1", "3512.345", "8123.456", "45.678"},
        {"控制点2", "3620.118", "8130.902", "46.015"},
        {"控制点3", "3588.760", "8240.331", "44.902"},
        {"水准点", "3550.000", "8200.000", "0.000"},
        {"房角1", "3531.204", "8151.877", "45.120"},
        {"房角2", "3543.611", "8151.902", "45.118"},
        {"房角3", "3543.590", "8163.275", "45.131"},
        {"房角4", "3531.180", "8163.250", "45.126"},
        {"路边1", "3500.000", "8100.005", "44.800"},
        {"路边2", "3525.512", "8100.012", "44.815"},
        {"井1", "3561.777", "8177.010", "44.610"},
        {"电杆1", "3570.450", "8190.925", "44.702"},
        {"P1", "3601.003", "8211.440", "43.987"},
        {"P2", "3602.514", "8215.006", "43.950"},
        {"P3", "3604.020", "8219.718", "43.912"},
        {"P4", "3605.661", "8224.300", "43.871"},
        {"K1", "3610.250", "8230.105", "0.012"},
        {"K2", "3612.875", "8233.640", "-0.004"},
        {"东北角控制点A", "3699.999", "8299.999", "47.250"},
        {"TP20", "-12.345", "0.500", "-1.250"},
    };
    return points;
}

struct SampleCode {
    int number;
    const char* text;  // UTF-8
};

inline const std::vector<SampleCode>& SampleCodes() {
    static const std::vector<SampleCode> codes = {
        {1, "房屋"},  {2, "道路"},    {3, "电杆"},   {4, "井盖"},          {5, "路灯"},
        {6, "TREE"},  {7, "FENCE"},   {8, "水准点"}, {9, "控制点"},        {10, "WALL"},
        {11, "河流"}, {12, "BRIDGE"}, {13, "围墙"},  {14, "LONGCODETEXT"}, {15, "ABCDEFGHI桥"},
    };
    return codes;
}

// The DELF lines the survey would be written as.
inline std::string SampleDelfLines() {
    std::string text;
    for (const auto& p : SamplePoints()) {
        const std::string name = Gbk(p.name);
        text += name + "," + name + "," + p.y + "," + p.x + "," + p.h + "\r\n";
    }
    return text;
}

inline std::string SamplePcodeLines() {
    std::string text;
    for (const auto& c : SampleCodes()) {
        text += std::to_string(c.number) + "," + Gbk(c.text) + "\r\n";
    }
    return text;
}

inline std::string SampleCoordDownload() {
    return DownloadTextOf(BuildCoordUpload(SampleDelfLines()));
}
inline std::string SamplePcodeDownload() {
    return DownloadTextOf(BuildPcodeUpload(SamplePcodeLines()));
}

}  // namespace vrk::test
