#pragma once
#include <string>

inline constexpr const char* ApplicationTitle = "Norvane - Marund";
inline constexpr const char* StartupCaption = "Norvane Aldeno [2022.01.00]";
inline constexpr const char* ConfigurationFileName = "Norvane.ini";
inline constexpr const char* ReportFolderName = "Relatorio";

// What the workstation's Norvane.ini says, as the window keeps it.
struct TLauncherConfiguration {
  std::string FLocalPath;        // the installation folder, ending with a separator
  std::string FRemotePath;       // "Local Exe" with a trailing backslash
  std::string wLocalChecagem;    // "Checagem" with a trailing backslash
  std::string wLocalPainel;      // "Painel" with a trailing backslash
  std::string wExeContabil;      // "Exe Contabi" as read; nothing uses it
  std::string FUrl;              // "url" as read, blanks included
};

// Reads Norvane.ini beside the program at `programPath`; a missing file gives the defaults.
TLauncherConfiguration LoadLauncherConfiguration(const std::string& programPath);

// Creates the report folder of the installation when it is missing; raises when it cannot.
void EnsureReportFolder(const std::string& localPath);
