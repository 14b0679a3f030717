// towngen: writes a synthetic town (a GeoPackage and its map document).

#include <iostream>
#include <string>
#include <vector>

#include "tools/towngen/Command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return towngen::RunTowngen(arguments, std::cout, std::cerr);
}
