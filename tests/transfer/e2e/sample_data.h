#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "delf_file.h"
#include "memory.h"
#include "pcode_file.h"

namespace e2e {

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string SamplePath(const std::string& name) {
    return std::string(E2E_SAMPLES_DIR) + "/" + name;
}

inline std::string SampleSurvey() {
    return ReadFile(SamplePath("survey.delf"));
}
inline std::string SamplePcode() {
    return ReadFile(SamplePath("pcode.txt"));
}

// The bundled survey and code list, as the instrument would hold them.
inline tssim::Memory SampleMemory() {
    tssim::Memory memory;
    memory.points = tssim::parseDelf(SampleSurvey()).points;
    memory.pcodes = tssim::parsePcode(SamplePcode()).entries;
    return memory;
}

// `count` points with ASCII and GBK names, for long downloads.
inline tssim::Memory ManyPoints(std::size_t count) {
    tssim::Memory memory;
    for (std::size_t i = 0; i < count; ++i) {
        tssim::Point point;
        point.name = (i % 2 == 0 ? std::string("P") : std::string("\xb5\xe3")) + std::to_string(i);
        const auto n = static_cast<std::int64_t>(i);
        point.eastMm = 1000000 + n * 1234;
        point.northMm = 2000000 - n * 987;
        point.heightMm = n % 7 == 0 ? -n : n * 3;
        memory.points.push_back(point);
    }
    return memory;
}

}  // namespace e2e
