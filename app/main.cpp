#include <cstdio>

int main() {
  std::puts("Gavrel: the window is not there yet; this build has the toolkit only.");
  return 0;
}
