#include "launcher/MainForm.h"

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launcher/Languages.h"
#include "launcher/LauncherLayout.h"
#include "launcher/LauncherTexts.h"
#include "launcher/TempDir.h"

namespace zelmar {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// Every test here needs the display; without one it fails rather than passing unseen.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InitLauncherToolkit()) << "no display to show the launcher on"; }

  // Lets the toolkit lay out and draw what is pending.
  static void Settle() {
    for (int i = 0; i < 50 && gtk_events_pending(); ++i) gtk_main_iteration();
  }

  TempDir dir_;
  std::filesystem::path file_ = dir_.File("config.ini");
  GameOptions options_;
};

void ExpectTexts(const TMainForm& form, std::int32_t lang) {
  const LauncherTexts& t = LauncherTextsFor(lang);
  EXPECT_EQ(form.Caption(), t.Caption);
  EXPECT_EQ(form.ControlText(LauncherControl::lcStart), t.StartGame);
  EXPECT_EQ(form.ControlText(LauncherControl::lcUpdate), t.CheckForUpdate);
  EXPECT_EQ(form.ControlText(LauncherControl::lcFullScreen), t.FullScreen);
  EXPECT_EQ(form.ControlText(LauncherControl::lcMaximized), t.Maximized);
  EXPECT_EQ(form.ControlText(LauncherControl::lcAntialias), t.Antialias);
  EXPECT_EQ(form.ControlText(LauncherControl::lcLanguage), kLanguages[LanguageIndex(lang)].Name);
  EXPECT_EQ(form.ControlText(LauncherControl::lcLink), kProductWebAddress);
}

TEST_F(MainFormTest, ControlsSitAtTheirStoredPlacesInEveryLanguage) {
  TMainForm form(options_, file_);
  for (std::int32_t lang = 1; lang <= kLanguageCount; ++lang) {
    options_.Lang = lang;
    form.ApplyLanguage();
    form.Show();
    Settle();
    EXPECT_EQ(form.ClientBounds(), (ControlBounds{0, 0, kClientWidth, kClientHeight}));
    EXPECT_EQ(form.PanelBounds(), kPanelBounds);
    for (const LauncherControl control : kAllControls) {
      EXPECT_EQ(form.Bounds(control), StoredBounds(control))
          << "control " << static_cast<int>(control) << " in language " << lang;
      EXPECT_TRUE(form.ShowsHandCursor(control)) << "control " << static_cast<int>(control);
    }
  }
}

// Measured by the toolkit at the launcher's own sizes: in every language each control's text, and the
// caption in the title bar, fits the place the layout gives it, so none is cut or pushes its neighbours.
TEST_F(MainFormTest, EveryTextFitsItsPlaceInEveryLanguage) {
  TMainForm form(options_, file_);
  form.Show();
  for (std::int32_t lang = kFirstLanguage; lang < kFirstLanguage + kLanguageCount; ++lang) {
    options_.Lang = lang;
    form.ApplyLanguage();
    Settle();
    for (const LauncherControl control : kAllControls)
      EXPECT_LE(form.NaturalWidth(control), StoredBounds(control).Width)
          << "\"" << form.ControlText(control) << "\" in language " << lang;
    EXPECT_LE(form.TitleBarNaturalWidth(), kClientWidth)
        << "\"" << form.Caption() << "\" in language " << lang;
  }
  // The measure is real: a text far too long for its place is caught.
  GtkWidget* probe = gtk_button_new_with_label("Start the game now, and this text is far too long for it");
  gtk_widget_show(probe);  // the toolkit gives a hidden widget no width
  int minimum = 0, natural = 0;
  gtk_widget_get_preferred_width(probe, &minimum, &natural);
  EXPECT_GT(natural, StoredBounds(LauncherControl::lcStart).Width);
  g_object_ref_sink(probe);
  g_object_unref(probe);
}

TEST_F(MainFormTest, StartsInTheFileLanguageAndSwitchesAndSaves) {
  WriteFile(file_, "[Options]\nlang=2\nDepth=6\n[Other]\nKeep=yes\n");
  TMainForm form(options_, file_);
  EXPECT_EQ(options_.Depth, 6);
  ExpectTexts(form, 2);

  form.ChooseLanguage(1);
  ExpectTexts(form, 1);
  EXPECT_EQ(ReadFile(file_),
            "[Options]\nLang=1\nDepth=6\nArmy=1\nMode=2\nBackground=1\nClassic=2\nBoard=2\nMusic=1\n"
            "Sound=1\nInversion=2\nPriority=1\nMarks=1\n[Other]\nKeep=yes\n");
  // Every language of the drop-down shows its texts and is saved at once.
  for (std::int32_t lang = kLanguageCount; lang >= 2; --lang) {
    form.ChooseLanguage(lang);
    ExpectTexts(form, lang);
    GameOptions saved;
    LoadOptions(saved, file_);
    EXPECT_EQ(saved.Lang, lang);
  }
}

TEST_F(MainFormTest, WithoutAFileItIsEnglishAndRussianWritesTheDefaults) {
  TMainForm form(options_, file_);
  ExpectTexts(form, 1);
  EXPECT_FALSE(std::filesystem::exists(file_));  // nothing is written just by opening
  form.ChooseLanguage(2);
  EXPECT_EQ(ReadFile(file_),
            "[Options]\nArmy=1\nMode=2\nDepth=3\nBackground=1\nClassic=2\nBoard=2\nMusic=1\nSound=1\n"
            "Inversion=2\nPriority=1\nLang=2\nMarks=1\n");
}

TEST_F(MainFormTest, CheckBoxesAndChoices) {
  TMainForm form(options_, file_);
  LauncherChoices c = form.Choices();
  EXPECT_FALSE(c.Started);
  EXPECT_FALSE(c.FullScreen);
  EXPECT_FALSE(c.Maximized);
  EXPECT_TRUE(c.Antialias);
  form.Click(LauncherControl::lcFullScreen);
  form.Click(LauncherControl::lcMaximized);
  form.Click(LauncherControl::lcAntialias);
  c = form.Choices();
  EXPECT_TRUE(c.FullScreen);
  EXPECT_TRUE(c.Maximized);
  EXPECT_FALSE(c.Antialias);
  form.Click(LauncherControl::lcMaximized);
  EXPECT_FALSE(form.Choices().Maximized);
}

TEST_F(MainFormTest, AGameFileRefusalIsShownInTheCurrentLanguageAndTheGameCanStillStart) {
  TMainForm form(options_, file_);
  EXPECT_EQ(form.NoticeText(), "");
  const GameFileRefusal refusal{dir_.File("lost.pgn"), GameFileProblem::gpMissing, {}, 0};
  form.SetGameFileRefusal(refusal);
  form.Show();
  Settle();
  EXPECT_EQ(form.NoticeText(), RefusalText(refusal, 1));
  form.ChooseLanguage(2);
  EXPECT_EQ(form.NoticeText(), RefusalText(refusal, 2));
  // The line leaves every control where it was.
  for (const LauncherControl control : kAllControls) EXPECT_EQ(form.Bounds(control), StoredBounds(control));
  EXPECT_EQ(form.PanelBounds(), kPanelBounds);
  form.Click(LauncherControl::lcStart);
  EXPECT_TRUE(form.Closed());
  EXPECT_TRUE(form.Choices().Started);
  form.SetGameFileRefusal(std::nullopt);
  EXPECT_EQ(form.NoticeText(), "");
}

TEST_F(MainFormTest, LinkAndUpdateOpenTheWebPageAndStayOpen) {
  TMainForm form(options_, file_);
  std::vector<std::string> opened;
  form.SetAddressOpener([&](std::string_view address) { opened.emplace_back(address); });
  form.Click(LauncherControl::lcLink);
  form.Click(LauncherControl::lcUpdate);
  EXPECT_EQ(opened,
            (std::vector<std::string>{std::string(kProductWebAddress), std::string(kProductWebAddress)}));
  EXPECT_FALSE(form.Closed());
}

TEST_F(MainFormTest, ClosingAsksTheQuestionInTheCurrentLanguage) {
  WriteFile(file_, "[Options]\nLang=2\n");
  TMainForm form(options_, file_);
  std::string title, question;
  bool answer = false;
  int asked = 0;
  form.SetQuitAsker([&](const LauncherTexts& texts) {
    title = texts.Caption;
    question = texts.QuitQuestion;
    ++asked;
    return answer;
  });
  EXPECT_FALSE(form.RequestClose());  // "No" keeps the launcher
  EXPECT_FALSE(form.Closed());
  EXPECT_EQ(title, LauncherTextsFor(2).Caption);
  EXPECT_EQ(question, LauncherTextsFor(2).QuitQuestion);
  answer = true;
  EXPECT_TRUE(form.RequestClose());  // "Yes" ends it without starting
  EXPECT_TRUE(form.Closed());
  EXPECT_FALSE(form.Choices().Started);
  EXPECT_EQ(asked, 2);
}

// Returns the launcher's top-level window.
GtkWindow* LauncherWindow() {
  GList* windows = gtk_window_list_toplevels();
  GtkWindow* found = nullptr;
  for (GList* item = windows; item; item = item->next) {
    if (g_strcmp0(gtk_widget_get_name(GTK_WIDGET(item->data)), "zelmar-launcher") == 0) {
      found = GTK_WINDOW(item->data);
    }
  }
  g_list_free(windows);
  return found;
}

// Sends a key press to a window the way the display would deliver it.
void PressKey(GtkWindow* window, guint keyval) {
  GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
  event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(window))));
  event->key.send_event = TRUE;
  event->key.keyval = keyval;
  GdkKeymapKey* keys = nullptr;
  gint count = 0;
  GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_display_get_default());
  if (gdk_keymap_get_entries_for_keyval(keymap, keyval, &keys, &count) && count > 0) {
    event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
  }
  g_free(keys);
  event->key.time = GDK_CURRENT_TIME;
  gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
  gtk_widget_event(GTK_WIDGET(window), event);
  gdk_event_free(event);
}

TEST_F(MainFormTest, EscapeAsksAndEnterStarts) {
  TMainForm form(options_, file_);
  int asked = 0;
  form.SetQuitAsker([&](const LauncherTexts&) { return ++asked, false; });
  form.Show();
  Settle();
  GtkWindow* window = LauncherWindow();
  ASSERT_NE(window, nullptr);
  GtkWidget* focus = gtk_window_get_focus(window);
  ASSERT_TRUE(focus && GTK_IS_BUTTON(focus));
  EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(focus)), "Start Game");
  PressKey(window, GDK_KEY_Escape);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(form.Closed());
  PressKey(window, GDK_KEY_Return);
  // A button pressed from the keyboard shows itself pressed for a moment before it acts.
  const gint64 until = g_get_monotonic_time() + 30 * G_USEC_PER_SEC;  // only a hang runs out
  while (!form.Closed() && g_get_monotonic_time() < until) {
    if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(2000);
  }
  EXPECT_TRUE(form.Closed());
  EXPECT_TRUE(form.Choices().Started);
}

TEST_F(MainFormTest, StartGameClosesWithoutAQuestion) {
  TMainForm form(options_, file_);
  bool asked = false;
  form.SetQuitAsker([&](const LauncherTexts&) { return asked = true; });
  // Press "Start Game" from inside the modal loop, as the player would.
  g_idle_add(
      [](gpointer data) -> gboolean {
        static_cast<TMainForm*>(data)->Click(LauncherControl::lcStart);
        return G_SOURCE_REMOVE;
      },
      &form);
  form.ShowModal();
  EXPECT_TRUE(form.Closed());
  EXPECT_TRUE(form.Choices().Started);
  EXPECT_TRUE(form.RequestClose());
  EXPECT_FALSE(asked);
}

}  // namespace
}  // namespace zelmar
