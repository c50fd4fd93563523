// Where each layer's context is found: the one the program's ProgramContext installed, or a default of
// the layer's own for the tools, benchmarks and fuzz targets that make none.
#pragma once

template <typename Context>
class InstalledContext {
 public:
  // The installed context, else the default one.
  static Context& Get() {
    static Context fallback;
    return current_ ? *current_ : fallback;
  }
  // Installs context (null: back to the default) and returns the one it replaces.
  static Context* Install(Context* context) {
    Context* previous = current_;
    current_ = context;
    return previous;
  }

 private:
  static inline Context* current_ = nullptr;
};
