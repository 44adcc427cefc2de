#include "RemoteList.h"

#include "Errors.h"
#include "TextCase.h"

#include <functional>
#include <limits>
#include <new>

namespace {
// An average relative name with its key, to size the buffer ahead.
constexpr std::size_t TypicalNameBytes = 2 * 40;
} // namespace

void TRemoteList::Reserve(std::size_t ACount) {
  FEntries.reserve(ACount);
  FText.reserve(ACount * TypicalNameBytes);
  while (FSlots.size() < 2 * ACount)
    Grow();
}

void TRemoteList::Clear() {
  FEntries.clear();
  FText.clear();
  FSlots.clear();
}

void TRemoteList::Add(std::string_view AFileName, platform::TDateTime AAge) {
  AddEntry(AFileName, {0, 0, 0, 0, 0, AAge, std::nullopt});
}

void TRemoteList::Add(std::string_view AFileName, const platform::TInstant& AWritten) {
  AddEntry(AFileName, {0, 0, 0, 0, 0, 0.0, AWritten});
}

void TRemoteList::AddEntry(std::string_view AFileName, TEntry entry) {
  if (FText.size() + 2 * AFileName.size() + 16 > std::numeric_limits<std::uint32_t>::max())
    throw std::bad_alloc(); // offsets are 32 bits; no listing the launcher reads comes near
  if (2 * (FEntries.size() + 1) > FSlots.size())
    Grow();
  entry.NameOffset = std::uint32_t(FText.size());
  entry.NameLength = std::uint32_t(AFileName.size());
  FText += AFileName;
  entry.KeyOffset = std::uint32_t(FText.size());
  platform::AppendAnsiUpperCase(FText, AFileName);
  entry.KeyLength = std::uint32_t(FText.size() - entry.KeyOffset);
  const std::string_view key = Key(entry);
  entry.Hash = std::hash<std::string_view>{}(key);
  std::uint32_t& slot = FSlots[SlotFor(key, entry.Hash)];
  if (slot != 0) {
    FText.resize(entry.NameOffset);
    throw platform::EError(platform::SDuplicatesNotAllowed);
  }
  FEntries.push_back(entry);
  slot = std::uint32_t(FEntries.size());
}

std::optional<TRemoteFile> TRemoteList::Find(std::string_view AKey) const {
  if (FSlots.empty())
    return std::nullopt;
  const std::uint32_t slot = FSlots[SlotFor(AKey, std::hash<std::string_view>{}(AKey))];
  if (slot == 0)
    return std::nullopt;
  const TEntry& entry = FEntries[slot - 1];
  return TRemoteFile(std::string_view(FText).substr(entry.NameOffset, entry.NameLength),
                     entry.Written ? platform::LocalAgeFromInstant(*entry.Written) : entry.Age);
}

std::size_t TRemoteList::SlotFor(std::string_view AKey, std::size_t AHash) const {
  const std::size_t mask = FSlots.size() - 1;
  for (std::size_t i = AHash & mask;; i = (i + 1) & mask) {
    const std::uint32_t slot = FSlots[i];
    if (slot == 0)
      return i;
    const TEntry& entry = FEntries[slot - 1];
    if (entry.Hash == AHash && Key(entry) == AKey)
      return i;
  }
}

void TRemoteList::Grow() {
  std::vector<std::uint32_t> slots(FSlots.empty() ? 64 : 2 * FSlots.size(), 0);
  const std::size_t mask = slots.size() - 1;
  for (std::uint32_t n = 1; n <= FEntries.size(); ++n) {
    std::size_t i = FEntries[n - 1].Hash & mask;
    while (slots[i] != 0)
      i = (i + 1) & mask;
    slots[i] = n;
  }
  FSlots = std::move(slots);
}
