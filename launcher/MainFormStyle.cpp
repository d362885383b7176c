#include "launcher/MainFormStyle.h"

#include <gtk/gtk.h>

namespace zelmar {
namespace {

// Sans 8 pt throughout the panel; flat buttons and a language drop-down that light up under the mouse;
// compact check boxes with 12-pixel squares that fit the stored sizes; a dark red notice line; a slim title
// bar holding only the close box.
constexpr const char* kStyleSheet = R"css(
#zelmar-launcher .zl-control,
#zelmar-launcher .zl-control label {
  font-family: Sans;
  font-size: 8pt;
  font-weight: normal;
}
#zelmar-launcher button.zl-flat {
  min-height: 0;
  min-width: 0;
  margin: 0;
  padding: 0 4px;
  border: 1px solid #c4c4c4;
  border-radius: 2px;
  background-color: #f4f4f4;
  background-image: linear-gradient(to bottom, #fdfdfd, #ececec);
  box-shadow: none;
  text-shadow: none;
  color: #202020;
}
#zelmar-launcher button.zl-flat:hover {
  border-color: #7a9ccf;
  background-image: linear-gradient(to bottom, #ffffff, #e3ecf9);
  color: #0c2a57;
}
#zelmar-launcher button.zl-flat:active {
  border-color: #5a7fb8;
  background-image: linear-gradient(to bottom, #d6e2f4, #e6eefa);
}
#zelmar-launcher combobox.zl-control button {
  min-height: 0;
  margin: 0;
  padding: 0 4px;
  border: 1px solid #c4c4c4;
  border-radius: 2px;
  background-image: linear-gradient(to bottom, #fdfdfd, #ececec);
  box-shadow: none;
  color: #202020;
}
#zelmar-launcher combobox.zl-control button:hover {
  border-color: #7a9ccf;
  background-image: linear-gradient(to bottom, #ffffff, #e3ecf9);
}
#zelmar-launcher combobox.zl-control menu {
  font-family: Sans;
  font-size: 8pt;
}
#zelmar-launcher checkbutton.zl-control {
  min-height: 0;
  margin: 0;
  padding: 0;
}
#zelmar-launcher checkbutton.zl-control check {
  min-width: 10px;
  min-height: 10px;
  margin: 0;
  -gtk-outline-radius: 2px;
}
#zelmar-launcher checkbutton.zl-control label {
  margin: 0;
  padding: 0;
  color: #202020;
}
#zelmar-launcher label.zl-notice {
  color: #a01010;
}
#zelmar-launcher headerbar {
  min-height: 0;
  padding: 2px 4px 2px 10px;
}
#zelmar-launcher headerbar .title {
  font-size: 9pt;
}
#zelmar-launcher headerbar button.titlebutton {
  min-height: 22px;
  min-width: 22px;
  padding: 0;
  margin: 0;
}
)css";

}  // namespace

void InstallLauncherStyle() {
  // The screen keeps the sheet; a mark on it tells a second launcher that it is there already.
  GdkScreen* screen = gdk_screen_get_default();
  if (!screen || g_object_get_data(G_OBJECT(screen), kLauncherWindowName)) return;
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, kStyleSheet, -1, nullptr);
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
  g_object_set_data(G_OBJECT(screen), kLauncherWindowName, GINT_TO_POINTER(1));
}

}  // namespace zelmar
