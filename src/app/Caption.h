#pragma once
#include <cstdint>
#include <string>

// Minutes, seconds and milliseconds of an elapsed time as "nn:ss.zzz"; whole hours are dropped.
std::string FormatElapsed(std::int64_t milliseconds);

// "Norvane - Marund Tempo do update : nn:ss.zzz"
std::string UpdateCaption(std::int64_t milliseconds);
