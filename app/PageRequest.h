#ifndef HARMODEX_APP_PAGEREQUEST_H
#define HARMODEX_APP_PAGEREQUEST_H

// What happens when the user asks for a page: a set typed into one of the
// two fields, or a new size for the preview.

#include <gtk/gtk.h>

// "activate" of a field: user data 1 reads the Tn-type field, 2 the Costère
// field.
void get_entry_value(GtkWidget* widget, void* data);
// "value-changed" of the size spinner: re-rasterise the current page.
void get_spinner1_value(GtkWidget* widget, void* data);

#endif
