#include "store/store_context.h"

namespace {
StoreContext* installed = nullptr;
}  // namespace

StoreContext& Store() {
  // Tools, benchmarks and fuzz targets that make no ProgramContext share this one.
  static StoreContext fallback;
  return installed ? *installed : fallback;
}

StoreContext* InstallStoreContext(StoreContext* context) {
  StoreContext* previous = installed;
  installed = context;
  return previous;
}

OConfig& GetConfig() {
  return Store().config;
}

Options& GetOptions() {
  return Store().options;
}
