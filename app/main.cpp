// Harmodex: one window in which a pitch-class set, typed as a list or as a
// Costère code, becomes the analysis page of its Tn-type.
#include <csignal>

#include "app/Application.h"

int main(int argc, char* argv[])
{
    // A write to a pipe whose reader has gone fails with "Broken pipe" and
    // is reported; it must not end the program and lose the user's work.
    std::signal(SIGPIPE, SIG_IGN);
    return RunApplication(argc, argv);
}
