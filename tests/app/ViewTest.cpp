// How the page is looked at, driven in-process in a real GTK window (run
// under Xvfb by CTest): fitting, the page as a surface moved on with keys,
// the pointer and the wheel, every control on a small screen, and the
// window remembered between runs.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "app/Actions.h"
#include "app/AppWindow.h"
#include "app/PageRequest.h"
#include "app/RememberedState.h"
#include "app/Zoom.h"
#include "raster/Preview.h"
#include "tests/app/MainLoopTurns.h"

namespace {

AppWindow* w = nullptr;
GtkApplication* application = nullptr;

void waitForPreview(AppWindow& window = *w)
{
    ASSERT_TRUE(PreviewArrived(window)) << "the preview did not arrive";
    settle(50);
}

void resizeTo(int width, int height)
{
    gtk_window_resize(GTK_WINDOW(w->window), width, height);
    settle(600);  // past the refit's delay
    waitForPreview();
}

double spinner() { return gtk_spin_button_get_value(GTK_SPIN_BUTTON(w->sizeSpinner)); }
GtkAdjustment* hAdj() { return gtk_scrolled_window_get_hadjustment(GTK_SCROLLED_WINDOW(w->previewScroll)); }
GtkAdjustment* vAdj() { return gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(w->previewScroll)); }
double lastOf(GtkAdjustment* a) { return gtk_adjustment_get_upper(a) - gtk_adjustment_get_page_size(a); }

std::string fitState()
{
    GVariant* state = g_action_group_get_action_state(G_ACTION_GROUP(w->window), "fit");
    std::string text = g_variant_get_string(state, nullptr);
    g_variant_unref(state);
    return text;
}

// The page's logical size on screen.
int imageWidth() { return cairo_image_surface_get_width(w->preview.shownImage) / w->preview.shownKey.scale; }
int imageHeight() { return cairo_image_surface_get_height(w->preview.shownImage) / w->preview.shownKey.scale; }

// An event as the display would send it, to the surface's own window.
void sendButton(GdkEventType type, double x, double y)
{
    GdkEvent* event = gdk_event_new(type);
    GdkWindow* surface = gtk_widget_get_window(w->pageSurface);
    event->button.window = GDK_WINDOW(g_object_ref(surface));
    event->button.button = GDK_BUTTON_PRIMARY;
    event->button.x = x;
    event->button.y = y;
    int ox = 0, oy = 0;
    gdk_window_get_origin(surface, &ox, &oy);
    event->button.x_root = ox + x;
    event->button.y_root = oy + y;
    event->button.time = GDK_CURRENT_TIME;
    gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
    if (type == GDK_MOTION_NOTIFY) {
        event->motion.state = GDK_BUTTON1_MASK;
        event->motion.x_root = ox + x;
        event->motion.y_root = oy + y;
    }
    gtk_main_do_event(event);
    gdk_event_free(event);
    settle(20);
}

// A key pressed and released with the window focused, and the window
// given a moment to answer.
void pressKey(guint keyval, GdkModifierType state = GdkModifierType(0))
{
    PressKey(w->window, keyval, state);
    settle(20);
}

class View : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        int argc = 0;
        ASSERT_TRUE(gtk_init_check(&argc, nullptr)) << "no display: run under Xvfb";
        PreviewLibraryStart();
        application = gtk_application_new("org.harmodex.Harmodex.ViewTests", G_APPLICATION_NON_UNIQUE);
        ASSERT_TRUE(g_application_register(G_APPLICATION(application), nullptr, nullptr));
        w = NewAppWindow(application);
        settle(300);
    }
    static void TearDownTestSuite()
    {
        gtk_widget_destroy(w->window);
        delete w;
        w = nullptr;
    }
};

TEST_F(View, TheFirstPageFitsTheWidthAndFollowsResizesUntilASizeIsChosen)
{
    EXPECT_EQ(fitState(), "width");  // a first use
    gtk_entry_set_text(GTK_ENTRY(w->tnTypeField), "0 4 7");
    g_signal_emit_by_name(w->tnTypeField, "activate");
    waitForPreview();
    const double room = gtk_adjustment_get_page_size(hAdj());
    EXPECT_LE(imageWidth(), room);
    EXPECT_GT(imageWidth(), room - 20) << "the page should fill the preview's width";
    EXPECT_LE(gtk_adjustment_get_upper(hAdj()), room) << "nothing to scroll sideways";
    EXPECT_NEAR(spinner(), w->preview.shownKey.hundredths / 100.0, 1e-9);  // the spinner shows the fitted size

    const double wide = spinner();
    resizeTo(900, 900);  // tall enough for the whole page above the smallest size
    EXPECT_LT(spinner(), wide);
    EXPECT_LE(imageWidth(), gtk_adjustment_get_page_size(hAdj()));

    ASSERT_TRUE(ActivateAccelerator(*w, "<Primary>2"));
    settle(600);  // and any refit the new page's layout asks for
    waitForPreview();
    EXPECT_EQ(fitState(), "page");
    EXPECT_LE(imageHeight(), gtk_adjustment_get_page_size(vAdj()));
    EXPECT_LE(imageWidth(), gtk_adjustment_get_page_size(hAdj()));

    // Zooming leaves fit mode: a resize then keeps the size.
    ASSERT_TRUE(ActivateAccelerator(*w, "<Primary>plus"));
    waitForPreview();
    EXPECT_EQ(fitState(), "none");
    const double chosen = spinner();
    resizeTo(1100, 610);
    EXPECT_DOUBLE_EQ(spinner(), chosen);
    ASSERT_TRUE(ActivateAccelerator(*w, "<Primary>1"));
    waitForPreview();
    EXPECT_EQ(fitState(), "width");
}

TEST_F(View, EveryControlIsOnScreenOnSmallScreens)
{
    struct Size {
        int width, height;
    };
    for (const Size size : {Size{800, 600}, Size{1024, 600}}) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        // The window's size as the screen sees it, header bar and
        // decorations included.
        resizeTo(size.width, size.height);
        GdkWindow* surface = gtk_widget_get_window(w->window);
        resizeTo(2 * size.width - gdk_window_get_width(surface), 2 * size.height - gdk_window_get_height(surface));
        settle(200);
        GdkRectangle window{0, 0, gdk_window_get_width(surface), gdk_window_get_height(surface)};
        EXPECT_EQ(window.width, size.width);
        EXPECT_EQ(window.height, size.height);
        GtkWidget* pageScrollBar = gtk_scrolled_window_get_vscrollbar(GTK_SCROLLED_WINDOW(w->previewScroll));
        struct Control {
            const char* name;
            GtkWidget* widget;
        };
        const Control controls[] = {
            {"QUIT", w->quitButton},
            {"Save", w->saveButton},
            {"Play", w->playButton},
            {"size", w->sizeSpinner},
            {"Tn-type", w->tnTypeField},
            {"Costère code", w->costereField},
            {"page scroll bar", pageScrollBar},
            {"menu", w->primaryMenuButton},
            {"fit width", w->fitWidthButton},
            {"fit page", w->fitPageButton},
            {"side panel", w->sidePanelToggle},
        };
        for (const Control& c : controls) {
            ASSERT_NE(c.widget, nullptr) << c.name;
            int x = 0, y = 0;
            ASSERT_TRUE(gtk_widget_translate_coordinates(c.widget, w->window, 0, 0, &x, &y)) << c.name;
            const int width = gtk_widget_get_allocated_width(c.widget);
            const int height = gtk_widget_get_allocated_height(c.widget);
            EXPECT_TRUE(gtk_widget_is_drawable(c.widget)) << c.name;
            EXPECT_GE(x, 0) << c.name;
            EXPECT_GE(y, 0) << c.name;
            EXPECT_LE(x + width, window.width) << c.name << " reaches " << x + width;
            EXPECT_LE(y + height, window.height) << c.name << " reaches " << y + height;
        }
        EXPECT_LT(w->view.controlPadding, 100);
    }
    resizeTo(1280, 800);  // room again: the design's padding
    settle(200);
    EXPECT_EQ(w->view.controlPadding, 100);
    resizeTo(1100, 610);
}

TEST_F(View, ThePageTakesTheFocusAndMovesWithKeysAndTheMouse)
{
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(w->sizeSpinner), 2.0);  // larger than the view both ways
    RequestPage(*w, 100);
    waitForPreview();
    gtk_widget_grab_focus(w->tnTypeField);
    sendButton(GDK_BUTTON_PRESS, 40, 40);
    sendButton(GDK_BUTTON_RELEASE, 40, 40);
    EXPECT_TRUE(gtk_widget_has_focus(w->pageSurface)) << "a click gives the page the focus";

    pressKey(GDK_KEY_Down);
    EXPECT_GT(gtk_adjustment_get_value(vAdj()), 0.0);
    pressKey(GDK_KEY_Right);
    EXPECT_GT(gtk_adjustment_get_value(hAdj()), 0.0);
    pressKey(GDK_KEY_End);
    EXPECT_DOUBLE_EQ(gtk_adjustment_get_value(vAdj()), lastOf(vAdj()));
    pressKey(GDK_KEY_Home);
    EXPECT_DOUBLE_EQ(gtk_adjustment_get_value(vAdj()), 0.0);

    // Space reads on a screen at a time, then on to the next page's top.
    const double screen = gtk_adjustment_get_page_size(vAdj());
    pressKey(GDK_KEY_space);
    EXPECT_NEAR(gtk_adjustment_get_value(vAdj()), screen * 0.9, 1.0);
    for (int i = 0; i < 20 && gtk_adjustment_get_value(vAdj()) < lastOf(vAdj()); ++i)
        pressKey(GDK_KEY_space);
    EXPECT_EQ(w->preview.requestedPage, 100);
    pressKey(GDK_KEY_space);
    EXPECT_EQ(w->preview.requestedPage, 101);
    waitForPreview();
    EXPECT_DOUBLE_EQ(gtk_adjustment_get_value(vAdj()), 0.0);
    // Shift+Space at the top goes back, to the previous page's bottom.
    pressKey(GDK_KEY_space, GDK_SHIFT_MASK);
    EXPECT_EQ(w->preview.requestedPage, 100);
    waitForPreview();
    EXPECT_DOUBLE_EQ(gtk_adjustment_get_value(vAdj()), lastOf(vAdj()));
    // PageDown still turns the page.
    pressKey(GDK_KEY_Page_Down);
    EXPECT_EQ(w->preview.requestedPage, 101);
    waitForPreview();
    EXPECT_TRUE(gtk_widget_has_focus(w->pageSurface));

    // Dragging pans: the page follows the pointer.
    gtk_adjustment_set_value(hAdj(), 100);
    gtk_adjustment_set_value(vAdj(), 300);
    sendButton(GDK_BUTTON_PRESS, 200, 200);
    sendButton(GDK_MOTION_NOTIFY, 150, 120);
    sendButton(GDK_BUTTON_RELEASE, 150, 120);
    EXPECT_NEAR(gtk_adjustment_get_value(hAdj()), 150, 1.0);
    EXPECT_NEAR(gtk_adjustment_get_value(vAdj()), 380, 1.0);
}

TEST_F(View, CtrlWheelZoomsAboutThePointer)
{
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(w->sizeSpinner), 2.0);
    RequestPage(*w, 24);
    waitForPreview();
    gtk_adjustment_set_value(hAdj(), 300);
    gtk_adjustment_set_value(vAdj(), 700);
    settle(50);
    // The pointer 150, 100 into the preview.
    GdkWindow* surface = gtk_widget_get_window(w->previewScroll);
    int ox = 0, oy = 0;
    gdk_window_get_origin(surface, &ox, &oy);
    GtkAllocation area;
    gtk_widget_get_allocation(w->previewScroll, &area);
    const double px = 150, py = 100;
    const double fx = (gtk_adjustment_get_value(hAdj()) + px) / gtk_adjustment_get_upper(hAdj());
    const double fy = (gtk_adjustment_get_value(vAdj()) + py) / gtk_adjustment_get_upper(vAdj());

    GdkEvent* event = gdk_event_new(GDK_SCROLL);
    event->scroll.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(w->pageSurface)));
    event->scroll.direction = GDK_SCROLL_UP;
    event->scroll.state = GDK_CONTROL_MASK;
    event->scroll.x_root = ox + area.x + px;
    event->scroll.y_root = oy + area.y + py;
    gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_main_do_event(event);
    gdk_event_free(event);
    EXPECT_NEAR(spinner(), 2.1, 1e-9);
    waitForPreview();
    settle(100);
    EXPECT_NEAR((gtk_adjustment_get_value(hAdj()) + px) / gtk_adjustment_get_upper(hAdj()), fx, 0.002);
    EXPECT_NEAR((gtk_adjustment_get_value(vAdj()) + py) / gtk_adjustment_get_upper(vAdj()), fy, 0.002);
}

TEST_F(View, AWindowOpensAsTheStateFileLeftItOrAsOnFirstUse)
{
    char pattern[] = "/tmp/harmodex-view-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string path = std::string(pattern) + "/harmodex/window.ini";
    WindowState left;
    left.page = 30;
    left.fit = FitMode::None;
    left.sizeFactor = 1.5;
    left.sidePanel = true;
    left.width = 900;
    left.height = 640;
    SaveWindowState(path, left);

    AppWindow* second = NewAppWindow(application, path);
    waitForPreview(*second);
    EXPECT_DOUBLE_EQ(gtk_spin_button_get_value(GTK_SPIN_BUTTON(second->sizeSpinner)), 1.5);
    EXPECT_EQ(second->preview.requestedPage, 30);
    EXPECT_TRUE(gtk_widget_get_visible(second->sidePanel));
    int width = 0, height = 0;
    gtk_window_get_size(GTK_WINDOW(second->window), &width, &height);
    EXPECT_EQ(width, 900);
    EXPECT_EQ(height, 640);
    // A new page and fitting are remembered (written on closing).
    RequestPage(*second, 31);
    waitForPreview(*second);
    SetFitMode(*second, FitMode::Page);
    waitForPreview(*second);
    gtk_widget_destroy(second->window);
    delete second;
    std::string problem;
    const WindowState kept = LoadWindowState(path, problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(kept.page, 31);
    EXPECT_EQ(kept.fit, FitMode::Page);
    EXPECT_TRUE(kept.sidePanel);

    // A hostile file: as on first use, and no page outside the book.
    std::ofstream(path) << "[page]\nnumber=9999\nzoom=-3\n";
    AppWindow* third = NewAppWindow(application, path);
    settle(300);
    EXPECT_EQ(third->preview.requestedPage, 0);
    EXPECT_EQ(third->view.fit, FitMode::Width);
    EXPECT_FALSE(gtk_widget_get_visible(third->sidePanel));
    gtk_widget_destroy(third->window);
    delete third;
    std::system(("rm -rf '" + std::string(pattern) + "'").c_str());
}

}  // namespace
