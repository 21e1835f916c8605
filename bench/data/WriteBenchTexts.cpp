// Writes the catalogue benchmark's texts into the directory given.
#include "data/BenchTexts.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  tralvex::bench::WriteMessageFile(argv[1]);
  tralvex::bench::WriteGencatSource(argv[1]);
  return 0;
}
