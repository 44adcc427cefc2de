#pragma once
#include "SafePath.h"

#include <atomic>
#include <string>

// One folder listing as the launcher reads it: a JSON array of {"FileName", "Age"}, names below
// the listed folder with '\' between parts. A name that is not UTF-8 cannot travel in JSON: it
// is left out and logged once. Names that differ only in letter case are logged once as a
// pair: the launcher refuses such a listing.
struct TListing {
  int Status = 200;
  std::string Body; // the listing, or the error record for Status 400/404
  std::string GzipBody; // the same, compressed once for every client that takes gzip
  std::size_t Files = 0;
};

// `stopping` ends a long walk early (the server is shutting down); what was found is returned.
TListing BuildListing(const TRootFolder& root, const std::string& folder, const std::string& mask,
                      bool recursive, const std::atomic<bool>& stopping);

// The error record the launcher reads instead of a listing. A detail that echoes a client's
// bytes which are not UTF-8 has them escaped.
std::string ErrorRecord(int status, const std::string& error, const std::string& detail);
