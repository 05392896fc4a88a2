#include "app/Application.hpp"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    // Before anything else loads: DLLs come from the system folder only, never from the
    // program's folder or the current one, where anybody could have dropped one.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return app::runProgram(commandLine != nullptr ? commandLine : L"", showCommand);
}
