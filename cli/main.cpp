// harmodex-cli: Harmodex analyses, pages and the whole book without a window.
#include <csignal>
#include <iostream>

#include "cli/Commands.h"

int main(int argc, char* argv[])
{
    // A reader that goes away (harmodex-cli book | head) makes writes fail
    // with "Broken pipe", reported like any other write error, instead of
    // killing the program half way through.
    std::signal(SIGPIPE, SIG_IGN);
    return RunCli(argc, argv, std::cout, std::cerr);
}
