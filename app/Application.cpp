#include "app/Application.h"

#include <cstdio>
#include <memory>

#include <gtk/gtk.h>

#include "app/AppWindow.h"
#include "app/ScorePanel.h"
#include "base/Version.h"
#include "raster/Preview.h"

namespace {

// The one window, made on the first activation and presented on the next
// (a second launch activates the first instance).
gboolean onLocalOptions(GApplication*, GVariantDict* options, gpointer)
{
    if (g_variant_dict_contains(options, "version")) {
        std::printf("harmodex %s\n", harmodex::kVersion);
        return 0;
    }
    return -1;  // go on
}

void onActivate(GtkApplication* application, gpointer data)
{
    auto& window = *static_cast<std::unique_ptr<AppWindow>*>(data);
    if (window && window->window) {
        gtk_window_present(GTK_WINDOW(window->window));
        return;
    }
    window.reset(NewAppWindow(application, DefaultWindowStatePath()));
}

// Files named on the command line (or by a file manager) are scores: the
// window opens, or comes forward, with the first of them in the side panel.
void onOpen(GtkApplication* application, GFile** files, int count, const char*, gpointer data)
{
    onActivate(application, data);
    auto& window = *static_cast<std::unique_ptr<AppWindow>*>(data);
    gchar* path = count > 0 ? g_file_get_path(files[0]) : nullptr;
    if (path && window && window->window)
        OpenScore(*window, path);
    g_free(path);
}

}  // namespace

int RunApplication(int argc, char* argv[])
{
    std::unique_ptr<AppWindow> window;
    GtkApplication* application = gtk_application_new(kApplicationId, G_APPLICATION_HANDLES_OPEN);
    g_application_add_main_option(G_APPLICATION(application), "version", 0, G_OPTION_FLAG_NONE, G_OPTION_ARG_NONE,
                                  "Print the version and exit", nullptr);
    g_signal_connect(application, "handle-local-options", G_CALLBACK(onLocalOptions), nullptr);
    g_signal_connect(application, "activate", G_CALLBACK(onActivate), &window);
    g_signal_connect(application, "open", G_CALLBACK(onOpen), &window);
    // Before any thread of the window's may rasterise; only the first
    // instance gets here (a second hands over to it and ends).
    g_signal_connect(application, "startup", G_CALLBACK(+[](GApplication*, gpointer) { PreviewLibraryStart(); }),
                     nullptr);
    const int status = g_application_run(G_APPLICATION(application), argc, argv);
    const bool started = window != nullptr;
    window.reset();  // its worker and player end here, before the image library
    g_object_unref(application);
    if (started)
        PreviewLibraryStop();
    return status;
}
