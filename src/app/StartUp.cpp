#include "app/StartUp.hpp"

namespace app {

int showCommandFor(const std::wstring& commandLine, int given) {
    return commandLine == L"-m" ? hiddenStartShowCommand : given;
}

HandOff handOffStep(bool windowFound, unsigned elapsedMilliseconds) {
    if (windowFound) {
        return HandOff::bringForward;
    }
    return elapsedMilliseconds < handOffPatience ? HandOff::keepLooking : HandOff::giveUp;
}

}  // namespace app
