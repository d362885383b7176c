#include "launcher/GameFileRefusal.h"

#include "launcher/LauncherTexts.h"

namespace zelmar {

std::string RefusalText(const GameFileRefusal& refusal, std::int32_t lang) {
  const LauncherTexts& texts = LauncherTextsFor(lang);
  std::string text(texts.CannotOpenBefore);
  const std::filesystem::path name = refusal.File.filename();
  text += name.empty() ? refusal.File.string() : name.string();
  text += texts.CannotOpenAfter;
  switch (refusal.Problem) {
    case GameFileProblem::gpMissing:
      text += texts.FileMissing;
      break;
    case GameFileProblem::gpUnreadable:
      text += texts.FileUnreadable;
      if (!refusal.Detail.empty()) text += " (" + refusal.Detail + ")";
      break;
    case GameFileProblem::gpTooLarge:
      text += texts.FileTooLarge;
      text += std::to_string(kMaxGameFileMegabytes);
      text += texts.Megabytes;
      break;
    case GameFileProblem::gpNoGame:
      text += texts.FileHoldsNoGame;
      break;
    case GameFileProblem::gpRefused:
      text += texts.GameRefusedBefore;
      text += std::to_string(refusal.Line);
      text += texts.GameRefusedAfter;
      text += refusal.Detail;
      break;
  }
  return text;
}

}  // namespace zelmar
