#include "launcher/ErrorBox.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <string>

#include "launcher/DesktopDialogs.h"

namespace zelmar {

namespace {

// The box's OK button, its close box and Escape all answer it: the loop ends.
void EndLoop(GtkDialog*, gint, gpointer loop) {
  g_main_loop_quit(static_cast<GMainLoop*>(loop));
}

// The box's loop and its watch for a termination request (0 once the watch has gone).
struct TBoxLoop {
  GMainLoop* Loop;
  guint QuitWatch;
};

// A termination request (SIGTERM, SIGINT) answers the box like its OK button.
gboolean QuitLoop(gpointer data) {
  auto* box = static_cast<TBoxLoop*>(data);
  box->QuitWatch = 0;
  g_main_loop_quit(box->Loop);
  return G_SOURCE_REMOVE;
}

}  // namespace

// A GTK message box run by a main loop of its own, so that anything that asks that loop to quit (the box's
// answer, or a quit request) ends it; without a display, the error stream.
void ShowErrorBox(std::string_view title, std::string_view text) {
  if (QuitAsked() || !gtk_init_check(nullptr, nullptr) || gdk_display_get_default() == nullptr) {
    PrintError(text);
    return;
  }
  // A plain dialog: GTK's message dialogs no longer show their type's icon.
  GtkWidget* box = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(box), std::string(title).c_str());
  gtk_window_set_resizable(GTK_WINDOW(box), FALSE);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  gtk_container_set_border_width(GTK_CONTAINER(row), 12);
  gtk_box_pack_start(GTK_BOX(row), gtk_image_new_from_icon_name("dialog-error", GTK_ICON_SIZE_DIALOG), FALSE,
                     FALSE, 0);
  gtk_box_pack_start(GTK_BOX(row), gtk_label_new(std::string(text).c_str()), TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(box))), row, TRUE, TRUE, 0);
  gtk_dialog_add_button(GTK_DIALOG(box), "_OK", GTK_RESPONSE_OK);
  gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
  gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  g_signal_connect(box, "response", G_CALLBACK(EndLoop), loop);
  TBoxLoop watched{loop, 0};
  watched.QuitWatch = AddQuitWatch(QuitLoop, &watched);
  gtk_widget_show_all(box);
  gtk_window_present(GTK_WINDOW(box));
  g_main_loop_run(loop);
  if (watched.QuitWatch != 0) g_source_remove(watched.QuitWatch);
  g_main_loop_unref(loop);
  gtk_widget_destroy(box);
  // Let the box vanish from the screen before the program ends.
  while (gtk_events_pending()) gtk_main_iteration();
}

void PrintError(std::string_view text) {
  std::fprintf(stderr, "zelmar-chess: %.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace zelmar
