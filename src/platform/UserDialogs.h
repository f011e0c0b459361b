// The questions and message boxes that model code raises, behind one process-wide interface:
// the workbench installs message boxes, the command line a non-interactive answerer, tests a
// scripted one.
#pragma once

#include <deque>
#include <iosfwd>
#include <string>
#include <vector>

namespace quillon {

enum class MessageKind { Error, Warning, Information };
enum class AskButtons { YesNo, YesNoCancel };
enum class DialogAnswer { Yes, No, Cancel };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A message box with an OK button.
    virtual void ShowMessage(MessageKind kind, const std::string& text) = 0;
    // A question; with YesNo the answer is never Cancel.
    virtual DialogAnswer Ask(const std::string& question, AskButtons buttons) = 0;
};

// The installed implementation (a NonInteractiveDialogs answering No when none was installed).
UserDialogs& Dialogs();
// Installs `dialogs` (not owned; nullptr restores the default) and returns the previous one.
UserDialogs* InstallDialogs(UserDialogs* dialogs);

// Installs a dialogs implementation for the lifetime of the scope.
class ScopedDialogs {
public:
    explicit ScopedDialogs(UserDialogs& dialogs) : previous_(InstallDialogs(&dialogs)) {}
    ~ScopedDialogs() { InstallDialogs(previous_); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    UserDialogs* previous_;
};

// Never waits for input: messages go to a stream, every question gets the configured answer
// (Cancel becomes No where the question offers no Cancel).
class NonInteractiveDialogs : public UserDialogs {
public:
    NonInteractiveDialogs(std::ostream& out, DialogAnswer answer) : out_(out), answer_(answer) {}
    void ShowMessage(MessageKind kind, const std::string& text) override;
    DialogAnswer Ask(const std::string& question, AskButtons buttons) override;
    void SetAnswer(DialogAnswer answer) { answer_ = answer; }

private:
    std::ostream& out_;
    DialogAnswer answer_;
};

// For tests: records every message and question, answers questions from a queue and fails
// loudly (std::logic_error) on a question nobody scripted.
class ScriptedDialogs : public UserDialogs {
public:
    struct Entry {
        bool question = false;
        MessageKind kind = MessageKind::Information;
        AskButtons buttons = AskButtons::YesNo;
        std::string text;
    };

    void ShowMessage(MessageKind kind, const std::string& text) override;
    DialogAnswer Ask(const std::string& question, AskButtons buttons) override;

    void QueueAnswer(DialogAnswer answer) { answers_.push_back(answer); }
    const std::vector<Entry>& Log() const { return log_; }
    std::vector<std::string> Messages() const;   // texts of ShowMessage calls
    std::vector<std::string> Questions() const;  // texts of Ask calls
    std::size_t PendingAnswers() const { return answers_.size(); }

private:
    std::deque<DialogAnswer> answers_;
    std::vector<Entry> log_;
};

}  // namespace quillon
