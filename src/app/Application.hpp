#pragma once
#include "app/MainFrame.hpp"
#include "ui/ApplicationBase.hpp"
#include "ui/ErrorPresenter.hpp"
#include "ui/WindowThread.hpp"

#include <memory>
#include <string>

namespace app {

// The program: the single instance, its main window and its message loop.
class Application : public ui::ApplicationBase {
public:
    Application();
    ~Application() override;
    // Creates and shows the main window.
    int init(int showCommand) override;
    // Answers false when another instance was found and brought forward instead.
    bool start();

private:
    ui::WindowThread windowThread_;
    std::unique_ptr<ui::ErrorPresenter> errorPresenter_;
    std::unique_ptr<MainFrame> mainFrame_;
};

// The whole run of the program for the command line and show command the system gave:
// answers the process's exit code, -1 after an error that ended it (already shown).
int runProgram(const std::wstring& commandLine, int showCommand);

}  // namespace app
