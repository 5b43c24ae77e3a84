#include "cadhost/arx_entry.h"

// Read by the host from the file, as a version resource is; nothing in the module uses it.
CADHOST_VERSION_RESOURCE(
    "FileVersion=1.0.0.1\n"
    "ProductVersion=1.0.0.1\n"
    "FileDescription=Quorbel ObjectARX application\n"
    "InternalName=Quorbel\n"
    "ProductName=Quorbel Application\n"
    "OriginalFilename=quorbel.arx\n");
