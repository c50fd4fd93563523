#include "store/store_context.h"

#include "store/installed_context.h"

StoreContext& Store() {
  return InstalledContext<StoreContext>::Get();
}

StoreContext* InstallStoreContext(StoreContext* context) {
  return InstalledContext<StoreContext>::Install(context);
}

SettingsStore& GetSettings() {
  return Store().config;
}

Options& GetOptions() {
  return Store().options;
}
