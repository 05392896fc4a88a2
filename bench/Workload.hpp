#pragma once

#include "app/model/Notebook.hpp"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

namespace bench {

// A uniquely named folder in the system's temporary folder, removed with everything in
// it when dropped.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // A path inside the folder, in the system's narrow form and in the program's wide form.
    std::string file(const std::string& name) const;
    std::wstring wideFile(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// Sizes of the notebook every benchmark works on.
constexpr int noteCount = 100000;
constexpr std::size_t titleLength = 40;
constexpr std::size_t textLength = 1000;
constexpr int tagsPerNote = 3;

// A 1,000-character text of a few lines of ordinary words, different for each seed.
std::wstring makeText(std::uint64_t seed);
std::wstring makeText(std::uint64_t seed, std::size_t length);

// Notes with titles, texts of the given length, sources, links, tags and dates as the
// program meets them; the same notes on every run for the same arguments. With
// `searchTexts`, each note's folded text copy is made along with the note, laid out in
// memory as the program laid it out when it made the copy on every change of a text.
std::unique_ptr<app::model::Notebook> makeNotebook(int count, std::size_t length, std::uint64_t seed,
                                                   bool searchTexts = false);

// The shared workload, built on first use and kept for the whole run.
struct Workload {
    std::unique_ptr<app::model::Notebook> notebook;
    std::size_t heapBytes = 0;  // operator new bytes the notebook holds
    std::size_t rssBytes = 0;   // growth of the resident size while building it
    std::string encoded;        // the notebook's file bytes, for the baselines
    TemporaryFolder folder;
};

Workload& workload();
// Frees the workload and removes its folder; call once the benchmarks have run.
void dropWorkload();

}  // namespace bench
