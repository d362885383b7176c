// TGfxLoader: loads one group of the resource description (zelmar.def) from the data archive into
// the image and font collections.
#pragma once

#include <functional>
#include <string>

#include "framework/GfxDb.h"
#include "framework/GfxDescScanner.h"
#include "framework/GfxLoaderEntry.h"
#include "framework/GfxPublisher.h"

class TGfxImages;
class TGfxFonts;

class TGfxLoader : public TGfxDeviceSubscriber {
 public:
  using TResourceLoadEvent = std::function<void(TGfxLoader* sender, const std::string& resName)>;

  explicit TGfxLoader(TComponent* owner);

  TGfxImages* Images() const { return images_; }
  void SetImages(TGfxImages* value) { images_ = value; }
  TGfxFonts* Fonts() const { return fonts_; }
  void SetFonts(TGfxFonts* value) { fonts_ = value; }
  // The archive is not owned; the loader switches its file when an entry's source differs.
  TGfxDb* Archive() const { return archive_; }
  void SetArchive(TGfxDb* value) { archive_ = value; }
  std::string XMLDescFile;

  // Raised with key + "\" + the source's file name for every item loaded. OnUnload is never raised.
  TResourceLoadEvent OnLoad;
  TResourceLoadEvent OnUnload;

  // Loads the entries of the group named exactly `groupName`, in order; an entry that cannot be
  // loaded is dropped. False only when XMLDescFile is empty or cannot be read.
  bool LoadGroup(const std::string& groupName);

  // Whether the last description read was well-formed XML, and where it was not.
  const TGfxDescScanResult& LastScan() const { return lastScan_; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void HandleEntry(const TGfxDescTag& tag);
  bool SelectArchive(const TGfxDescEntry& entry);
  void LoadImage(const TGfxDescEntry& entry);
  void LoadFont(const TGfxDescEntry& entry);

  TGfxImages* images_ = nullptr;
  TGfxFonts* fonts_ = nullptr;
  TGfxDb* archive_ = nullptr;
  TGfxDescScanResult lastScan_;
};

// Reads a whole description file; false for a missing, unreadable or implausibly large file.
bool ReadDescriptionFile(const std::string& path, std::string& text);
