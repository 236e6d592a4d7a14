// Builds a deterministic, realistic tree for timing the scanner: 20 top-level folders of
// unequal size, folders 3 to 6 levels deep, mixed extensions, some hidden entries and some
// package directories. Files are empty or sparse, so a million of them take little disk.
// The "lopsided" shape puts about 95% of the folders, and so of the files, in the first
// top-level folder, as a Documents folder holding one huge project does.
//
//   bench_generate_tree DIR [FILES] [even|lopsided]
//   (FILES defaults to 1,000,000; folders are FILES / 100)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// SplitMix64: small, fast and the same on every machine.
struct Random {
    std::uint64_t state;
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
};

constexpr std::array<const char*, 24> extensions{"jpg", "JPG", "png", "heic", "mov", "mp4",  "pdf", "docx",
                                                 "txt", "md",  "csv", "xlsx", "mp3", "flac", "zip", "tar.gz",
                                                 "c",   "h",   "py",  "json", "svg", "psd",  "log", ""};
constexpr std::array<const char*, 4> packages{"pages", "logicx", "app", "rtfd"};

void fail(const std::string& what)
{
    std::fprintf(stderr, "bench_generate_tree: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

void makeDirectory(const std::string& path)
{
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        fail("mkdir " + path);
}

void makeFile(const std::string& path, std::int64_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fail("create " + path);
    if (size > 0 && ::ftruncate(fd, size) != 0)
        fail("truncate " + path);
    ::close(fd);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_generate_tree DIR [FILES] [even|lopsided]\n");
        return 2;
    }
    const std::string root = argv[1];
    long files = 1'000'000;
    if (argc > 2)
        std::from_chars(argv[2], argv[2] + std::strlen(argv[2]), files);
    const bool lopsided = argc > 3 && std::strcmp(argv[3], "lopsided") == 0;
    const long folderCount = std::max(20L, files / 100);
    Random random{20261207};
    makeDirectory(root);

    // Unequal top-level folders: the i-th gets a share proportional to 1 / (i + 1), or, when
    // lopsided, the first gets 95% and the others share the rest.
    std::vector<double> weights(20);
    double totalWeight = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        totalWeight += weights[i] = lopsided ? (i == 0 ? 0.95 : 0.05 / 19) : 1.0 / static_cast<double>(i + 1);

    std::vector<std::string> folders;
    folders.reserve(static_cast<std::size_t>(folderCount));
    for (std::size_t top = 0; top < weights.size(); ++top) {
        const std::string topPath = root + "/Top" + std::to_string(top);
        makeDirectory(topPath);
        const long share =
            std::max(1L, static_cast<long>(static_cast<double>(folderCount) * weights[top] / totalWeight));
        std::vector<std::string> here{topPath};
        for (long f = 1; f < share; ++f) {
            // Nest below a random existing folder of this top, keeping depth within 6.
            std::string parent = here[random.below(here.size())];
            const auto depth = std::count(parent.begin() + static_cast<long>(root.size()), parent.end(), '/');
            if (depth >= 6)
                parent = topPath;
            const bool hidden = random.below(100) < 2;
            const bool package = !hidden && random.below(100) < 1;
            std::string name = (hidden ? ".cache" : "folder") + std::to_string(f);
            if (package)
                name += std::string(".") + packages[random.below(packages.size())];
            const std::string path = parent + "/" + name;
            makeDirectory(path);
            if (!package)
                here.push_back(path);
            folders.push_back(path);
        }
        folders.push_back(topPath);
    }

    for (long i = 0; i < files; ++i) {
        const std::string& folder = folders[random.below(folders.size())];
        const char* extension = extensions[random.below(extensions.size())];
        std::string name = (random.below(100) < 3 ? ".f" : "file") + std::to_string(i);
        if (*extension)
            name += std::string(".") + extension;
        makeFile(folder + "/" + name, static_cast<std::int64_t>(random.below(1u << 20)));
    }
    std::printf("%ld files in %zu folders below %s\n", files, folders.size(), root.c_str());
    return 0;
}
