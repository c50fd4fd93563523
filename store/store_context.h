// The store layer's process state in one place: a ProgramContext (app/program_context.h) makes a fresh one
// for every run and every test, so nothing a run leaves behind reaches the next.
#pragma once

#include "store/options.h"
#include "store/settings_store.h"

struct StoreContext {
  SettingsStore config;  // the settings store: empty until the settings file is read
  Options options;       // the game's options, at their initial values until the store is read
};

// The store context installed for the process; a default one when none is installed.
StoreContext& Store();
// Makes context (nullptr: the default one) the process's store context; returns the one it replaces.
StoreContext* InstallStoreContext(StoreContext* context);
