#pragma once
#include "DateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One central file as the list holds it: the source's spelling and its age.
class TRemoteFile {
public:
  TRemoteFile(std::string_view AFileName, platform::TDateTime AAge)
      : FFileName(AFileName), FAge(AAge) {}
  std::string_view FileName() const { return FFileName; }
  platform::TDateTime Age() const { return FAge; }

private:
  std::string_view FFileName;
  platform::TDateTime FAge;
};

// The central files by upper-cased relative name; each keeps the source's spelling. A central
// tree holds tens of thousands of names of which a run looks up a few dozen: the names live
// back to back in one buffer and an open-addressed index finds them, so a name costs no
// allocation of its own.
class TRemoteList {
public:
  // Raises "Duplicates not allowed" for a second name equal after upper-casing.
  void Add(std::string_view AFileName, platform::TDateTime AAge);
  // The same with the file's last-write instant, turned into a local age only when looked up:
  // a run looks up a few dozen of the tens of thousands a folder holds.
  void Add(std::string_view AFileName, const platform::TInstant& AWritten);
  void Reserve(std::size_t ACount);
  // By the upper-cased name; what it gives is valid until the list changes.
  std::optional<TRemoteFile> Find(std::string_view AKey) const;
  void Clear();
  std::size_t Count() const { return FEntries.size(); }

private:
  struct TEntry {
    std::size_t Hash;
    std::uint32_t NameOffset, NameLength, KeyOffset, KeyLength;
    platform::TDateTime Age;
    std::optional<platform::TInstant> Written; // set: the age is still to be worked out
  };
  void AddEntry(std::string_view AFileName, TEntry AEntry);
  std::string_view Key(const TEntry& AEntry) const {
    return std::string_view(FText).substr(AEntry.KeyOffset, AEntry.KeyLength);
  }
  // The slot that holds `AKey`, or the free slot where it would go.
  std::size_t SlotFor(std::string_view AKey, std::size_t AHash) const;
  void Grow();

  std::string FText; // each name, then its upper-cased key
  std::vector<TEntry> FEntries;
  std::vector<std::uint32_t> FSlots; // entry number + 1; 0 is free; a power of two long
};
