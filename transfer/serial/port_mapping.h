#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace vrk {

inline constexpr int kFirstComNumber = 1;
inline constexpr int kLastComNumber = 6;

// The device the user chose for each of COM1 … COM6; an empty entry keeps the default device.
struct PortMapping {
    std::array<std::string, kLastComNumber> devices;

    const std::string& deviceFor(int number) const { return devices.at(indexFor(number)); }
    std::string& deviceFor(int number) { return devices.at(indexFor(number)); }

  private:
    static std::size_t indexFor(int number) {
        return static_cast<std::size_t>(number - kFirstComNumber);
    }
};

// The mapping lives in a settings file of its own beside the program's profile, so the profile
// keeps only what it always held and both the program and vrk410-cli read the same choice.
PortMapping LoadPortMapping();
// False when the file could not be written (the old mapping stays in force).
bool SavePortMapping(const PortMapping& mapping);
// Where LoadPortMapping reads from, for messages and the command line.
std::string PortMappingFile();

}  // namespace vrk
