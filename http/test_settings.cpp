// http/test_settings.cpp
//
// The one copy of the engine's test settings, guarded so that a test thread
// and a server thread never see half a value.
#include "http/test_settings.h"

#include <mutex>
#include <utility>

namespace gavrel {
namespace {

std::mutex& SettingsMutex() {
  static std::mutex mutex;
  return mutex;
}

EngineTestSettings& Settings() {
  static EngineTestSettings settings;
  return settings;
}

}  // namespace

void SetEngineTestSettings(EngineTestSettings settings) {
  std::lock_guard lock(SettingsMutex());
  Settings() = std::move(settings);
}

EngineTestSettings GetEngineTestSettings() {
  std::lock_guard lock(SettingsMutex());
  return Settings();
}

}  // namespace gavrel
