// Runs a fuzz target over every file of its corpus folders, once each: the
// number texts' fuzz checks on the WebAssembly build (under Node, which
// reaches the real files). A broken check aborts, failing the test.
#include <dirent.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  long inputs = 0;
  for (int i = 1; i < argc; ++i) {
    DIR* dir = opendir(argv[i]);
    if (!dir) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 2;
    }
    while (dirent* entry = readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      std::ifstream in(std::string(argv[i]) + "/" + entry->d_name, std::ios::binary);
      const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++inputs;
    }
    closedir(dir);
  }
  std::printf("%ld inputs\n", inputs);
  return inputs > 0 ? 0 : 1;
}
