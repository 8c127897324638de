// Runs a fuzz target on seeded random inputs for a given time, where libFuzzer is not at hand:
//   <target> [seconds]
// The same seed gives the same inputs, so a failure can be repeated.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    std::mt19937 random(20261207);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    unsigned long runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        for (int i = 0; i < 1000; ++i, ++runs) {
            std::vector<std::uint8_t> input(random() % 400);
            for (auto& byte : input) byte = static_cast<std::uint8_t>(random() % 4 ? random() : 0);
            LLVMFuzzerTestOneInput(input.data(), input.size());
        }
    }
    std::printf("%lu random inputs\n", runs);
    return 0;
}
