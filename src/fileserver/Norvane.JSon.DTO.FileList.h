#pragma once
#include "DateTime.h"
#include "Errors.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One file of an installation: its name relative to the root, folders separated by '\', and
// its last-write time as a local age.
class TFileInfoDTO {
public:
  TFileInfoDTO() = default;
  TFileInfoDTO(std::string AFileName, platform::TDateTime AAge)
      : FAge(AAge), FFileName(std::move(AFileName)) {}

  const std::string& FileName() const { return FFileName; }
  void FileName(std::string value) { FFileName = std::move(value); }
  platform::TDateTime Age() const { return FAge; }
  void Age(platform::TDateTime value) { FAge = value; }

private:
  friend struct TFileInfoDTOFields;
  platform::TDateTime FAge = 0.0;
  std::string FFileName;
};

// The record the file server sends instead of a listing.
class TFileInfoErrorDTO {
public:
  TFileInfoErrorDTO() = default;
  TFileInfoErrorDTO(std::int32_t AStatus, std::string AError, std::string ADetail)
      : FError(std::move(AError)), FStatus(AStatus), FDetail(std::move(ADetail)) {}

  const std::string& Error() const { return FError; }
  std::int32_t Status() const { return FStatus; }
  const std::string& Detail() const { return FDetail; }

private:
  friend struct TFileInfoErrorDTOFields;
  std::string FError;
  std::int32_t FStatus = 0;
  std::string FDetail;
};

// A record array; an entry may be empty (null) after a listing that failed part-way.
using TFileInfoDTOArray = std::vector<std::unique_ptr<TFileInfoDTO>>;

// A listing beyond what the launcher reads; its message says which limit.
class EListingTooLarge : public platform::EError {
public:
  using platform::EError::EError;
};

struct TFilesInfoDTOHelper {
  // Sets `AFiles` to one record per element of the JSON array `AJSON`. Raises
  // "TFilesInfoDTOHelper.FromJSON" for text that is not JSON, "Invalid class typecast" for JSON
  // that is not an array and "The input value is not a valid Object" for an element that is
  // not an object; the records before that element stay. More than `AMaxFiles` elements raise
  // EListingTooLarge as soon as the parser meets one too many.
  static void FromJSON(TFileInfoDTOArray& AFiles, std::string_view AJSON,
                       std::size_t AMaxFiles = SIZE_MAX);
  static void FreeAll(TFileInfoDTOArray& AFiles);
};

// Object reading: one JSON object text into a new record. Members are matched by name with an
// "F" in front, without regard to ASCII case; others are ignored; a repeated member wins last.
std::unique_ptr<TFileInfoDTO> FileInfoFromJSON(std::string_view AJSON);
std::unique_ptr<TFileInfoErrorDTO> FileInfoErrorFromJSON(std::string_view AJSON);
