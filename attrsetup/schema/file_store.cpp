#include "schema/file_store.h"

namespace quorbel {

FileStore::~FileStore() = default;

bool FileStore::stamp(const std::string&, Stamp&) {
    return false;
}

}  // namespace quorbel
