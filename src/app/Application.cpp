#include "app/Application.hpp"

#include "app/Settings.hpp"
#include "app/StartUp.hpp"
#include "app/model/NotebookStore.hpp"
#include "res/StringsBundle.hpp"
#include "sys/platform/Platform.hpp"
#include "ui/MessageBox.hpp"
#include "ui/controls/RichEditLibrary.hpp"

#include <exception>

namespace app {

Application::Application() = default;

Application::~Application() {
    if (isAttached()) {
        destroy();
    }
    // The window goes first: it releases the hot keys and the tray icon.
    mainFrame_.reset();
    // Everything the user keeps is on disk before a second start may take over.
    model::waitForBackgroundSaves();
    Settings::instance().save();
    releaseMutex();
}

bool Application::start() {
    if (!ensureSingleInstance(L"Oskel.Frame")) {
        return false;
    }
    create();
    errorPresenter_ = std::make_unique<ui::ErrorPresenter>(windowThread_);
    return true;
}

int Application::init(int showCommand) {
    mainFrame_ = std::make_unique<MainFrame>(this);
    mainFrame_->create();
    getLoop().setFilter([this](MSG* msg) { return mainFrame_->preTranslateMessage(msg); });
    mainFrame_->showAtStart(showCommand);
    return 0;
}

int runProgram(const std::wstring& commandLine, int showCommand) {
    try {
        ui::controls::loadRichEditLibrary();
        Application application;
        if (!application.start()) {
            return 0;
        }
        return application.run(showCommandFor(commandLine, showCommand));
    } catch (const std::exception& e) {
        ui::centeredMessageBox(nullptr, sys::platform::widen(e.what()), res::getText("error"), MB_ICONERROR | MB_OK);
    } catch (...) {
        ui::centeredMessageBox(nullptr, res::getText("app.unknownError"), res::getText("error"), MB_ICONERROR | MB_OK);
    }
    return -1;
}

}  // namespace app
