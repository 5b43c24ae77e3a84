#include "cadhost/rx_object.h"

#include "host_registry.h"

AcRxObject::~AcRxObject() = default;

AcRxClass* AcRxObject::desc() {
    return &cadhost::hostClasses().object;
}

AcRxClass* AcRxObject::isA() const {
    return desc();
}

bool AcRxObject::isKindOf(const AcRxClass* other) const {
    const AcRxClass* cls = isA();
    return cls != nullptr && cls->isDerivedFrom(other);
}

AcRxClass::AcRxClass(std::string name, AcRxClass* parent)
    : m_name(std::move(name)), m_parent(parent) {}

AcRxClass* AcRxClass::desc() {
    return &cadhost::hostClasses().cls;
}

AcRxClass* AcRxClass::isA() const {
    return desc();
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* cls = this; cls != nullptr; cls = cls->m_parent) {
        if (cls == other) {
            return true;
        }
    }
    return false;
}

AcRxDictionary* AcRxDictionary::cast(AcRxObject* object) {
    return acrxCheckedCast<AcRxDictionary>(object, desc());
}

AcRxClass* AcRxDictionary::desc() {
    return &cadhost::hostClasses().dictionary;
}

AcRxClass* AcRxDictionary::isA() const {
    return desc();
}

AcRxObject* AcRxDictionary::at(const char* key) const {
    if (key == nullptr) {
        return nullptr;
    }
    auto it = m_entries.find(std::string_view(key));
    return it == m_entries.end() ? nullptr : it->second;
}

AcRxObject* AcRxDictionary::atPut(const char* key, AcRxObject* object) {
    if (key == nullptr) {
        return nullptr;
    }
    AcRxObject*& slot = m_entries[std::string(key)];
    AcRxObject* previous = slot;
    slot = object;
    return previous;
}

AcRxObject* AcRxDictionary::remove(const char* key) {
    if (key == nullptr) {
        return nullptr;
    }
    auto it = m_entries.find(std::string_view(key));
    if (it == m_entries.end()) {
        return nullptr;
    }
    AcRxObject* previous = it->second;
    m_entries.erase(it);
    return previous;
}
