#include "survey/upload_finding.h"

namespace vrk {

std::string FormatFindings(const UploadFindings& findings) {
    std::string out;
    for (const UploadFinding& finding : findings) {
        out += std::to_string(finding.line);
        out += ": ";
        out += finding.text;
        out += '\n';
    }
    return out;
}

}  // namespace vrk
