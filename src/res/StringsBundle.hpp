#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace res {

// Every text the program shows, by dotted key. One table for the process, filled before
// any window exists and never changed afterwards.
class StringsBundle {
public:
    static const StringsBundle& instance();

    // Throws err::InvalidArgumentException for a key that is not in the table.
    const std::wstring& operator[](const std::string& key) const;
    // The keys in the order the table was filled.
    const std::vector<std::string>& keys() const { return keys_; }

private:
    StringsBundle();
    void add(const char* key, const std::wstring& text);
    const std::wstring& text(const char* key) const;

    std::unordered_map<std::string, std::wstring> entries_;
    std::vector<std::string> keys_;
};

const std::wstring& getText(const std::string& key);
std::wstring formatText(const std::string& key, const std::wstring& a1 = std::wstring(),
                        const std::wstring& a2 = std::wstring(), const std::wstring& a3 = std::wstring(),
                        const std::wstring& a4 = std::wstring(), const std::wstring& a5 = std::wstring());

}  // namespace res
