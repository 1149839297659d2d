// The user's roaming application data, where Windows programs keep their
// settings.
#include "SettingsLocation.h"

namespace fs = std::filesystem;

fs::path UserConfigFolder(const EnvironmentLookup& environment) {
  const char* appData = environment("APPDATA");
  if (appData && fs::path(appData).is_absolute()) return appData;
  return {};
}
