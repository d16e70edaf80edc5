// Replays a fuzz corpus through a fuzz target without libFuzzer: each argument is
// a file or a folder of files. Used by the tests; fuzzing itself needs clang.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// A target may define this to release what it keeps between inputs.
extern "C" __attribute__((weak)) void formsFuzzerFinish();

int main(int argc, char** argv)
{
    int replayed = 0;
    auto replay = [&](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    };
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                if (entry.is_regular_file())
                    replay(entry.path());
        } else {
            replay(argv[i]);
        }
    }
    if (formsFuzzerFinish)
        formsFuzzerFinish();
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
