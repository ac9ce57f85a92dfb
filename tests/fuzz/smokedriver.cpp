// Runs a fuzz target without libFuzzer, as a smoke test of the suite: every
// file of its seed corpus, then random mutations of them for a few seconds.
//   <target> CORPUS_DIR SECONDS

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

static void run(const std::string& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    std::vector<std::string> corpus;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (corpus.empty())
        return 3;
    for (const std::string& input : corpus)
        run(input);
    std::mt19937 random(12345);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    size_t runs = corpus.size();
    while (std::chrono::steady_clock::now() < end) {
        std::string input = corpus[random() % corpus.size()];
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < edits; ++i) {
            const size_t at = input.empty() ? 0 : random() % input.size();
            switch (random() % 4) {
            case 0:
                if (!input.empty())
                    input[at] = static_cast<char>(random());
                break;
            case 1:
                input.insert(at, 1, static_cast<char>(random()));
                break;
            case 2:
                if (!input.empty())
                    input.erase(at, 1 + random() % 8);
                break;
            default:
                input.insert(at, corpus[random() % corpus.size()].substr(0, 64));
            }
        }
        run(input);
        ++runs;
    }
    std::printf("%zu inputs, no fault\n", runs);
    return 0;
}
