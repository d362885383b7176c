// The launcher window: language, display choices and the way into the game.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "launcher/GameFileRefusal.h"
#include "launcher/GameOptions.h"
#include "launcher/LauncherTexts.h"

namespace zelmar {

// What the game window reads from the launcher once it has closed.
struct LauncherChoices {
  bool Started = false;     // "Start Game" was pressed (otherwise the player chose to quit)
  bool FullScreen = false;  // state of the " Full Screen " box
  bool Maximized = false;   // state of the " Maximized " box (each click toggles it)
  bool Antialias = true;    // state of the " Antialias " box
};

// The controls on the launcher's panel.
enum class LauncherControl {
  lcLanguage,  // the drop-down of the interface languages, each by its own name
  lcStart,
  lcUpdate,
  lcLink,
  lcFullScreen,
  lcMaximized,
  lcAntialias
};

// A control's place on the panel and its size, in pixels.
struct ControlBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const ControlBounds&) const = default;
};

// Asks the quit question of `texts` in a Yes/No box titled with their caption; true for "Yes".
using QuitAsker = std::function<bool(const LauncherTexts& texts)>;
// Opens a web address in the default browser; failures are ignored.
using AddressOpener = std::function<void(std::string_view address)>;

// Opens the toolkit's connection to the display. Returns false when there is no display.
bool InitLauncherToolkit();

// Termination requests (SIGTERM, SIGINT) reach the launcher's and the message boxes' loops through a
// descriptor that becomes readable once one came (framework/platform/QuitSignals.h): the launcher then
// closes without starting the game, a box is answered. -1 watches nothing.
void WatchForQuit(int fd);

// The launcher window. Creating it loads the settings from `configFile` into `options` and applies
// their language; its language drop-down changes `options` and saves them to the same file.
class TMainForm {
 public:
  TMainForm(GameOptions& options, std::filesystem::path configFile);
  ~TMainForm();
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Shows the window centred on the desktop without waiting.
  void Show();
  // Shows the window and returns when the player has started the game or chosen to quit.
  void ShowModal();
  // Sets every language text of the window for the current "Lang".
  void ApplyLanguage();
  // The player's choices so far.
  LauncherChoices Choices() const;

  // Acts as a click on a control would (the drop-down only opens its list).
  void Click(LauncherControl control);
  // Acts as choosing "Lang" value `lang` (1..kLanguageCount) in the language drop-down would.
  void ChooseLanguage(std::int32_t lang);
  // Acts as the close box would: asks the quit question unless the game was started. Returns
  // whether the launcher closed.
  bool RequestClose();
  // Whether the launcher has closed (started or quit).
  bool Closed() const;

  // The window caption and a control's text, as shown.
  std::string Caption() const;
  std::string ControlText(LauncherControl control) const;
  // Where a shown control sits on the panel, and the size of the client area and the panel.
  ControlBounds Bounds(LauncherControl control) const;
  ControlBounds ClientBounds() const;
  ControlBounds PanelBounds() const;
  // How wide the toolkit would make a control, or the title bar, to show its text whole: more than its
  // stored width (the window's width) means the text does not fit the place it is given.
  int NaturalWidth(LauncherControl control) const;
  int TitleBarNaturalWidth() const;
  // Whether the mouse pointer turns into a hand over a shown control.
  bool ShowsHandCursor(LauncherControl control) const;

  // Shows on the panel, below the check boxes and in the current language, why the game file given on the
  // command line is not opened; nothing hides the line.
  void SetGameFileRefusal(std::optional<GameFileRefusal> refusal);
  // The line as shown (empty without a refusal).
  std::string NoticeText() const;

  // Replace the message box and the browser call (the defaults use the desktop's).
  void SetQuitAsker(QuitAsker asker);
  void SetAddressOpener(AddressOpener opener);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Runs the whole launcher on the settings file `configFile`: opens the display, shows the window
// modally (with the refusal of a game file, when there is one) and returns the choices. Without a display
// nothing is started.
LauncherChoices RunLauncher(GameOptions& options, const std::filesystem::path& configFile,
                            const std::optional<GameFileRefusal>& refusal = std::nullopt);
// The same on the running program's settings file (ConfigFilePath()).
LauncherChoices RunLauncher(GameOptions& options);

}  // namespace zelmar
