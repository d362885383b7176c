#include "launcher/MainForm.h"

#include <gtk/gtk.h>

#include <array>
#include <string>

#include "launcher/DesktopDialogs.h"
#include "launcher/Languages.h"
#include "launcher/LauncherLayout.h"
#include "launcher/LauncherPainting.h"
#include "launcher/LauncherPicture.h"
#include "launcher/LauncherTexts.h"
#include "launcher/MainFormStyle.h"

namespace zelmar {
namespace {

constexpr std::size_t kControlCount = std::size(kAllControls);

std::size_t IndexOf(LauncherControl control) {
  return static_cast<std::size_t>(control);
}

// Returns the first button within a container, at any depth: the one inside a drop-down takes its clicks
// (null when there is none).
GtkWidget* ButtonWithin(GtkWidget* container) {
  GtkWidget* button = nullptr;
  gtk_container_forall(
      GTK_CONTAINER(container),
      [](GtkWidget* child, gpointer found) {
        auto* result = static_cast<GtkWidget**>(found);
        if (*result) return;
        if (GTK_IS_BUTTON(child))
          *result = child;
        else if (GTK_IS_CONTAINER(child))
          *result = ButtonWithin(child);
      },
      &button);
  return button;
}

// Returns the window that takes a control's mouse input (null before it is realised).
GdkWindow* InputWindow(GtkWidget* widget) {
  if (GTK_IS_COMBO_BOX(widget)) widget = ButtonWithin(widget);
  if (widget == nullptr) return nullptr;
  return GTK_IS_BUTTON(widget) ? gtk_button_get_event_window(GTK_BUTTON(widget))
                               : gtk_widget_get_window(widget);
}

// Gives a control the hand cursor once it has its input window.
void SetHandCursor(GtkWidget* widget, gpointer) {
  GdkWindow* input = InputWindow(widget);
  if (!input) return;
  GdkCursor* hand = gdk_cursor_new_for_display(gtk_widget_get_display(widget), GDK_HAND2);
  gdk_window_set_cursor(input, hand);
  if (hand) g_object_unref(hand);
}

// The game's own icon when the desktop's icon theme holds it (an installed game), else a generic one.
const char* WindowIconName() {
  GtkIconTheme* theme = gtk_icon_theme_get_default();
  return theme && gtk_icon_theme_has_icon(theme, ZELMAR_APP_ID) ? ZELMAR_APP_ID : "applications-games";
}

}  // namespace

struct TMainForm::Impl {
  TMainForm* Form = nullptr;
  GameOptions& Options;
  std::filesystem::path ConfigFile;
  GtkWidget* Window = nullptr;
  GtkWidget* Header = nullptr;
  GtkWidget* Client = nullptr;
  GtkWidget* Panel = nullptr;
  GtkWidget* LinkLabel = nullptr;
  GtkWidget* Notice = nullptr;  // the refusal of a game file; hidden without one
  std::optional<GameFileRefusal> Refusal;
  std::array<GtkWidget*, kControlCount> Controls{};
  cairo_surface_t* Picture = nullptr;
  GMainLoop* Loop = nullptr;
  guint QuitWatch = 0;  // the watch for a termination request while the modal loop runs
  bool Started = false;
  bool Closed = false;
  bool Maximized = false;
  QuitAsker Ask;
  AddressOpener Open = OpenInBrowser;

  Impl(GameOptions& options, std::filesystem::path file) : Options(options), ConfigFile(std::move(file)) {}

  GtkWidget* Control(LauncherControl control) const { return Controls[IndexOf(control)]; }

  // Builds the window, its picture, the panel and every control at its stored place.
  void Build();
  // Builds the fixed-size window with its title bar, client area and panel.
  void BuildWindow();
  // Builds the language drop-down, the two flat buttons, the link and the three check boxes.
  void BuildLanguages();
  void BuildButtons();
  void BuildLink();
  void BuildCheckBoxes();
  void BuildNotice();
  // Shows the refusal in the current language, or hides the line.
  void ShowNotice();
  // Puts one control on the panel at its stored place and size.
  void Place(LauncherControl control, GtkWidget* widget);
  // Ends the launcher's life: hides the window and leaves the modal loop.
  void Finish();
  // The language drop-down: store the choice, show the texts in it and save the settings at once.
  void ChooseLanguage(std::int32_t lang);

  // Signal handlers; `self` is the Impl.
  static gboolean DrawClient(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean DrawPanel(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
  static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self);
  static gboolean OnLinkRelease(GtkWidget*, GdkEventButton* event, gpointer self);
  static void OnLanguage(GtkComboBox* dropDown, gpointer self);
  static void OnStart(GtkButton*, gpointer self);
  static void OnUpdate(GtkButton*, gpointer self);
  static void OnMaximized(GtkToggleButton*, gpointer self);
};

void TMainForm::Impl::Place(LauncherControl control, GtkWidget* widget) {
  const ControlBounds at = StoredBounds(control);
  gtk_widget_set_size_request(widget, at.Width, at.Height);
  gtk_style_context_add_class(gtk_widget_get_style_context(widget), kPanelControlClass);
  // A drop-down's clicks go to the button inside it, which is realised on its own.
  GtkWidget* input = GTK_IS_COMBO_BOX(widget) ? ButtonWithin(widget) : widget;
  if (input) g_signal_connect_after(input, "realize", G_CALLBACK(SetHandCursor), nullptr);
  gtk_fixed_put(GTK_FIXED(Panel), widget, at.Left, at.Top);
  Controls[IndexOf(control)] = widget;
}

void TMainForm::Impl::Build() {
  InstallLauncherStyle();
  Picture = CreateLauncherPictureSurface();
  BuildWindow();
  BuildLanguages();
  BuildButtons();
  BuildLink();
  BuildCheckBoxes();
  BuildNotice();
}

void TMainForm::Impl::BuildWindow() {
  // 1. A fixed-size window, centred, whose title bar holds the caption and only the close box.
  Window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_widget_set_name(Window, kLauncherWindowName);
  gtk_window_set_resizable(GTK_WINDOW(Window), FALSE);
  gtk_window_set_position(GTK_WINDOW(Window), GTK_WIN_POS_CENTER);
  gtk_window_set_icon_name(GTK_WINDOW(Window), WindowIconName());
  Header = gtk_header_bar_new();
  gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(Header), TRUE);
  gtk_header_bar_set_decoration_layout(GTK_HEADER_BAR(Header), ":close");
  gtk_window_set_titlebar(GTK_WINDOW(Window), Header);
  g_signal_connect(Window, "delete-event", G_CALLBACK(OnDelete), this);
  g_signal_connect(Window, "key-press-event", G_CALLBACK(OnKeyPress), this);

  // 2. The client area painted with the picture, and the grey panel on it.
  // A layout rather than a fixed box: the panel reaches two pixels past the client area's bottom
  // edge, and the client area must keep its size regardless.
  Client = gtk_layout_new(nullptr, nullptr);
  gtk_layout_set_size(GTK_LAYOUT(Client), kClientWidth, kClientHeight);
  gtk_widget_set_size_request(Client, kClientWidth, kClientHeight);
  g_signal_connect(Client, "draw", G_CALLBACK(DrawClient), this);
  gtk_container_add(GTK_CONTAINER(Window), Client);
  Panel = gtk_fixed_new();
  gtk_widget_set_size_request(Panel, kPanelBounds.Width, kPanelBounds.Height);
  g_signal_connect(Panel, "draw", G_CALLBACK(DrawPanel), this);
  gtk_layout_put(GTK_LAYOUT(Client), Panel, kPanelBounds.Left, kPanelBounds.Top);
}

void TMainForm::Impl::BuildLanguages() {
  GtkWidget* dropDown = gtk_combo_box_text_new();
  for (const Language& language : kLanguages)
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(dropDown), std::string(language.Name).c_str());
  Place(LauncherControl::lcLanguage, dropDown);
  g_signal_connect(dropDown, "changed", G_CALLBACK(OnLanguage), this);
}

void TMainForm::Impl::BuildButtons() {
  const auto flatButton = [](std::string_view text) {
    GtkWidget* button = gtk_button_new_with_label(std::string(text).c_str());
    gtk_button_set_relief(GTK_BUTTON(button), GTK_RELIEF_NONE);
    gtk_style_context_add_class(gtk_widget_get_style_context(button), kFlatButtonClass);
    return button;
  };
  Place(LauncherControl::lcStart, flatButton(""));
  Place(LauncherControl::lcUpdate, flatButton(""));
  g_signal_connect(Control(LauncherControl::lcStart), "clicked", G_CALLBACK(OnStart), this);
  g_signal_connect(Control(LauncherControl::lcUpdate), "clicked", G_CALLBACK(OnUpdate), this);
  // Enter starts the game: the start button holds the keyboard focus when the launcher opens.
  gtk_widget_grab_focus(Control(LauncherControl::lcStart));
}

void TMainForm::Impl::BuildLink() {
  GtkWidget* link = gtk_event_box_new();
  LinkLabel = gtk_label_new(nullptr);
  const std::string address(kProductWebAddress);
  gchar* markup =
      g_markup_printf_escaped("<span foreground=\"#0000ff\" underline=\"single\">%s</span>", address.c_str());
  gtk_label_set_markup(GTK_LABEL(LinkLabel), markup);
  g_free(markup);
  gtk_widget_set_tooltip_text(link, address.c_str());
  gtk_container_add(GTK_CONTAINER(link), LinkLabel);
  gtk_widget_add_events(link, GDK_BUTTON_RELEASE_MASK);
  g_signal_connect(link, "button-release-event", G_CALLBACK(OnLinkRelease), this);
  Place(LauncherControl::lcLink, link);
  gtk_style_context_add_class(gtk_widget_get_style_context(LinkLabel), kPanelControlClass);
}

void TMainForm::Impl::BuildCheckBoxes() {
  Place(LauncherControl::lcFullScreen, gtk_check_button_new_with_label(""));
  Place(LauncherControl::lcMaximized, gtk_check_button_new_with_label(""));
  Place(LauncherControl::lcAntialias, gtk_check_button_new_with_label(""));
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(Control(LauncherControl::lcAntialias)), TRUE);
  g_signal_connect(Control(LauncherControl::lcMaximized), "toggled", G_CALLBACK(OnMaximized), this);
}

void TMainForm::Impl::BuildNotice() {
  Notice = gtk_label_new(nullptr);
  gtk_widget_set_size_request(Notice, kNoticeBounds.Width, kNoticeBounds.Height);
  gtk_label_set_line_wrap(GTK_LABEL(Notice), TRUE);
  gtk_label_set_line_wrap_mode(GTK_LABEL(Notice), PANGO_WRAP_WORD_CHAR);
  gtk_label_set_ellipsize(GTK_LABEL(Notice), PANGO_ELLIPSIZE_END);
  gtk_label_set_lines(GTK_LABEL(Notice), kNoticeLines);
  gtk_label_set_max_width_chars(GTK_LABEL(Notice), 1);  // the size request sets the width
  gtk_label_set_xalign(GTK_LABEL(Notice), 0.0F);
  gtk_label_set_yalign(GTK_LABEL(Notice), 0.0F);
  gtk_widget_set_no_show_all(Notice, TRUE);
  GtkStyleContext* style = gtk_widget_get_style_context(Notice);
  gtk_style_context_add_class(style, kPanelControlClass);
  gtk_style_context_add_class(style, kNoticeClass);
  gtk_fixed_put(GTK_FIXED(Panel), Notice, kNoticeBounds.Left, kNoticeBounds.Top);
}

void TMainForm::Impl::ShowNotice() {
  if (!Refusal) {
    gtk_label_set_text(GTK_LABEL(Notice), "");
    gtk_widget_set_tooltip_text(Notice, nullptr);
    gtk_widget_hide(Notice);
    return;
  }
  const std::string text = RefusalText(*Refusal, Options.Lang);
  gtk_label_set_text(GTK_LABEL(Notice), text.c_str());
  gtk_widget_set_tooltip_text(Notice, text.c_str());  // the whole line when it does not fit
  gtk_widget_show(Notice);
}

gboolean TMainForm::Impl::DrawClient(GtkWidget* widget, cairo_t* cr, gpointer self) {
  PaintClientArea(cr, gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget),
                  static_cast<Impl*>(self)->Picture);
  return FALSE;  // the panel is drawn on top
}

gboolean TMainForm::Impl::DrawPanel(GtkWidget* widget, cairo_t* cr, gpointer) {
  PaintPanel(cr, gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget));
  return FALSE;  // the controls are drawn on top
}

void TMainForm::Impl::Finish() {
  Closed = true;
  gtk_widget_hide(Window);
  if (Loop) g_main_loop_quit(Loop);
}

void TMainForm::Impl::ChooseLanguage(std::int32_t lang) {
  // Showing the language of the settings also selects it in the drop-down: nothing new to save then.
  if (lang == Options.Lang) return;
  Options.Lang = lang;
  Form->ApplyLanguage();
  // A failed write is not reported: the launcher goes on in the chosen language either way.
  static_cast<void>(SaveOptions(Options, ConfigFile));
}

gboolean TMainForm::Impl::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  static_cast<Impl*>(self)->Form->RequestClose();
  return TRUE;  // the launcher hides itself; the window stays until the form goes
}

gboolean TMainForm::Impl::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  if (event->keyval != GDK_KEY_Escape) return FALSE;
  static_cast<Impl*>(self)->Form->RequestClose();  // Escape closes like the close box
  return TRUE;
}

gboolean TMainForm::Impl::OnLinkRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
  if (event->button != GDK_BUTTON_PRIMARY) return FALSE;
  static_cast<Impl*>(self)->Open(kProductWebAddress);
  return TRUE;
}

void TMainForm::Impl::OnLanguage(GtkComboBox* dropDown, gpointer self) {
  const gint chosen = gtk_combo_box_get_active(dropDown);
  if (chosen >= 0) static_cast<Impl*>(self)->ChooseLanguage(chosen + 1);
}

void TMainForm::Impl::OnStart(GtkButton*, gpointer self) {
  Impl* impl = static_cast<Impl*>(self);
  impl->Started = true;
  impl->Finish();
}

void TMainForm::Impl::OnUpdate(GtkButton*, gpointer self) {
  static_cast<Impl*>(self)->Open(kProductWebAddress);
}

void TMainForm::Impl::OnMaximized(GtkToggleButton*, gpointer self) {
  Impl* impl = static_cast<Impl*>(self);
  impl->Maximized = !impl->Maximized;
}

bool InitLauncherToolkit() {
  return gtk_init_check(nullptr, nullptr);
}

TMainForm::TMainForm(GameOptions& options, std::filesystem::path configFile)
    : impl_(std::make_unique<Impl>(options, std::move(configFile))) {
  impl_->Form = this;
  impl_->Ask = [this](const LauncherTexts& texts) {
    return AskQuitInMessageBox(GTK_WINDOW(impl_->Window), texts);
  };
  impl_->Build();
  LoadOptions(impl_->Options, impl_->ConfigFile);
  ApplyLanguage();
}

TMainForm::~TMainForm() {
  gtk_widget_destroy(impl_->Window);
  if (impl_->Picture) cairo_surface_destroy(impl_->Picture);
  while (gtk_events_pending()) gtk_main_iteration();
}

void TMainForm::Show() {
  if (impl_->Closed) return;
  gtk_widget_show_all(impl_->Window);
  gtk_window_present(GTK_WINDOW(impl_->Window));
}

// A termination request closes the launcher without starting the game, with no question asked.
void TMainForm::ShowModal() {
  if (QuitAsked()) impl_->Finish();
  Show();
  if (!impl_->Closed) {
    impl_->Loop = g_main_loop_new(nullptr, FALSE);
    impl_->QuitWatch = AddQuitWatch(
        [](gpointer self) {
          auto* impl = static_cast<Impl*>(self);
          impl->QuitWatch = 0;
          if (!impl->Closed) impl->Finish();
          return G_SOURCE_REMOVE;
        },
        impl_.get());
    g_main_loop_run(impl_->Loop);
    if (impl_->QuitWatch != 0) g_source_remove(impl_->QuitWatch);
    impl_->QuitWatch = 0;
    g_main_loop_unref(impl_->Loop);
    impl_->Loop = nullptr;
  }
  // Let the window vanish from the screen before the caller moves on.
  while (gtk_events_pending()) gtk_main_iteration();
}

void TMainForm::ApplyLanguage() {
  const LauncherTexts& texts = LauncherTextsFor(impl_->Options.Lang);
  const std::string caption(texts.Caption);
  gtk_window_set_title(GTK_WINDOW(impl_->Window), caption.c_str());
  gtk_header_bar_set_title(GTK_HEADER_BAR(impl_->Header), caption.c_str());
  const auto setLabel = [this](LauncherControl control, std::string_view text) {
    gtk_button_set_label(GTK_BUTTON(impl_->Control(control)), std::string(text).c_str());
  };
  setLabel(LauncherControl::lcStart, texts.StartGame);
  setLabel(LauncherControl::lcUpdate, texts.CheckForUpdate);
  setLabel(LauncherControl::lcFullScreen, texts.FullScreen);
  setLabel(LauncherControl::lcMaximized, texts.Maximized);
  setLabel(LauncherControl::lcAntialias, texts.Antialias);
  // The drop-down shows the language in use.
  gtk_combo_box_set_active(GTK_COMBO_BOX(impl_->Control(LauncherControl::lcLanguage)),
                           static_cast<gint>(LanguageIndex(impl_->Options.Lang)));
  impl_->ShowNotice();
}

void TMainForm::SetGameFileRefusal(std::optional<GameFileRefusal> refusal) {
  impl_->Refusal = std::move(refusal);
  impl_->ShowNotice();
}

std::string TMainForm::NoticeText() const {
  if (!gtk_widget_get_visible(impl_->Notice)) return {};
  const char* text = gtk_label_get_text(GTK_LABEL(impl_->Notice));
  return text ? text : "";
}

LauncherChoices TMainForm::Choices() const {
  const auto checked = [this](LauncherControl control) {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(impl_->Control(control))) != FALSE;
  };
  return {impl_->Started, checked(LauncherControl::lcFullScreen), impl_->Maximized,
          checked(LauncherControl::lcAntialias)};
}

void TMainForm::Click(LauncherControl control) {
  if (control == LauncherControl::lcLink) {
    impl_->Open(kProductWebAddress);
    return;
  }
  if (control == LauncherControl::lcLanguage) {
    gtk_combo_box_popup(GTK_COMBO_BOX(impl_->Control(control)));
    return;
  }
  gtk_button_clicked(GTK_BUTTON(impl_->Control(control)));
}

void TMainForm::ChooseLanguage(std::int32_t lang) {
  if (lang < 1 || lang > kLanguageCount) return;
  gtk_combo_box_set_active(GTK_COMBO_BOX(impl_->Control(LauncherControl::lcLanguage)), lang - 1);
}

bool TMainForm::RequestClose() {
  if (impl_->Closed) return true;
  if (!impl_->Started) {
    if (!impl_->Ask(LauncherTextsFor(impl_->Options.Lang))) return false;
  }
  impl_->Finish();
  return true;
}

bool TMainForm::Closed() const {
  return impl_->Closed;
}

std::string TMainForm::Caption() const {
  const char* title = gtk_window_get_title(GTK_WINDOW(impl_->Window));
  return title ? title : "";
}

std::string TMainForm::ControlText(LauncherControl control) const {
  if (control == LauncherControl::lcLanguage) {
    gchar* chosen = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(impl_->Control(control)));
    const std::string text = chosen ? chosen : "";
    g_free(chosen);
    return text;
  }
  const char* text = control == LauncherControl::lcLink
                         ? gtk_label_get_text(GTK_LABEL(impl_->LinkLabel))
                         : gtk_button_get_label(GTK_BUTTON(impl_->Control(control)));
  return text ? text : "";
}

ControlBounds TMainForm::Bounds(LauncherControl control) const {
  GtkWidget* widget = impl_->Control(control);
  int x = 0, y = 0;
  gtk_widget_translate_coordinates(widget, impl_->Panel, 0, 0, &x, &y);
  return {x, y, gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget)};
}

// The toolkit's own natural width, which its size request raises to at least the stored width.
int TMainForm::NaturalWidth(LauncherControl control) const {
  int minimum = 0, natural = 0;
  gtk_widget_get_preferred_width(impl_->Control(control), &minimum, &natural);
  return natural;
}

int TMainForm::TitleBarNaturalWidth() const {
  int minimum = 0, natural = 0;
  gtk_widget_get_preferred_width(impl_->Header, &minimum, &natural);
  return natural;
}

ControlBounds TMainForm::ClientBounds() const {
  return {0, 0, gtk_widget_get_allocated_width(impl_->Client),
          gtk_widget_get_allocated_height(impl_->Client)};
}

ControlBounds TMainForm::PanelBounds() const {
  int x = 0, y = 0;
  gtk_widget_translate_coordinates(impl_->Panel, impl_->Client, 0, 0, &x, &y);
  return {x, y, gtk_widget_get_allocated_width(impl_->Panel), gtk_widget_get_allocated_height(impl_->Panel)};
}

bool TMainForm::ShowsHandCursor(LauncherControl control) const {
  GdkWindow* input = InputWindow(impl_->Control(control));
  GdkCursor* cursor = input ? gdk_window_get_cursor(input) : nullptr;
  return cursor && gdk_cursor_get_cursor_type(cursor) == GDK_HAND2;
}

void TMainForm::SetQuitAsker(QuitAsker asker) {
  impl_->Ask = std::move(asker);
}

void TMainForm::SetAddressOpener(AddressOpener opener) {
  impl_->Open = std::move(opener);
}

LauncherChoices RunLauncher(GameOptions& options, const std::filesystem::path& configFile,
                            const std::optional<GameFileRefusal>& refusal) {
  if (!InitLauncherToolkit()) return {};
  TMainForm form(options, configFile);
  form.SetGameFileRefusal(refusal);
  form.ShowModal();
  return form.Choices();
}

LauncherChoices RunLauncher(GameOptions& options) {
  return RunLauncher(options, ConfigFilePath());
}

}  // namespace zelmar
