#include "SceneMonkey.h"

#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

#include "MonkeyChecks.h"
#include "audio/platform/AudioOutput.h"
#include "engine/ChessBrd.h"
#include "engine/ChessThread.h"
#include "engine/SearchLevel.h"
#include "framework/Application.h"
#include "framework/platform/TestDrawing.h"
#include "framework/platform/TestPlatform.h"
#include "launcher/GameStore.h"
#include "scene/FrameRecord.h"
#include "scene/FrameView.h"
#include "scene/MenuTable.h"
#include "scene/SceneForm.h"
#include "scene/SceneGeometry.h"
#include "scene/SceneKeys.h"

namespace zelmar::scene::monkey {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTickMilliseconds = 1000.0 / 60;
// A worker that neither posts its move nor parks within this real time is hung.
constexpr auto kWorkerDeadline = std::chrono::seconds(120);
constexpr std::size_t kActionsKept = 50;
// The audio output's frames mixed per tick (44.1 kHz).
constexpr int kFramesPerTick = 735;

// The 1-based item of the options list that steps a setting, or that runs an action; 0 when none does.
int OptionItem(std::int32_t GameOptions::*setting) {
  const auto items = MenuOf(TMenuKind::OptionsMenu, false).Items;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].Setting == setting) return static_cast<int>(i) + 1;
  return 0;
}
int OptionItem(TMenuAction action) {
  const auto items = MenuOf(TMenuKind::OptionsMenu, false).Items;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].Action == action) return static_cast<int>(i) + 1;
  return 0;
}
// The level's item (never stepped above the run's highest level) and "Back to Menu", from the options
// list itself, so that an item added to it is stepped too.
const int kOptionLevel = OptionItem(&GameOptions::Depth), kOptionBack = OptionItem(TMenuAction::SaveOptions);

// The seeded choices; the same seed gives the same sequence on every run.
class TDice {
 public:
  explicit TDice(std::uint64_t seed) : engine_(seed) {}
  // 0 .. n - 1.
  int Below(int n) { return n <= 1 ? 0 : static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool Chance(int percent) { return Below(100) < percent; }

 private:
  std::mt19937_64 engine_;
};

// One input the player gives before a pass of the loop.
struct TStep {
  enum TKind { Point, Move, Press, Release, Click, KeyDown, KeyUp, Idle, CloseBox, Restart } Kind = Idle;
  int X = 0, Y = 0;  // Point, Click: a logical point; Move: the motion
  int Key = 0;       // KeyDown, KeyUp; Restart: 1 when the window is killed rather than closed
  int Passes = 1;    // Idle
  std::string Label;
};

// A point the player aims at.
struct TItemPoint {
  int X, Y;
};
// A menu item's middle, taken from the box the menu's hit test uses.
TItemPoint MenuItemPoint(const TMenu& menu, int item) {
  const TItemBox box = ItemBox(menu, item);
  return {(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
}
// Tool button 1..9 and promotion choice 2..5, aimed at their middles.
TItemPoint ToolButtonPoint(int button) {
  return {32 + 50 * (button - 1), 31};
}
TItemPoint PromotionPoint(int choice) {
  return {675, 326 + 100 * (choice - 2)};
}

// The keys the player presses: Escape, 1-5, the four arrows, H, and a few the game does not use.
constexpr std::array<int, 14> kKeys{kKeyEscape, kKey1,    kKey2,     kKey3, kKey4,     kKey5,     kKeyUp,
                                    kKeyDown,   kKeyLeft, kKeyRight, kKeyH, kKeyEnter, kKeySpace, kKeyF11};

// The loop, the window and what the player watches, for one game window.
struct TWorld {
  platform::TestPlatform Platform;
  TApplication Application{Platform};
  std::unique_ptr<TSceneForm> Form;
  std::unique_ptr<TMonkeyChecks> Checks;
  bool CloseAsked = false;
  bool Closing = false;  // the window is being let go
};

class TMonkey {
 public:
  explicit TMonkey(const TMonkeyOptions& options);
  ~TMonkey();
  TMonkeyResult Run();

 private:
  bool Done() const;
  void OpenForm();
  void CloseForm();
  void RestartForm(bool killed);
  void Pass();
  void LoopHook();
  void WaitForWorker();
  void Tick(TGfxTimer* sender);
  void Fail(const std::string& fault);
  void Record(const std::string& label);

  // The player's choices.
  void Act();
  void Choose();
  void ChooseOnGameScreen();
  void ClickAt(int x, int y, const std::string& label);
  void ClickMenuItem(int item);
  void ClickMenuItem(TMenuKind kind, const TMenu& menu, int item);
  void PressKey(int key, int passes);
  void Idle(int passes);
  std::optional<TItemPoint> SquarePoint(int square);

  TMonkeyOptions options_;
  TDice dice_;
  TMonkeyResult result_;
  // The hint as the last tick left it (it arrives between ticks, with the worker's calls).
  bool hintAsked_ = false, hintShown_ = false;
  std::unique_ptr<TWorld> world_;
  std::shared_ptr<audio::ManualAudioOutput> output_ = std::make_shared<audio::ManualAudioOutput>();
  TFrameRecord painter_;
  std::filesystem::path scratch_;
  std::filesystem::path games_;  // the games folder every window of the run keeps its games in
  std::deque<TStep> steps_;
  std::deque<std::string> recent_;
  int idlePasses_ = 0;
  int holdPasses_ = -1;  // passes a posted worker call is still held back; -1 = none drawn
  bool letThrough_ = false;
  Clock::time_point start_;
  bool tenthTaken_ = false;
  // Square middles by view: classic or perspective, size, turned, background.
  std::map<std::tuple<bool, int, int, int>, std::array<std::optional<TItemPoint>, 65>> squarePoints_;
};

TMonkey::TMonkey(const TMonkeyOptions& options) : options_(options), dice_(options.Seed) {
  scratch_ = std::filesystem::temp_directory_path() /
             ("zelmar-monkey-" + std::to_string(::getpid()) + "-" + std::to_string(options.Seed));
  std::filesystem::create_directories(scratch_);
  games_ = scratch_ / "games";
}

TMonkey::~TMonkey() {
  world_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(scratch_, ignored);
}

bool TMonkey::Done() const {
  if (!result_.Passed) return true;
  if (options_.Ticks > 0) return result_.Counts.Ticks >= options_.Ticks;
  return Clock::now() - start_ >= std::chrono::duration<double>(options_.Seconds);
}

// A fresh window, as the launcher would open it with seeded settings at a level the run allows.
void TMonkey::OpenForm() {
  world_ = std::make_unique<TWorld>();
  GameOptions settings;
  settings.Army = dice_.Between(1, 2);
  settings.Mode = dice_.Between(1, 2);
  settings.Depth = dice_.Between(1, options_.Depth);
  settings.Background = dice_.Between(1, 2);
  settings.Classic = dice_.Between(1, 3);
  settings.Board = dice_.Between(2, 3);
  settings.Music = dice_.Between(1, 2);
  settings.Sound = dice_.Between(1, 2);
  settings.Inversion = dice_.Between(1, 2);
  settings.Lang = dice_.Between(1, 2);
  settings.Marks = dice_.Between(1, 3);
  const LauncherChoices choices{true, false, dice_.Chance(20), dice_.Chance(50)};
  TSceneSetup setup;
  setup.Launcher = [settings, choices](GameOptions& options) {
    options = settings;
    return choices;
  };
  setup.DataFolder = options_.DataFolder;
  setup.ConfigFile = scratch_ / "config.ini";
  setup.GamesFolder = games_;
  setup.AudioOutput = output_;
  world_->Form = std::make_unique<TSceneForm>(world_->Application, world_->Platform, std::move(setup));
  TSceneForm& form = *world_->Form;
  if (!form.Running()) {
    Fail("the game window did not reach the title screen (is the content in " + options_.DataFolder.string() +
         "?)");
    return;
  }
  ++result_.Counts.Forms;
  if (auto* drawing = dynamic_cast<platform::TestDrawing*>(&form.Device.ApiDevice()->Drawing())) {
    drawing->LogCalls = false;
    drawing->KeepVertices = false;
  }
  form.Timer.OnProcess = [this](TGfxTimer* sender) { Tick(sender); };
  if (options_.RecordingPainter) {
    form.Device.OnRender = [this, &form](TGfxDevice*) {
      painter_.Clear();
      DrawFrame(form.State(), painter_, form.Device.Width(), form.Device.Height());
    };
  }
  // The loop's own pass, with the worker's calls let through when the seed says.
  world_->Application.SetSynchronizeHook([this] { LoopHook(); });
  // Every move the engine plays is watched after the flow has taken it.
  // A window being closed may still be handed a posted move (its engine parks the worker on the way out):
  // nothing is watched then.
  TWorld* world = world_.get();
  TGameFlow* flow = &form.Flow();
  TMoveEvent flowMove = form.ChessEngine.OnLegalMove;
  form.ChessEngine.OnLegalMove = [this, world, flow, flowMove](TChessBrd& sender, Square oldSq,
                                                               Square newSq) {
    if (world->Closing) {
      if (flowMove) flowMove(sender, oldSq, newSq);
      return;
    }
    const int stale = flow->Counts().StaleReplies;
    if (flowMove) flowMove(sender, oldSq, newSq);
    if (flow->Counts().StaleReplies == stale) ++result_.Counts.Moves;
    const std::string fault = world->Checks->MovePlayed(Ord(oldSq), Ord(newSq), letThrough_);
    if (!fault.empty()) Fail(fault);
  };
  TPromotionEvent flowPromotion = form.ChessEngine.OnPromotion;
  form.ChessEngine.OnPromotion = [this, world, flowPromotion](TChessBrd& sender, Square oldSq, Square newSq,
                                                              char& piece) {
    if (flowPromotion) flowPromotion(sender, oldSq, newSq, piece);
    if (!world->Closing) ++result_.Counts.Promotions;
  };
  world_->Checks = std::make_unique<TMonkeyChecks>(form);
  steps_.clear();
  holdPasses_ = -1;
}

// Adds what the window's flow counted, then lets it go (the engine parks its worker first).
void TMonkey::CloseForm() {
  if (!world_ || !world_->Form) return;
  const TFlowCounts& flow = world_->Form->Flow().Counts();
  TMonkeyCounts& counts = result_.Counts;
  counts.GamesStarted += flow.NewGames;
  counts.TakeBacks += flow.StepsBack;
  counts.Replays += flow.StepsForward;
  counts.StaleReplies += flow.StaleReplies;
  const TMonkeyChecks& checks = *world_->Checks;
  counts.Mates += checks.Mates;
  counts.StaleMates += checks.StaleMates;
  counts.NoMaterial += checks.NoMaterial;
  counts.Threefold += checks.Threefold;
  counts.MenuVisits += checks.MenuVisits;
  counts.KeptWrites += checks.KeptWrites;
  world_->Application.SetSynchronizeHook(nullptr);
  world_->Closing = true;
  world_->Form.reset();
  world_.reset();
}

// The program ended and started again on the same games folder: closed, the window keeps its game on the
// way out; killed, only what was on disk before the end survives.
void TMonkey::RestartForm(bool killed) {
  const std::filesystem::path file = games_ / kCurrentGameFileName;
  std::optional<std::string> before;
  world_->Form->Keeper().Flush();  // killed once the last write is on the disk, so a seed replays exactly
  if (killed && std::filesystem::exists(file)) {
    std::ifstream in(file, std::ios::binary);
    before.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  CloseForm();
  if (killed) {
    std::error_code ignored;
    if (before) {
      std::ofstream(file, std::ios::binary | std::ios::trunc) << *before;
    } else {
      std::filesystem::remove(file, ignored);
    }
    ++result_.Counts.Kills;
  }
  ++result_.Counts.Restarts;
  OpenForm();
}

// The loop's own pass: the worker's posted call waits as many passes as the seed says, then runs; the
// game clock is checked around its poll.
void TMonkey::LoopHook() {
  TSceneForm& form = *world_->Form;
  if (form.ComputerPlayer->CallPending()) {
    if (holdPasses_ < 0) {
      const int kind = dice_.Below(10);
      holdPasses_ = kind < 5 ? 0 : kind < 8 ? dice_.Between(1, 10) : dice_.Between(11, 90);
    }
    if (holdPasses_ > 0) {
      --holdPasses_;
    } else {
      holdPasses_ = -1;
      letThrough_ = true;
      form.ChessEngine.RunPendingCalls();
      letThrough_ = false;
      ++result_.Counts.LetThrough;
    }
  }
  world_->Checks->BeforeClock();
  form.Timer1.Poll();
  if (const std::string fault = world_->Checks->AfterClock(); !fault.empty()) Fail(fault);
  form.EnginePoll.Poll();
}

// Waits until the worker has either posted its call or parked, so that no pass ever depends on how far
// its search has come; only a hung worker runs out the deadline.
void TMonkey::WaitForWorker() {
  TSceneForm& form = *world_->Form;
  TChessThread& worker = *form.ComputerPlayer;
  const auto end = Clock::now() + kWorkerDeadline;
  while (!worker.Parked() && !worker.CallPending()) {
    if (Clock::now() > end) {
      Fail("the computer player neither answered nor parked");
      return;
    }
    form.ChessEngine.WaitForWorkerCalls(std::chrono::milliseconds(10));
  }
}

// One logic tick of the window, then the invariants.
void TMonkey::Tick(TGfxTimer* sender) {
  TSceneForm& form = *world_->Form;
  const bool onGameScreen = form.State().SceneMode == TSceneMode::GameScreen;
  const bool continueOffered = form.State().ContinueOffered && !onGameScreen;
  const int games = form.Flow().Counts().NewGames;
  form.TimerProcess(sender);
  const bool hintAsked = form.State().HintAsked, hintShown = form.State().HintFrom != 0;
  if (!hintAsked_ && hintAsked) ++result_.Counts.HintsAsked;
  if (!hintShown_ && hintShown) ++result_.Counts.HintsShown;
  hintAsked_ = hintAsked;
  hintShown_ = hintShown;
  ++result_.Counts.Ticks;
  const bool newGame = form.Flow().Counts().NewGames != games;
  if (onGameScreen && newGame) ++result_.Counts.Rematches;
  if (continueOffered && !newGame && form.State().SceneMode == TSceneMode::GameScreen)
    ++result_.Counts.Continues;
  if (std::string fault = world_->Checks->AfterTick(); !fault.empty()) return Fail(fault);
  if (std::string fault = world_->Checks->KeptGameReadsBack(games_); !fault.empty()) return Fail(fault);
  if (std::string fault = world_->Checks->ContinueMatchesFile(games_); !fault.empty()) return Fail(fault);
  if (result_.Counts.Ticks % options_.CheckEvery == 0) {
    if (std::string fault = world_->Checks->BoardInStep(); !fault.empty()) return Fail(fault);
  }
}

void TMonkey::Fail(const std::string& fault) {
  if (!result_.Passed) return;
  result_.Passed = false;
  result_.FailureTick = result_.Counts.Ticks;
  std::string text = "seed " + std::to_string(options_.Seed) + ", tick " +
                     std::to_string(result_.Counts.Ticks) + ": " + fault + "\nlast actions:\n";
  for (const std::string& action : recent_) text += "  " + action + "\n";
  result_.Failure = text;
}

void TMonkey::Record(const std::string& label) {
  ++result_.Counts.Actions;
  recent_.push_back(std::to_string(result_.Counts.Ticks) + " " + label);
  if (recent_.size() > kActionsKept) recent_.pop_front();
}

// One pass: the player's input, the loop (a frame and the ticks due), the mixer pulled, the worker waited
// for; a window that ended is counted and replaced.
void TMonkey::Pass() {
  Act();
  world_->Platform.Time.Advance(kTickMilliseconds);
  const bool going = world_->Application.ProcessOnce();
  world_->Platform.Gfx.Log.clear();
  world_->Platform.Input.Log.clear();
  world_->Platform.Time.Sleeps.clear();
  output_->Pull(kFramesPerTick);
  if (!result_.Passed) return;
  if (going) {
    WaitForWorker();
    return;
  }
  if (world_->CloseAsked) {
    ++result_.Counts.Closes;
  } else if (world_->Form->State().MenuKind == TMenuKind::QuitConfirm) {
    ++result_.Counts.Quits;
  } else {
    Fail("the game window ended without being asked to");
    return;
  }
  CloseForm();
  OpenForm();
}

// The next input: an idle stretch runs on, a planned sequence continues, or a new one is chosen.
void TMonkey::Act() {
  if (idlePasses_ > 0) {
    --idlePasses_;
    return;
  }
  if (steps_.empty()) Choose();
  if (steps_.empty()) return;
  const TStep step = steps_.front();
  steps_.pop_front();
  if (!step.Label.empty()) Record(step.Label);
  if (step.Kind == TStep::Restart) return RestartForm(step.Key == 1);
  TSceneForm& form = *world_->Form;
  platform::TestInputState& input = world_->Platform.Input;
  const int originX = form.State().OriginX, originY = form.State().OriginY;
  switch (step.Kind) {
    case TStep::Point:
      input.PointAt(step.X + originX, step.Y + originY);
      break;
    case TStep::Move:
      input.Move(step.X, step.Y);
      break;
    case TStep::Press:
      input.Button(0, true);
      break;
    case TStep::Release:
      input.Button(0, false);
      break;
    case TStep::Click:
      input.PointAt(step.X + originX, step.Y + originY);
      input.Button(0, true);
      input.Button(0, false);
      break;
    case TStep::KeyDown:
      input.Keys[static_cast<std::size_t>(step.Key)] = 0x80;
      break;
    case TStep::KeyUp:
      input.Keys[static_cast<std::size_t>(step.Key)] = 0;
      break;
    case TStep::Idle:
      idlePasses_ = step.Passes - 1;
      break;
    case TStep::CloseBox:
      world_->Platform.CloseRequested = true;
      world_->CloseAsked = true;
      break;
    case TStep::Restart:
      break;
  }
}

// A click: most often pressed and released within one poll, else held for a few passes.
void TMonkey::ClickAt(int x, int y, const std::string& label) {
  const std::string where = label + " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  if (dice_.Chance(60)) {
    steps_.push_back({TStep::Click, x, y, 0, 1, "quick click " + where});
    return;
  }
  steps_.push_back({TStep::Point, x, y, 0, 1, "click " + where});
  steps_.push_back({TStep::Press, 0, 0, 0, 1, {}});
  for (int i = dice_.Below(4); i > 0; --i) steps_.push_back({TStep::Idle, 0, 0, 0, 1, {}});
  steps_.push_back({TStep::Release, 0, 0, 0, 1, {}});
}

// An item of the menu over the screen now.
void TMonkey::ClickMenuItem(int item) {
  const TSceneState& state = world_->Form->State();
  ClickMenuItem(state.MenuKind, ShownMenu(state), item);
}

// An item of `menu`, of kind `kind`; the level is never left above the run's highest: stepping it there
// goes round to 1.
void TMonkey::ClickMenuItem(TMenuKind kind, const TMenu& menu, int item) {
  const TSceneState& state = world_->Form->State();
  const TItemPoint point = MenuItemPoint(menu, item);
  const std::string label =
      "menu " + std::to_string(static_cast<int>(kind)) + " item " + std::to_string(item);
  int clicks = 1;
  if (kind == TMenuKind::OptionsMenu && item == kOptionLevel && state.Options.Depth >= options_.Depth)
    clicks = kHighestLevel - state.Options.Depth + 1;
  for (int i = 0; i < clicks; ++i) {
    ClickAt(point.X, point.Y, label);
    steps_.push_back({TStep::Idle, 0, 0, 0, 1, {}});
  }
}

void TMonkey::PressKey(int key, int passes) {
  steps_.push_back(
      {TStep::KeyDown, 0, 0, key, 1, "key " + std::to_string(key) + " for " + std::to_string(passes)});
  if (passes > 1) steps_.push_back({TStep::Idle, 0, 0, 0, passes - 1, {}});
  steps_.push_back({TStep::KeyUp, 0, 0, key, 1, {}});
}

void TMonkey::Idle(int passes) {
  steps_.push_back({TStep::Idle, 0, 0, 0, passes, "idle " + std::to_string(passes)});
}

// The middle of a square as the view in use shows it: the mean of the points the hit test gives it.
std::optional<TItemPoint> TMonkey::SquarePoint(int square) {
  const TSceneState& state = world_->Form->State();
  const bool classic = state.Options.Classic == 2 || state.Options.Classic == 3;
  const auto key = std::make_tuple(classic, classic ? state.BoardSizePercent : 0, state.Options.Inversion,
                                   state.Options.Background);
  auto found = squarePoints_.find(key);
  if (found == squarePoints_.end()) {
    constexpr int kGrid = 3;
    std::array<long, 65> sumX{}, sumY{}, count{};
    for (int y = 0; y <= kLogicalHeight; y += kGrid) {
      for (int x = 0; x <= kLogicalWidth; x += kGrid) {
        const int hit = HitSquare(state, x, y);
        if (hit < 1 || hit > 64) continue;
        sumX[hit] += x;
        sumY[hit] += y;
        ++count[hit];
      }
    }
    std::array<std::optional<TItemPoint>, 65> points{};
    for (int s = 1; s <= 64; ++s) {
      if (count[s] == 0) continue;
      const TItemPoint middle{static_cast<int>(sumX[s] / count[s]), static_cast<int>(sumY[s] / count[s])};
      if (HitSquare(state, middle.X, middle.Y) == s) points[s] = middle;
    }
    found = squarePoints_.emplace(key, points).first;
  }
  return found->second[static_cast<std::size_t>(square)];
}

// The player's next move on the game screen, weighted toward what a game needs.
void TMonkey::ChooseOnGameScreen() {
  TSceneForm& form = *world_->Form;
  const TSceneState& state = form.State();
  const TSceneBoard& board = state.Board;
  const int roll = dice_.Below(100);
  if (state.GameState == TGameState::ChoosePromotion && roll < 80) {
    const TItemPoint point = PromotionPoint(dice_.Between(2, 5));
    return ClickAt(point.X, point.Y, "promotion box");
  }
  if (state.GameState == TGameState::HumanToMove && roll < 75) {
    // A legal target of the selection, else one of the side to move's pieces, sometimes any square.
    std::vector<int> targets;
    if (state.SelectedSquare > 0 && dice_.Chance(80)) {
      for (int s = 1; s <= 64; ++s) {
        if (form.ChessEngine.IsLegalMove(static_cast<Square>(state.SelectedSquare), static_cast<Square>(s)))
          targets.push_back(s);
      }
    }
    std::string label = "legal target";
    if (targets.empty() && dice_.Chance(85)) {
      label = "own piece";
      for (int s = 1; s <= 64; ++s) {
        if (board.At(s) * board.SideToMove > 0) targets.push_back(s);
      }
    }
    if (targets.empty()) {
      label = "any square";
      targets.push_back(dice_.Between(1, 64));
    }
    const int square = targets[static_cast<std::size_t>(dice_.Below(static_cast<int>(targets.size())))];
    if (const auto point = SquarePoint(square))
      return ClickAt(point->X, point->Y, label + " " + std::to_string(square));
  }
  if (state.GameState == TGameState::ComputerThinking && roll < 60) return Idle(dice_.Between(1, 30));
  if (state.GameState == TGameState::GameOver && roll < 40) {
    if (dice_.Chance(50)) return PressKey(kKeyLeft, 1);
    // Escape opens the in-game window, whose item is clicked once it shows.
    PressKey(kKeyEscape, 1);
    return ClickMenuItem(TMenuKind::GameDialog, MenuOf(TMenuKind::GameDialog), dice_.Chance(80) ? 2 : 3);
  }
  if (roll < 97) {
    // The in-game window's button less often than the others, so that games reach their end.
    const int button = dice_.Chance(10) ? 9 : dice_.Between(1, 8);
    const TItemPoint point = ToolButtonPoint(button);
    return ClickAt(point.X, point.Y, "tool button " + std::to_string(button));
  }
  PressKey(kKeyEscape, 1);
}

// A new sequence of inputs for the screen and menu of the moment; now and then something off the path.
void TMonkey::Choose() {
  const TSceneState& state = world_->Form->State();
  const int roll = dice_.Below(1000);
  if (roll < 1 && dice_.Chance(30)) {
    steps_.push_back({TStep::CloseBox, 0, 0, 0, 1, "window close box"});
    return;
  }
  if (roll < 5 && dice_.Chance(50)) {
    const bool killed = dice_.Chance(50);
    steps_.push_back({TStep::Restart, 0, 0, killed ? 1 : 0, 1,
                      killed ? "program killed and started again" : "program closed and started again"});
    return;
  }
  if (roll < 60) {
    const int x = dice_.Between(-40, kLogicalWidth + 40), y = dice_.Between(-40, kLogicalHeight + 40);
    return ClickAt(x, y, "anywhere");
  }
  if (roll < 110)
    return PressKey(kKeys[static_cast<std::size_t>(dice_.Below(kKeys.size()))], dice_.Between(1, 20));
  if (roll < 150) {
    steps_.push_back(
        {TStep::Move, dice_.Between(-300, 300), dice_.Between(-300, 300), 0, 1, "pointer motion"});
    return;
  }
  if (roll < 200) {
    steps_.push_back({TStep::Point, dice_.Between(0, kLogicalWidth), dice_.Between(0, kLogicalHeight), 0, 1,
                      "pointer over"});
    return;
  }
  if (roll < 260) return Idle(dice_.Between(1, 240));
  switch (state.MenuKind) {
    case TMenuKind::MainMenu: {
      // "Game", "Help", "Options", "Quit"; with "Continue" first, it takes part of "Game"'s share.
      const int pick = dice_.Below(100);
      const int item = pick < 55 ? 1 : pick < 65 ? 2 : pick < 92 ? 3 : 4;
      if (!state.ContinueOffered) return ClickMenuItem(item);
      return ClickMenuItem(pick < 35 ? 1 : item + 1);
    }
    case TMenuKind::OptionsMenu:
      return ClickMenuItem(dice_.Chance(20) ? kOptionBack : dice_.Between(1, kOptionBack - 1));
    case TMenuKind::QuitConfirm:
      return ClickMenuItem(dice_.Chance(75) ? 1 : 2);
    case TMenuKind::HelpButtons:
      if (dice_.Chance(20)) return PressKey(kKeyEscape, 1);
      return ClickMenuItem(dice_.Between(1, 3));
    case TMenuKind::GameDialog: {
      const int pick = dice_.Below(100);
      return ClickMenuItem(pick < 80 ? 1 : pick < 92 ? 2 : 3);
    }
    case TMenuKind::NoMenu:
      return ChooseOnGameScreen();
  }
}

// Opens the first window, then runs passes until the ticks or the time are used up or a check fails.
TMonkeyResult TMonkey::Run() {
  start_ = Clock::now();
  OpenForm();
  result_.Memory.Start = ResidentKilobytes();
  while (!Done()) {
    Pass();
    if (!tenthTaken_) {
      const bool tenth = options_.Ticks > 0
                             ? result_.Counts.Ticks * 10 >= options_.Ticks
                             : Clock::now() - start_ >= std::chrono::duration<double>(options_.Seconds / 10);
      if (tenth) {
        result_.Memory.AtTenth = ResidentKilobytes();
        tenthTaken_ = true;
      }
    }
  }
  result_.Memory.End = ResidentKilobytes();
  CloseForm();
  return result_;
}

}  // namespace

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  if (!(statm >> size >> resident)) return 0;
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

TMonkeyResult RunSceneMonkey(const TMonkeyOptions& options) {
  TMonkey monkey(options);
  return monkey.Run();
}

}  // namespace zelmar::scene::monkey
