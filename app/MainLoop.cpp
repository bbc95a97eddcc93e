#include "app/MainLoop.h"

#include <glib.h>

namespace {

gboolean runTask(gpointer data)
{
    (*static_cast<std::function<void()>*>(data))();
    return G_SOURCE_REMOVE;
}

void deleteTask(gpointer data) { delete static_cast<std::function<void()>*>(data); }

}  // namespace

void PostToMainLoop(std::function<void()> task)
{
    g_idle_add_full(G_PRIORITY_DEFAULT, runTask, new std::function<void()>(std::move(task)), deleteTask);
}
