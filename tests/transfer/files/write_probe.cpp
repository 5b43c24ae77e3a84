// Writes its standard input to a file with the writer, for the tests that run it as an ordinary
// user. Prints the fault number, the errno and the damaged flag; with "rescue", a failed write
// goes to the temporary folder as the command line's download does, and its path is printed too;
// with "move", the bytes are a finished file beside PATH (PATH.finished) that is moved into place,
// as an export's are.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "files/file_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: write_probe write|rescue|move PATH < BYTES\n";
        return 2;
    }
    const std::string mode = argv[1];
    const std::string bytes{std::istreambuf_iterator<char>(std::cin),
                            std::istreambuf_iterator<char>()};
    const std::string path = argv[2];
    vrk::FileResult result;
    if (mode == "move") {
        const std::string finished = path + ".finished";
        std::ofstream(finished, std::ios::binary) << bytes;
        result = vrk::MoveIntoPlace(finished, path);
    } else {
        result = vrk::WriteFile(path, bytes);
    }
    std::cout << static_cast<int>(result.fault) << ' ' << result.error << ' ' << result.damaged
              << '\n';
    if (!result.ok() && mode == "rescue") {
        const vrk::RescueCopy copy = vrk::WriteRescueCopy("vrk410-download", bytes);
        if (copy.result.ok()) {
            std::cout << copy.path << '\n';
        }
    }
    return result.ok() ? 0 : 1;
}
