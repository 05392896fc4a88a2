#pragma once
#include "ProgramFolder.hpp"
#include "VarnelProcess.hpp"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

// Varnel started as a user starts it, from a fresh private folder that is prepared first
// (a notebook, stored settings), and waited for until it takes input. `frame` is null when
// its main window did not appear.
struct Session {
    using Prepare = std::function<void(const ProgramFolder&)>;
    explicit Session(const Prepare& prepare = Prepare(), const std::wstring& arguments = std::wstring());

    ProgramFolder folder;
    std::unique_ptr<VarnelProcess> varnel;
    HWND frame = nullptr;
};

// A preparation that writes a notebook of plain notes with these texts.
Session::Prepare notesWithTexts(const std::vector<std::wstring>& texts);

}  // namespace e2e
