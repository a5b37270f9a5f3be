// No C++ exception may unwind into the installer: every export body runs
// inside guardExport.
#pragma once

template <typename Body>
void guardExport(Body body) noexcept {
  try {
    body();
  } catch (...) {
  }
}
