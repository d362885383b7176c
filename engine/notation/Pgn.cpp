// Writing and reading games in PGN.
#include "engine/notation/Pgn.h"

#include <array>
#include <cctype>
#include <charconv>
#include <utility>

#include "engine/Fen.h"
#include "engine/notation/San.h"
#include "engine/notation/ScratchBoard.h"

namespace zelmar {

namespace {

// The export format's longest line.
constexpr std::size_t kMaxLine = 80;
// The six tags of the seven-tag roster that the record holds, in the standard order (Result is the seventh).
constexpr std::array<std::string_view, 6> kRosterTags = {"Event", "Site", "Date", "Round", "White", "Black"};
// The tags the writer makes from the record's own fields and the reader turns into them.
constexpr std::array<std::string_view, 5> kFieldTags = {"Result", "Variant", "SetUp", "FEN", "Termination"};
constexpr std::string_view kUnknownValue = "?";
constexpr std::string_view kUnknownDate = "????.??.??";
constexpr std::string_view kZelmarVariant = "zelmar";
// Variant names other programs give standard chess.
constexpr std::array<std::string_view, 4> kStandardVariants = {"standard", "chess", "normal", "classical"};
constexpr std::string_view kUnfinished = "*";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The move marks that readers also take as numeric annotation glyphs, by glyph number.
constexpr std::array<std::pair<std::string_view, int>, 6> kMoveMarks = {
    {{"!", 1}, {"?", 2}, {"!!", 3}, {"??", 4}, {"!?", 5}, {"?!", 6}}};
// The highest numeric annotation glyph the standard defines.
constexpr int kLastNag = 255;

bool IsSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsTagNameCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

template <std::size_t N>
bool OneOf(std::string_view text, const std::array<std::string_view, N>& list) {
  for (std::string_view item : list)
    if (item == text) return true;
  return false;
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Drops a character cut in two at the end of a UTF-8 text that was shortened.
void DropCutCharacter(std::string& text) {
  while (!text.empty() && IsContinuationByte(text.back())) text.pop_back();
  if (!text.empty() && (static_cast<unsigned char>(text.back()) & 0x80) != 0) text.pop_back();
}

// One tag pair on a line of its own: the name keeps only the characters a name may have, the value has its
// quotes and backslashes escaped and its control characters made spaces, and a value too long for the line
// is shortened.
void AppendTag(std::string& out, std::string_view name, std::string_view value) {
  std::string line = "[";
  for (char c : name)
    if (IsTagNameCharacter(c) && line.size() < kMaxLine / 2) line += c;
  if (line.size() == 1) return;
  line += " \"";
  const std::size_t room = kMaxLine - line.size() - 2;  // the closing quote and bracket
  std::string escaped;
  for (char c : value) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool control = u < 0x20 || u == 0x7F;
    const std::size_t width = (c == '\\' || c == '"') ? 2 : 1;
    if (escaped.size() + width > room) {
      DropCutCharacter(escaped);
      break;
    }
    if (width == 2) escaped += '\\';
    escaped += control ? ' ' : c;
  }
  out += line;
  out += escaped;
  out += "\"]\n";
}

// The movetext's tokens on lines of at most kMaxLine characters. No line starts with '%' or '[' (an escape
// line or a tag to a reader), and a token too long for a line is cut.
class TMovetextLines {
 public:
  explicit TMovetextLines(std::string& out) : out_(out) {}

  void Token(std::string_view token) {
    while (token.size() >= kMaxLine) {
      std::size_t cut = kMaxLine - 1;
      while (cut > 1 && IsContinuationByte(token[cut])) --cut;
      Piece(token.substr(0, cut));
      token.remove_prefix(cut);
    }
    if (!token.empty()) Piece(token);
  }

  // A comment in braces, its words wrapped at spaces; a closing brace inside would end it, so it becomes ')'.
  // A command such as "[%eval 0.35]" stays on one line when it fits on one.
  void Comment(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inCommand = false;
    for (char c : text) {
      if (IsSpace(c) && !inCommand) {
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
      } else if (IsSpace(c)) {
        if (!word.empty() && word.back() != ' ') word += ' ';
      } else {
        if (c == '%' && word == "[") inCommand = true;
        if (c == ']') inCommand = false;
        word += c == '}' ? ')' : c;
      }
    }
    if (!word.empty()) words.push_back(std::move(word));
    if (words.empty()) return;
    // A command too long for a line is wrapped at its spaces as any other words.
    for (std::size_t k = 0; k < words.size(); ++k) {
      const std::size_t space = words[k].find(' ');
      if (space == std::string::npos || words[k].size() + 2 < kMaxLine) continue;
      std::string rest = words[k].substr(space + 1);
      words[k].resize(space);
      words.insert(words.begin() + static_cast<std::ptrdiff_t>(k) + 1, std::move(rest));
    }
    words.front().insert(0, 1, '{');
    words.back() += '}';
    for (const std::string& w : words) Token(w);
  }

  void Finish() { out_ += "\n\n"; }

 private:
  void Piece(std::string_view token) {
    if (length_ > 0 && length_ + 1 + token.size() > kMaxLine) {
      out_ += '\n';
      length_ = 0;
    }
    if (length_ > 0 || token.front() == '%' || token.front() == '[') {
      out_ += ' ';
      ++length_;
    }
    out_ += token;
    length_ += token.size();
  }

  std::string& out_;
  std::size_t length_ = 0;
};

// The glyph of a move mark such as "?" or "!?", or 0 for none.
int MarkNag(std::string_view mark) {
  for (const auto& [text, nag] : kMoveMarks)
    if (text == mark) return nag;
  return 0;
}

// The marks "!" and "?" that trail a move's text (check and mate signs among them or after them left out).
std::string TrailingMarks(std::string_view token) {
  std::string marks;
  while (!token.empty() && std::string_view("!?+#").find(token.back()) != std::string_view::npos) {
    if (token.back() == '!' || token.back() == '?') marks.insert(marks.begin(), token.back());
    token.remove_suffix(1);
  }
  return marks;
}

const char* EndComment(TGameEnd end) {
  switch (end) {
    case TGameEnd::Mate:
      return "Mate";
    case TGameEnd::Stalemate:
      return "Stalemate";
    case TGameEnd::NoMatingMaterial:
      return "No mating material";
    case TGameEnd::ThreefoldRepetition:
      return "Threefold repetition";
    case TGameEnd::None:
      break;
  }
  return "";
}

// Reads the games of a PGN text one after another, keeping the line number of where it stands.
class TPgnReader {
 public:
  TPgnReader(std::string_view text, TPgnMode untagged) : text_(text), untagged_(untagged) {
    if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) pos_ = kByteOrderMark.size();
  }

  std::vector<TPgnGame> ReadAll() {
    std::vector<TPgnGame> games;
    for (;;) {
      SkipSpaceAndEscapes();
      if (AtEnd()) break;
      TPgnGame game;
      game.FirstLine = line_;
      const std::size_t start = pos_;
      TGameRecord record;
      if (ReadGame(record, game.Error)) {
        game.Game = std::move(record);
      } else {
        // A refused or damaged game: go on with the next tag section.
        if (pos_ == start) Advance();
        while (!AtEnd() && !AtTagStart()) Advance();
      }
      games.push_back(std::move(game));
    }
    return games;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
  void Advance() {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }
  bool AtLineStart() const { return pos_ == 0 || text_[pos_ - 1] == '\n'; }
  // A tag at the start of a line begins a game's tag section.
  bool AtTagStart() const {
    return AtLineStart() && Peek() == '[' && std::isalpha(static_cast<unsigned char>(Peek(1))) != 0;
  }
  void SkipLine() {
    while (!AtEnd() && Peek() != '\n') Advance();
    if (!AtEnd()) Advance();
  }
  void SkipSpaceAndEscapes() {
    while (!AtEnd()) {
      if (AtLineStart() && Peek() == '%') {
        SkipLine();
      } else if (IsSpace(Peek())) {
        Advance();
      } else {
        break;
      }
    }
  }
  std::string Where() const { return "line " + std::to_string(line_); }

  bool ReadGame(TGameRecord& record, std::string& error) {
    // 1. The tag section.
    std::string variant, setUp, fen;
    bool hasFen = false;
    for (;;) {
      SkipSpaceAndEscapes();
      if (Peek() == ';') {
        SkipLine();
        continue;
      }
      if (Peek() != '[') break;
      std::string name, value;
      if (!ReadTag(name, value)) {
        error = Where() + ": a broken tag";
        return false;
      }
      if (name == "Variant") {
        variant = value;
      } else if (name == "SetUp") {
        setUp = value;
      } else if (name == "FEN") {
        fen = value;
        hasFen = true;
      } else if (!OneOf(name, kFieldTags)) {
        SetTag(record, name, std::move(value));
      }
    }
    // 2. Only games this program plays: standard chess or the zelmar variant, from the initial position.
    const std::string variantName = LowerCase(variant);
    record.Zelmar = variantName.empty() ? untagged_ == TPgnMode::Zelmar : variantName == kZelmarVariant;
    if (!variantName.empty() && !record.Zelmar && !OneOf(std::string_view(variantName), kStandardVariants)) {
      error = "the variant \"" + variant + "\" is not played here";
      return false;
    }
    if (hasFen) {
      const std::optional<TFenRecord> start = ReadFen(fen);
      const bool initial = start && start->Placement == kInitialPosition && start->WhiteToMove &&
                           start->WhiteKingSide && start->WhiteQueenSide && start->BlackKingSide &&
                           start->BlackQueenSide && start->EnPassant == 0;
      if (!initial) {
        error = "the game starts from a set-up position (FEN \"" + fen + "\"), not the initial one";
        return false;
      }
    } else if (setUp == "1") {
      error = "the game starts from a set-up position that it does not give";
      return false;
    }
    // 3. The movetext up to the game's result.
    return ReadMovetext(record, error);
  }

  bool ReadTag(std::string& name, std::string& value) {
    Advance();  // '['
    while (Peek() == ' ' || Peek() == '\t') Advance();
    while (IsTagNameCharacter(Peek())) {
      name += Peek();
      Advance();
    }
    while (Peek() == ' ' || Peek() == '\t') Advance();
    if (name.empty() || Peek() != '"') return false;
    Advance();
    for (;;) {
      const char c = Peek();
      if (AtEnd() || c == '\n') return false;
      Advance();
      if (c == '"') break;
      if (c == '\\' && (Peek() == '"' || Peek() == '\\')) {
        value += Peek();
        Advance();
      } else {
        value += c;
      }
    }
    while (Peek() == ' ' || Peek() == '\t') Advance();
    if (Peek() != ']') return false;
    Advance();
    return true;
  }

  // The text of a comment in braces with its spaces and line ends made single spaces. False when it never
  // closes before the end of the text or the next game.
  bool ReadComment(std::string& text) {
    Advance();  // '{'
    bool space = false;
    for (;;) {
      if (AtEnd() || AtTagStart()) return false;
      const char c = Peek();
      Advance();
      if (c == '}') return true;
      if (IsSpace(c)) {
        space = true;
      } else {
        if (space && !text.empty()) text += ' ';
        space = false;
        text += c;
      }
    }
  }

  // Skips a variation with those nested in it, and the comments inside them.
  bool SkipVariation() {
    int depth = 0;
    for (;;) {
      if (AtEnd() || AtTagStart()) return false;
      const char c = Peek();
      if (c == '{') {
        std::string ignored;
        if (!ReadComment(ignored)) return false;
        continue;
      }
      if (c == ';' || (c == '%' && AtLineStart())) {
        SkipLine();
        continue;
      }
      Advance();
      if (c == '(') ++depth;
      if (c == ')' && --depth == 0) return true;
    }
  }

  // A word of the movetext: everything up to a space or a character that starts something else.
  std::string_view ReadToken() {
    const std::size_t start = pos_;
    Advance();
    while (!AtEnd() && !IsSpace(Peek()) &&
           std::string_view("{}();$").find(Peek()) == std::string_view::npos) {
      Advance();
    }
    return text_.substr(start, pos_ - start);
  }

  bool ReadMovetext(TGameRecord& record, std::string& error) {
    TChessBrd board;
    board.SetZelmarMode(record.Zelmar);
    std::string result;
    for (;;) {
      SkipSpaceAndEscapes();
      if (AtEnd()) {
        error = "the game is cut short: no result at its end";
        return false;
      }
      if (AtTagStart()) {
        error = "the game is cut short: no result before the next game (" + Where() + ")";
        return false;
      }
      const char c = Peek();
      if (c == '{') {
        std::string comment;
        if (!ReadComment(comment)) {
          error = "the game is cut short: a comment never closes";
          return false;
        }
        if (comment.empty()) continue;
        if (record.Moves.empty()) {
          if (!record.LeadComment.empty()) record.LeadComment += ' ';
          record.LeadComment += comment;
        } else {
          record.Moves.back().Comments.push_back(std::move(comment));
        }
        continue;
      }
      if (c == ';') {
        SkipLine();
        continue;
      }
      if (c == '(') {
        if (!SkipVariation()) {
          error = "the game is cut short: a variation never closes";
          return false;
        }
        continue;
      }
      if (c == ')' || c == '}') {
        error = Where() + ": a '" + std::string(1, c) + "' that closes nothing";
        return false;
      }
      if (c == '$') {
        Advance();
        const std::size_t start = pos_;
        while (IsDigit(Peek())) Advance();
        int nag = 0;
        const char* first = text_.data() + start;
        const auto [end, status] = std::from_chars(first, text_.data() + pos_, nag);
        if (status == std::errc() && end != first && nag <= kLastNag && !record.Moves.empty())
          record.Moves.back().Nags.push_back(nag);
        continue;
      }
      std::string_view token = ReadToken();
      if (IsResultText(token)) {
        result = token;
        break;
      }
      // A move number ("12.", "12...") may stand alone or run into its move ("12...Nf6").
      std::size_t digits = 0;
      while (digits < token.size() && IsDigit(token[digits])) ++digits;
      if (digits > 0 && (digits == token.size() || token[digits] == '.')) {
        token.remove_prefix(digits);
        while (!token.empty() && token.front() == '.') token.remove_prefix(1);
        if (token.empty()) continue;
      }
      // A move's mark or en-passant mark standing on its own.
      if (token.find_first_not_of("!?") == std::string_view::npos) {
        if (const int nag = MarkNag(token); nag != 0 && !record.Moves.empty())
          record.Moves.back().Nags.push_back(nag);
        continue;
      }
      if (LowerCase(token) == "e.p.") continue;
      if (!PlayToken(board, token, record, error)) return false;
    }
    record.End = LineEnd(board);
    // The writer's own word on how the game ended is no comment of the last move.
    if (record.End != TGameEnd::None && !record.Moves.empty()) {
      std::vector<std::string>& comments = record.Moves.back().Comments;
      if (!comments.empty() && comments.back() == EndComment(record.End)) comments.pop_back();
    }
    record.Result =
        record.End != TGameEnd::None ? std::string(EndResult(record.End, record.Moves.size())) : result;
    record.ShownPly = static_cast<int>(record.Moves.size());
    return true;
  }

  bool PlayToken(TChessBrd& board, std::string_view token, TGameRecord& record, std::string& error) {
    const std::string label = "move " + std::to_string(board.CurrentMove()) +
                              (board.WhiteToMove() ? "" : "...") + " (" + std::string(token) + "): ";
    if (!record.Moves.empty() && board.IsThreefoldRepetition()) {
      error = label + "the game had already ended by threefold repetition";
      return false;
    }
    std::string why;
    std::optional<TGameMove> move = SanToMove(board, token, &why);
    if (!move) {
      // A move cut off by the end of the text is a damaged game rather than a wrong move, and a move after
      // the end of the game is named as such.
      if (!record.Moves.empty() && !board.HasLegalMove())
        why = SideToMoveInCheck(board) ? "the game had already ended by mate"
                                       : "the game had already ended by stalemate";
      error = (AtEnd() ? "the game is cut short: " : "") + label + why;
      return false;
    }
    board.SetPromotionPiece(move->Promotion != 0 ? move->Promotion : kDefaultPromotion);
    if (!board.PlayMove(move->From, move->To)) {
      error = label + "illegal";
      return false;
    }
    if (const int nag = MarkNag(TrailingMarks(token)); nag != 0) move->Nags.push_back(nag);
    record.Moves.push_back(std::move(*move));
    return true;
  }

  std::string_view text_;
  TPgnMode untagged_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

std::string WritePgn(const TGameRecord& game) {
  std::string out;
  out.reserve(1024 + game.Moves.size() * 8 + game.LeadComment.size());
  for (std::string_view name : kRosterTags) {
    const std::string* value = FindTag(game, name);
    AppendTag(out, name,
              value != nullptr ? std::string_view(*value)
              : name == "Date" ? kUnknownDate
                               : kUnknownValue);
  }
  std::string_view result = EndResult(game.End, game.Moves.size());
  if (result.empty()) result = IsResultText(game.Result) ? std::string_view(game.Result) : kUnfinished;
  AppendTag(out, "Result", result);
  if (game.Zelmar) AppendTag(out, "Variant", kZelmarVariant);
  AppendTag(out, "Termination", result == kUnfinished ? "unterminated" : "normal");
  for (const auto& [name, value] : game.Tags) {
    if (!OneOf(std::string_view(name), kRosterTags) && !OneOf(std::string_view(name), kFieldTags)) {
      AppendTag(out, name, value);
    }
  }
  out += '\n';
  TMovetextLines lines(out);
  lines.Comment(game.LeadComment);
  for (std::size_t k = 0; k < game.Moves.size(); ++k) {
    const TGameMove& move = game.Moves[k];
    if (k % 2 == 0) lines.Token(std::to_string(k / 2 + 1) + ".");
    if (!move.San.empty()) {
      lines.Token(move.San);
    } else {
      // A move without its notation is written in coordinates, which readers take as well.
      std::string coordinates = SquareName(move.From) + SquareName(move.To);
      if (move.Promotion != 0) coordinates += move.Promotion;
      lines.Token(coordinates);
    }
    for (const int nag : move.Nags) lines.Token("$" + std::to_string(nag));
    for (const std::string& comment : move.Comments) lines.Comment(comment);
  }
  lines.Comment(EndComment(game.End));
  lines.Token(result);
  lines.Finish();
  return out;
}

std::vector<TPgnGame> ReadPgn(std::string_view text, TPgnMode untagged) {
  return TPgnReader(text, untagged).ReadAll();
}

}  // namespace zelmar
