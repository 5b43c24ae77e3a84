#include "qt_module_guard.h"

#include <QMetaType>
#include <Qt>

#include "cadhost/host_state.h"

namespace cadhost {

void registerSharedMetaTypes() {
    // QTableWidgetItem::setTextAlignment and its kin wrap these in a QVariant inline, in the
    // caller's code; the other item roles use built-in types, which Qt's own tables hold.
    static_cast<void>(QMetaType::fromType<Qt::Alignment>().id());
    static_cast<void>(QMetaType::fromType<Qt::ItemFlags>().id());
    static_cast<void>(QMetaType::fromType<Qt::CheckState>().id());
    static_cast<void>(QMetaType::fromType<Qt::Orientation>().id());
}

bool qtKeepsNothingInside(const LoadedApplication& app, std::uintptr_t begin, std::uintptr_t end) {
    bool clean = true;
    // Custom types are numbered from User + 1 on without gaps; Qt 6.4 never unregisters one.
    for (int id = QMetaType::User + 1; QMetaType::isRegistered(id); ++id) {
        const QMetaType type(id);
        const auto address = reinterpret_cast<std::uintptr_t>(type.iface());
        if (address >= begin && address < end) {
            clean = false;
            hostMessage(app.name + " registered the Qt type " + type.name() +
                        ", which Qt keeps after unloading.");
        }
    }
    return clean;
}

void guardQtAgainstUnloadedModules(ApplicationTable& applications) {
    registerSharedMetaTypes();
    applications.setUnmapCheck(qtKeepsNothingInside);
}

}  // namespace cadhost
