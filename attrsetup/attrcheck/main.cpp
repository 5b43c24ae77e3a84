#include <cstdlib>
#include <iostream>

#include "attrcheck/large_page_heap.h"
#include "attrcheck/run_attrcheck.h"

int main(int argc, char** argv) {
    quorbel::attrcheck::useLargePagesForHeap();
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return quorbel::attrcheck::runAttrcheck(args, std::getenv("ACAD"), std::cout, std::cerr);
}
