#pragma once

#include <string>

namespace tssim {

// Whole files as bytes: GBK stays GBK, CR LF stays CR LF.
bool readFile(const std::string& path, std::string& bytes);
bool writeFile(const std::string& path, const std::string& bytes);

}  // namespace tssim
