#pragma once

#include "cadhost/doc_manager.h"

namespace quorbel::host {

// The plug-in's resource handle on top of the host's stack for as long as the scope lives, however
// the scope is left.
class ResourceScope {
  public:
    ResourceScope(AcApDocManager& documents, HINSTANCE handle) : m_documents(documents) {
        m_documents.pushResourceHandle(handle);
    }
    ~ResourceScope() { m_documents.popResourceHandle(); }

    ResourceScope(const ResourceScope&) = delete;
    ResourceScope& operator=(const ResourceScope&) = delete;

  private:
    AcApDocManager& m_documents;
};

}  // namespace quorbel::host
