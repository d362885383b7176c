#include "framework/GfxLoader.h"

#include <fstream>
#include <sstream>

#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"

namespace {

// A description lists a few dozen entries; anything near this size is not one.
constexpr std::streamoff MaxDescriptionSize = 16 * 1024 * 1024;

}  // namespace

TGfxLoader::TGfxLoader(TComponent* owner) : TGfxDeviceSubscriber(owner) {
  AnnounceToOwner();
}

// Reads the file whole, refusing directories and oversized files.
bool ReadDescriptionFile(const std::string& path, std::string& text) {
  text.clear();
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size < 0 || size > MaxDescriptionSize) return false;
  text.resize(static_cast<std::size_t>(size));
  in.seekg(0);
  return static_cast<bool>(in.read(text.data(), size));
}

// Reads the description, then hands every tag of the wanted group to the entry handler.
bool TGfxLoader::LoadGroup(const std::string& groupName) {
  lastScan_ = {};
  std::string text;
  if (XMLDescFile.empty() || !ReadDescriptionFile(XMLDescFile, text)) {
    lastScan_ = {false, XMLDescFile + ": cannot be read"};
    return false;
  }
  lastScan_ = ScanGfxDescription(text, groupName, [this](const TGfxDescTag& tag) { HandleEntry(tag); });
  return true;
}

// Only `image` and `font` entries load anything, and only with an archive to load from.
void TGfxLoader::HandleEntry(const TGfxDescTag& tag) {
  const TGfxDescEntry entry = ReadDescEntry(tag);
  if (entry.Kind == TGfxEntryKind::ekOther || archive_ == nullptr) return;
  if (!SelectArchive(entry)) return;
  if (entry.Kind == TGfxEntryKind::ekImage && images_ != nullptr) LoadImage(entry);
  if (entry.Kind == TGfxEntryKind::ekFont && fonts_ != nullptr) LoadFont(entry);
}

// When the archive's file name is not the entry's source, switches to the source's file name in
// the description's directory and opens it read-only; false skips the entry.
bool TGfxLoader::SelectArchive(const TGfxDescEntry& entry) {
  if (archive_->FileName() == entry.Source) return true;
  archive_->SetFileName(ArchivePathFor(XMLDescFile, entry.Source));
  archive_->SetOpenMode(opReadOnly);
  return archive_->Open();
}

// Adds an image, reads its record and decodes it; a failure removes the image again.
void TGfxLoader::LoadImage(const TGfxDescEntry& entry) {
  TGfxImage* image = images_->Add();
  image->Name = entry.Name;
  image->SetQuality(entry.Quality);
  image->SetAlphaLevel(entry.AlphaLevel);
  std::vector<std::uint8_t> record;
  if (!archive_->EnsureOpen() || !archive_->ReadStream(entry.Key, record) || !image->LoadFromRecord(record)) {
    images_->Delete(images_->IndexOf(image));
    return;
  }
  if (OnLoad) OnLoad(this, ResourceName(entry));
}

// Adds a font and loads it from a record of the font type; a failure removes the font again.
void TGfxLoader::LoadFont(const TGfxDescEntry& entry) {
  TGfxFont* font = fonts_->Add();
  font->Name = entry.Name;
  std::vector<std::uint8_t> record;
  const bool loaded = !font->Loaded() && archive_->EnsureOpen() && archive_->Find(entry.Key) >= 0 &&
                      archive_->RecordType(archive_->Find(entry.Key)) == GfxRecordFont &&
                      archive_->ReadRecord(entry.Key, record) &&
                      font->LoadFromRecord(record, entry.AlphaLevel, entry.Quality);
  if (!loaded) {
    fonts_->Delete(fonts_->IndexOf(font));
    return;
  }
  if (OnLoad) OnLoad(this, ResourceName(entry));
}

// Forgets collections that are being destroyed.
void TGfxLoader::Notification(TComponent* component, TOperation operation) {
  TGfxDeviceSubscriber::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == images_) images_ = nullptr;
  if (component == fonts_) fonts_ = nullptr;
}
