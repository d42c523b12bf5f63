#pragma once
// Shared test helpers: a temporary folder and a Messages stand-in that
// records what was shown and answers questions from a script.
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "core/messages.h"

namespace ks {
struct AppState;
}

namespace ks::test {

// Resets `st` to a fresh state with the English texts and `dir` as the open
// project, its file paths set as the program sets them.
void Open_Test_Project(AppState& st, const std::string& dir);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    // Path of `name` inside the folder.
    std::string operator/(const std::string& name) const;
    // Writes a file (binary) inside the folder and returns its path.
    std::string Write(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

class ScriptedMessages : public Messages {
public:
    void Error(const std::string& text) override { errors.push_back(text); }
    void Info(const std::string& text) override { infos.push_back(text); }
    void Warning(const std::string& text) override { warnings.push_back(text); }
    bool Confirm(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

    std::deque<bool> answers;  // answers to the next questions; No when exhausted
    std::vector<std::string> errors, infos, warnings, questions;
};

} // namespace ks::test
