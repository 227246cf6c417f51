// kv_make_grid_obj PATH [TRIANGLES]: writes the generated grid model (1 million triangles by
// default) as OBJ text for the import benchmarks. Up to 200 million triangles (an OBJ file of
// about 6 GB), so that the search for the largest model a 32-bit process imports can reach
// files past 4 GiB.
#include <cstdio>
#include <cstdlib>

#include "bench/bench_models.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: kv_make_grid_obj PATH [TRIANGLES]\n");
    return 2;
  }
  const long triangles = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 1000000;
  if (triangles < 1 || triangles > 200000000) {
    std::fprintf(stderr, "kv_make_grid_obj: TRIANGLES must be 1 to 200000000\n");
    return 2;
  }
  if (!WriteGridObj(argv[1], static_cast<int>(triangles))) {
    std::fprintf(stderr, "kv_make_grid_obj: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
