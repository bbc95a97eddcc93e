// Harmodex: one window in which a pitch-class set, typed as a list or as a
// Costère code, becomes the analysis page of its Tn-type.
#include <csignal>

#include <gtk/gtk.h>

#include "raster/Preview.h"
#include "app/PageRequest.h"
#include "app/Window.h"

int main(int argc, char* argv[])
{
    // A write to a pipe whose reader has gone fails with "Broken pipe" and
    // is reported; it must not end the program and lose the user's work.
    std::signal(SIGPIPE, SIG_IGN);
    gtk_init(&argc, &argv);
    PreviewLibraryStart();
    BuildMainWindow();
    gtk_main();
    StopPreviews();
    PreviewLibraryStop();
    return 0;
}
