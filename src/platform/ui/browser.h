#pragma once
// Opening a web address in the system's browser.
#include <functional>
#include <string>

namespace ks {

// Hands `url` to the desktop's default browser. Returns false when the
// desktop refused it.
bool Open_Url(const std::string& url);

// The way windows open links; tests replace it to record the addresses.
using UrlOpener = std::function<void(const std::string&)>;

} // namespace ks
