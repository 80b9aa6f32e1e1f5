// Runs a fuzz target without libFuzzer: over the files named on the command line,
// or else over a fixed set of inputs (empty, all zeros, all 0xFF, and pseudo-random
// buffers of many sizes from a fixed seed), so every native test run smokes the
// parser under the sanitizers.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  if (argc > 1) {
    for (int i = 1; i < argc; ++i) {
      std::ifstream in(argv[i], std::ios::binary);
      std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    return 0;
  }
  LLVMFuzzerTestOneInput(nullptr, 0);
  for (size_t size : {1u, 2u, 16u, 512u, 1024u, 4096u}) {
    std::vector<uint8_t> zeros(size, 0), ones(size, 0xFF);
    LLVMFuzzerTestOneInput(zeros.data(), zeros.size());
    LLVMFuzzerTestOneInput(ones.data(), ones.size());
  }
  std::mt19937 random(20261210);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> bytes(random() % 4200);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::puts("fuzz driver: 2013 inputs ran clean");
  return 0;
}
