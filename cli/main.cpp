// harmodex-cli: Harmodex analyses, pages and the whole book without a window.
#include <iostream>

#include "cli/Commands.h"

int main(int argc, char* argv[])
{
    return RunCli(argc, argv, std::cout, std::cerr);
}
