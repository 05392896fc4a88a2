#pragma once
#include <string>

namespace app {

// Where Help, Website and Forum lead: the one place that names them. Until the product has
// a site of its own, the website is the help page shipped beside the program and the forum
// is that page's questions.
std::wstring helpPagePath();
std::wstring websiteAddress();
std::wstring forumAddress();

// A "file:" address for a local path, with an optional fragment ("#section").
std::wstring fileAddress(const std::wstring& path, const std::wstring& fragment = std::wstring());

}  // namespace app
