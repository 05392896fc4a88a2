#pragma once
#include <ostream>
#include <string>

namespace app::model {
class Notebook;
}

namespace bench {

// The argument that makes win_bench.exe the baseline child of the start figure: it reads
// the named file into memory and exits.
constexpr const wchar_t* readFileSwitch = L"--read-file";
int readFileAndExit(const std::wstring& path);

// varnel.exe started in a program folder that holds the notebook file, timed until its
// window has painted the list and waits for input, against a process of the same kind that
// only reads the same file.
void programStart(std::ostream& out, const std::wstring& notebookFile);

// A word typed into the running program's search box key by key, each key timed from the
// keystroke until the list has repainted, against the same filter rebuilt by the view of
// the given notebook (the file's notes) in this process.
void programKeystrokes(std::ostream& out, const std::wstring& notebookFile, app::model::Notebook& notebook);

}  // namespace bench
