#include "framework/GfxDescScanner.h"

#include <algorithm>

#include <expat.h>

namespace zelmar {

namespace {

enum class ScanState { Outside, InGfx, InGroup };

// What the expat callbacks work on during one scan.
struct ScanContext {
  const std::string& Group;
  const std::function<void(const TGfxDescTag&)>& Handler;
  ScanState State = ScanState::Outside;
};

// ASCII lower-casing of an element name.
std::string Lower(const XML_Char* text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Start and empty-element tags: state changes first, then the hand-over in state 2.
void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& context = *static_cast<ScanContext*>(data);
  TGfxDescTag tag;
  tag.Element = Lower(name);
  for (const XML_Char** a = attributes; a[0] != nullptr && a[1] != nullptr; a += 2)
    tag.Attributes.emplace_back(a[0], a[1]);
  if (context.State == ScanState::Outside && tag.Element == "gfx") {
    context.State = ScanState::InGfx;
  } else if (context.State == ScanState::InGfx && tag.Element == "group" &&
             tag.Attribute("name") == context.Group) {
    context.State = ScanState::InGroup;
  }
  if (context.State == ScanState::InGroup) context.Handler(tag);
}

// End tags close `gfx` in state 1 and `group` in state 2.
void XMLCALL OnEnd(void* data, const XML_Char* name) {
  auto& context = *static_cast<ScanContext*>(data);
  const std::string element = Lower(name);
  if (context.State == ScanState::InGfx && element == "gfx")
    context.State = ScanState::Outside;
  else if (context.State == ScanState::InGroup && element == "group")
    context.State = ScanState::InGfx;
}

}  // namespace

// Exact, case-sensitive match on the attribute name.
std::string TGfxDescTag::Attribute(std::string_view name) const {
  for (const auto& [key, value] : Attributes)
    if (key == name) return value;
  return {};
}

// Runs expat over the whole text in pieces small enough for its int-sized lengths.
TGfxDescScanResult ScanGfxDescription(std::string_view xml, const std::string& group,
                                      const std::function<void(const TGfxDescTag&)>& handler) {
  TGfxDescScanResult result;
  XML_Parser parser = XML_ParserCreate(nullptr);
  if (parser == nullptr) return {false, "out of memory"};
  ScanContext context{group, handler};
  XML_SetUserData(parser, &context);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  constexpr std::size_t Piece = 1 << 20;
  std::size_t pos = 0;
  XML_Status status = XML_STATUS_OK;
  do {
    const std::size_t length = std::min(Piece, xml.size() - pos);
    const bool last = pos + length == xml.size();
    status = XML_Parse(parser, xml.data() + pos, static_cast<int>(length), last ? 1 : 0);
    pos += length;
    if (last) break;
  } while (status == XML_STATUS_OK);
  if (status != XML_STATUS_OK) {
    result.WellFormed = false;
    result.Error = "line " + std::to_string(XML_GetCurrentLineNumber(parser)) + ": " +
                   XML_ErrorString(XML_GetErrorCode(parser));
  }
  XML_ParserFree(parser);
  return result;
}

}  // namespace zelmar
