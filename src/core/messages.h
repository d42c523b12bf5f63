#pragma once
// The one channel through which core code and windows report to the user and
// ask yes/no questions. Windows show message boxes; the command-line tool
// writes to stderr; tests answer the questions.
#include <string>

namespace ks {

class Messages {
public:
    virtual ~Messages() = default;
    // Modal error box with an OK button.
    virtual void Error(const std::string& text) = 0;
    // Modal information box with an OK button.
    virtual void Info(const std::string& text) = 0;
    // Modal warning box with an OK button; where no warning look exists it
    // is shown as an error.
    virtual void Warning(const std::string& text) { Error(text); }
    // Confirmation box with Yes and No; true for Yes.
    virtual bool Confirm(const std::string& text) = 0;
};

} // namespace ks
