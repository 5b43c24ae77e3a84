// Writes data/samples/download-coords.txt and download-pcode.txt:
//   make_sample_downloads DIRECTORY
#include <cstdio>
#include <fstream>
#include <string>

#include "sample_downloads.h"

namespace {

bool Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_downloads DIRECTORY\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = Write(dir + "/download-coords.txt", vrk::test::SampleCoordDownload()) &&
                    Write(dir + "/download-pcode.txt", vrk::test::SamplePcodeDownload());
    if (!ok) {
        std::fprintf(stderr, "cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
