#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv) { return tavro::cli::run(argc, argv, std::cout, std::cerr); }
