#include "launcher/DesktopDialogs.h"

#include <string>

namespace zelmar {

// Asks the quit question in a Yes/No message box above the launcher, all in its language.
bool AskQuitInMessageBox(GtkWindow* parent, const LauncherTexts& texts) {
  const auto flags = static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT);
  GtkWidget* box = gtk_message_dialog_new(parent, flags, GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE, "%s",
                                          std::string(texts.QuitQuestion).c_str());
  gtk_dialog_add_button(GTK_DIALOG(box), std::string(texts.No).c_str(), GTK_RESPONSE_NO);
  gtk_dialog_add_button(GTK_DIALOG(box), std::string(texts.Yes).c_str(), GTK_RESPONSE_YES);
  const std::string title(texts.Caption);
  // Its own title bar shows the caption the same way on every desktop, like the launcher's.
  GtkWidget* header = gtk_header_bar_new();
  gtk_header_bar_set_title(GTK_HEADER_BAR(header), title.c_str());
  gtk_widget_show(header);
  gtk_window_set_titlebar(GTK_WINDOW(box), header);
  gtk_window_set_title(GTK_WINDOW(box), title.c_str());
  gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER_ON_PARENT);
  gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_YES);
  const int answer = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  return answer == GTK_RESPONSE_YES;
}

// Hands the address to the desktop's default browser; nothing is said when that fails.
void OpenInBrowser(std::string_view address) {
  g_app_info_launch_default_for_uri(std::string(address).c_str(), nullptr, nullptr);
}

}  // namespace zelmar
