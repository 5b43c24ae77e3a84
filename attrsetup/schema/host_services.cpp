#include "schema/host_services.h"

namespace quorbel {

HostServices::~HostServices() = default;

}  // namespace quorbel
