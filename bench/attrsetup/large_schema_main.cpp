// Writes the benchmarks' large schema into a folder, to compare what two builds make of it.
#include <cstdio>

#include "large_schema.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorbel_large_schema DIR\n");
        return 2;
    }
    quorbel::bench::writeLargeSchema(argv[1]);
    return 0;
}
