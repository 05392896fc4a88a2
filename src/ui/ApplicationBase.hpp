#pragma once
#include "ui/MessageWindow.hpp"
#include "ui/ModalLoop.hpp"
#include <windows.h>
#include <string>

namespace ui {

// The process's hidden application window, its message loop and the single-instance mutex.
class ApplicationBase : public MessageWindow {
public:
    ApplicationBase();
    ~ApplicationBase() override = 0;
    std::wstring getClassName() const override;
    bool onCreate(CREATESTRUCT* createStruct) override;

    // Takes the single-instance mutex. Answers false when another instance holds it: that
    // instance's main window (of the given class) has then been brought forward and this
    // process should end with code 0. Throws err::RuntimeException when the other
    // instance shows no main window within a few seconds.
    bool ensureSingleInstance(const std::wstring& mainWindowClass);
    // Calls init, then runs the message loop; answers the loop's exit code, -1 when getting
    // a message failed.
    int run(int showCommand);
    virtual int init(int showCommand) = 0;
    ModalLoop& getLoop() { return loop_; }

protected:
    // Gives the mutex up; a second start can then become the only instance. Derived classes
    // call it once everything they keep is written.
    void releaseMutex();

private:
    std::wstring mutexName_;
    HANDLE mutex_ = nullptr;
    ModalLoop loop_;
};

}  // namespace ui
