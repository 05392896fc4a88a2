// Feeds arbitrary bytes to the settings file parser. A malformed file may only raise the
// parser's error; whatever it accepts must write back to a file that parses to the same
// entries, and every typed getter must cope with every stored value.
#include "app/SettingsKeeper.hpp"
#include "err/Exceptions.hpp"
#include "sys/platform/Platform.hpp"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    app::SettingsKeeper keeper;
    try {
        keeper.loadFromText(app::SettingsKeeper::textFromBytes(data, size));
    } catch (const err::IOException&) {
        return 0;
    }
    const std::string bytes = keeper.toBytes();
    app::SettingsKeeper again;
    again.loadFromText(
        app::SettingsKeeper::textFromBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    if (again.entries() != keeper.entries()) {
        std::abort();
    }
    for (const auto& entry : keeper.entries()) {
        const std::string key = sys::platform::narrow(entry.first);
        // A value that does not convert is reported, never misread or crashed on.
        try {
            keeper.get(key, 0);
        } catch (const err::RuntimeException&) {}
        try {
            keeper.get<double>(key, 0);
        } catch (const err::RuntimeException&) {}
        try {
            keeper.get(key, false);
        } catch (const err::RuntimeException&) {}
        try {
            keeper.get<app::ColorRef>(key, 0);
        } catch (const err::RuntimeException&) {}
        try {
            keeper.get(key, app::Font{});
        } catch (const err::RuntimeException&) {}
        try {
            keeper.get(key, app::Rect{});
        } catch (const err::RuntimeException&) {}
    }
    return 0;
}
