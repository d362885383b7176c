#include "launcher/DesktopDialogs.h"

#include <glib-unix.h>
#include <poll.h>

#include <string>

#include "launcher/MainForm.h"

namespace zelmar {

namespace {

int quitFd = -1;

struct TDialogQuit {
  GtkDialog* Dialog;
  int Response;
  guint Watch;
};

gboolean AnswerOnQuit(gint, GIOCondition, gpointer data) {
  auto* quit = static_cast<TDialogQuit*>(data);
  quit->Watch = 0;
  gtk_dialog_response(quit->Dialog, quit->Response);
  return G_SOURCE_REMOVE;
}

struct TQuitCall {
  GSourceFunc Fn;
  gpointer Data;
};

gboolean CallOnQuit(gint, GIOCondition, gpointer data) {
  const auto* call = static_cast<const TQuitCall*>(data);
  call->Fn(call->Data);
  return G_SOURCE_REMOVE;
}

}  // namespace

void WatchForQuit(int fd) {
  quitFd = fd;
}

bool QuitAsked() {
  if (quitFd < 0) return false;
  pollfd watched{quitFd, POLLIN, 0};
  return ::poll(&watched, 1, 0) > 0 && (watched.revents & POLLIN) != 0;
}

guint AddQuitWatch(GSourceFunc onQuit, gpointer data) {
  if (quitFd < 0) return 0;
  auto* call = new TQuitCall{onQuit, data};
  return g_unix_fd_add_full(G_PRIORITY_DEFAULT, quitFd, G_IO_IN, CallOnQuit, call,
                            [](gpointer p) { delete static_cast<TQuitCall*>(p); });
}

// The dialog's own loop, with the descriptor watched beside it; a request that came before it opened
// answers it at once.
int RunDialogUntilQuit(GtkDialog* dialog, int quitResponse) {
  if (QuitAsked()) return quitResponse;
  TDialogQuit quit{dialog, quitResponse, 0};
  if (quitFd >= 0) quit.Watch = g_unix_fd_add(quitFd, G_IO_IN, AnswerOnQuit, &quit);
  const int answer = gtk_dialog_run(dialog);
  if (quit.Watch != 0) g_source_remove(quit.Watch);
  return answer;
}

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
  // A termination request answers "Yes": the program ends.
  const int answer = RunDialogUntilQuit(GTK_DIALOG(box), GTK_RESPONSE_YES);
  gtk_widget_destroy(box);
  return answer == GTK_RESPONSE_YES;
}

// Hands the address to the desktop's default browser; nothing is said when that fails.
void OpenInBrowser(std::string_view address) {
  g_app_info_launch_default_for_uri(std::string(address).c_str(), nullptr, nullptr);
}

}  // namespace zelmar
