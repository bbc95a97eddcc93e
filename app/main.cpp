// Harmodex: one window in which a pitch-class set, typed as a list or as a
// Costère code, becomes the analysis page of its Tn-type.
#include <gtk/gtk.h>

#include "raster/Preview.h"
#include "app/PageRequest.h"
#include "app/Window.h"

int main(int argc, char* argv[])
{
    gtk_init(&argc, &argv);
    PreviewLibraryStart();
    BuildMainWindow();
    gtk_main();
    StopPreviews();
    PreviewLibraryStop();
    return 0;
}
