// app/busy_cursor.h
//
// The busy cursor for as long as a tool runs: set on construction, taken
// back on destruction. Override cursors stack, so a tool started from inside
// another one (a click handled at one of the engine's pump points) nests.
// Example: { BusyCursor busy; RunArticleLookup(ui); }
#pragma once

namespace gavrel {

class BusyCursor final {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace gavrel
