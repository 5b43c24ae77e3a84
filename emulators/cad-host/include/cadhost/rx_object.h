#pragma once

#include <map>
#include <string>
#include <string_view>

#include "arx_types.h"

class AcRxClass;

// Root of the host's run-time class system. Plug-ins do not rely on C++ RTTI across the module
// boundary; they test an object against a class descriptor they looked up, as the host expects.
class AcRxObject {
  public:
    virtual ~AcRxObject();

    static AcRxClass* desc();
    virtual AcRxClass* isA() const;
    bool isKindOf(const AcRxClass* other) const;
};

// Class descriptor: a name and the descriptor of the parent class.
class AcRxClass : public AcRxObject {
  public:
    AcRxClass(std::string name, AcRxClass* parent);

    static AcRxClass* desc();
    AcRxClass* isA() const override;

    const char* name() const { return m_name.c_str(); }
    AcRxClass* myParent() const { return m_parent; }
    bool isDerivedFrom(const AcRxClass* other) const;

  private:
    std::string m_name;
    AcRxClass* m_parent;
};

// A dictionary of named objects. The system registry and the class dictionary are two of them.
// It does not own its entries: they are the host's own long-lived objects.
class AcRxDictionary : public AcRxObject {
  public:
    static AcRxDictionary* cast(AcRxObject* object);
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    // Null when there is no entry of that name.
    AcRxObject* at(const char* key) const;
    // Answers the object that was stored under the key before, or null.
    AcRxObject* atPut(const char* key, AcRxObject* object);
    AcRxObject* remove(const char* key);
    unsigned numEntries() const { return static_cast<unsigned>(m_entries.size()); }

  private:
    std::map<std::string, AcRxObject*, std::less<>> m_entries;
};

// The host's system registry: "DynamicLinker", "ACAD_REGISTERED_COMMANDS", "ClassDictionary".
AcRxDictionary* acrxSysRegistry();

// The object only when it is of the given class or derived from it; the host's checked cast.
template <class T>
T* acrxCheckedCast(AcRxObject* object, const AcRxClass* cls) {
    if (object == nullptr || cls == nullptr || !object->isKindOf(cls)) {
        return nullptr;
    }
    return static_cast<T*>(object);
}
