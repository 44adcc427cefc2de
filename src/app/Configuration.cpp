#include "Configuration.h"

#include "Errors.h"
#include "IniProfile.h"
#include "Paths.h"

namespace {
constexpr const char* Section = "Servidor";
constexpr const char* DefaultChecagem = "http://127.0.0.1:8789/$/start/";
constexpr const char* DefaultPainel = "http://127.0.0.1:8789/?m=P";
constexpr const char* DefaultExeContabil = "C:\\Norvane\\Contabil\\Contabil.exe";
} // namespace

TLauncherConfiguration LoadLauncherConfiguration(const std::string& programPath) {
  using platform::IncludeTrailingBackslash;
  TLauncherConfiguration config;
  config.FLocalPath = platform::ExtractFilePath(programPath);
  const auto ini =
      platform::TIniProfile::Load(platform::JoinPath(config.FLocalPath, ConfigurationFileName));
  config.FRemotePath = IncludeTrailingBackslash(ini.ReadString(Section, "Local Exe", ""));
  config.wLocalChecagem = IncludeTrailingBackslash(ini.ReadString(Section, "Checagem", DefaultChecagem));
  config.wLocalPainel = IncludeTrailingBackslash(ini.ReadString(Section, "Painel", DefaultPainel));
  config.wExeContabil = ini.ReadString(Section, "Exe Contabi", DefaultExeContabil);
  config.FUrl = ini.ReadString(Section, "url", "");
  return config;
}

void EnsureReportFolder(const std::string& localPath) {
  const std::string folder = localPath + ReportFolderName;
  if (platform::DirectoryExists(folder))
    return;
  if (!platform::CreateDir(folder) && !platform::DirectoryExists(folder))
    throw platform::EError("Não Criou o Diretório Relatorio. Contacte o Norvane.");
}
