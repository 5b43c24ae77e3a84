#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Result code of the host's file search when the file was found.
inline constexpr int RTNORM = 5100;

// The two services of the CAD host that the schema relies on. The plug-in implements them over the
// host; tests and attrcheck bring their own.
class HostServices {
  public:
    virtual ~HostServices();

    // Looks a bare file name up on the host's search path. Answers RTNORM and sets fullPath when
    // found; any other answer means "not found".
    virtual int findFile(std::string_view name, std::string& fullPath) = 0;

    // Prints GBK text on the host's command line exactly as given; it is never used as a format.
    virtual void print(std::string_view gbkText) = 0;
};

}  // namespace quorbel
