#include "platform/SetupDialog.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <string>

namespace {

// The widgets of one open dialog and the state they show.
struct DialogWidgets {
    SetupDialogState state;
    GtkBuilder* builder = nullptr;
    GtkWidget* window = nullptr;
    bool syncing = false;  // set while the widgets are being made to show the state

    explicit DialogWidgets(DisplaySettings& settings) : state(settings) {}
};

GtkToggleButton* toggleControl(GtkBuilder* builder, int control)
{
    const std::string id = "control-" + std::to_string(control);
    return GTK_TOGGLE_BUTTON(gtk_builder_get_object(builder, id.c_str()));
}

// Shows the single resolution check mark and the "Fullscreen" and "Fewer flashes" checks as
// the state has them.
void showState(DialogWidgets& dialog)
{
    dialog.syncing = true;
    for (const ResolutionChoice& choice : kResolutionChoices)
        gtk_toggle_button_set_active(toggleControl(dialog.builder, choice.control),
                                     choice.control == dialog.state.checkedResolution);
    gtk_toggle_button_set_active(toggleControl(dialog.builder, kControlFullScreen), dialog.state.fullScreenChecked);
    gtk_toggle_button_set_active(toggleControl(dialog.builder, kControlFewerFlashes), dialog.state.fewerFlashesChecked);
    dialog.syncing = false;
}

void command(DialogWidgets& dialog, int control)
{
    if (dialog.syncing) return;
    handleSetupCommand(dialog.state, control);
    showState(dialog);
}

void onPushButton(GtkButton* button, gpointer data)
{
    command(*static_cast<DialogWidgets*>(data), GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), "control")));
}

void onToggled(GtkToggleButton* button, gpointer data)
{
    const int control = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), "control"));
    // A radio button that loses the check mark also reports a toggle; only the click counts.
    const bool checkBox = control == kControlFullScreen || control == kControlFewerFlashes;
    if (!checkBox && !gtk_toggle_button_get_active(button)) return;
    command(*static_cast<DialogWidgets*>(data), control);
}

// Return presses "Go!" unless "Leave" has the focus; Escape is "Leave".
gboolean onKeyPress(GtkWidget* window, GdkEventKey* event, gpointer data)
{
    DialogWidgets& dialog = *static_cast<DialogWidgets*>(data);
    switch (event->keyval) {
    case GDK_KEY_Escape:
        command(dialog, kControlLeave);
        return TRUE;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter: {
        GtkWidget* leave = GTK_WIDGET(gtk_builder_get_object(dialog.builder, "control-2"));
        command(dialog, gtk_window_get_focus(GTK_WINDOW(window)) == leave ? kControlLeave : kControlGo);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data)
{
    command(*static_cast<DialogWidgets*>(data), kControlLeave);
    return TRUE;
}

void connectControl(DialogWidgets& dialog, int control, const char* signal, GCallback handler)
{
    const std::string id = "control-" + std::to_string(control);
    GObject* widget = gtk_builder_get_object(dialog.builder, id.c_str());
    g_object_set_data(widget, "control", GINT_TO_POINTER(control));
    g_signal_connect(widget, signal, handler, &dialog);
}

}  // namespace

SetupOutcome runSetupDialog(DisplaySettings& settings)
{
    if (!gtk_init_check(nullptr, nullptr)) {
        const char* display = g_getenv("DISPLAY");
        if (display && *display)
            std::fprintf(stderr, "orvale-invit: cannot open the display \"%s\".\n", display);
        else
            std::fprintf(stderr,
                         "orvale-invit: no display. It needs a graphical session "
                         "(DISPLAY or WAYLAND_DISPLAY set).\n");
        return SetupOutcome::NoDisplay;
    }

    DialogWidgets dialog(settings);
    dialog.builder = gtk_builder_new_from_resource("/org/vaskel/orvale-invit/setup-dialog.ui");
    dialog.window = GTK_WIDGET(gtk_builder_get_object(dialog.builder, "setup-dialog"));

    connectControl(dialog, kControlGo, "clicked", G_CALLBACK(onPushButton));
    connectControl(dialog, kControlLeave, "clicked", G_CALLBACK(onPushButton));
    connectControl(dialog, kControlFullScreen, "toggled", G_CALLBACK(onToggled));
    connectControl(dialog, kControlFewerFlashes, "toggled", G_CALLBACK(onToggled));
    for (const ResolutionChoice& choice : kResolutionChoices)
        connectControl(dialog, choice.control, "toggled", G_CALLBACK(onToggled));
    g_signal_connect(dialog.window, "key-press-event", G_CALLBACK(onKeyPress), &dialog);
    g_signal_connect(dialog.window, "delete-event", G_CALLBACK(onDelete), &dialog);

    showState(dialog);
    gtk_widget_show(dialog.window);
    while (dialog.state.result < 0) gtk_main_iteration();

    gtk_widget_destroy(dialog.window);
    g_object_unref(dialog.builder);
    while (gtk_events_pending()) gtk_main_iteration();
    return dialog.state.result == 1 ? SetupOutcome::Go : SetupOutcome::Leave;
}
