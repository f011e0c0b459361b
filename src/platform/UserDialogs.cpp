#include "platform/UserDialogs.h"

#include <iostream>
#include <stdexcept>

namespace quillon {

namespace {
UserDialogs* installed = nullptr;

UserDialogs& DefaultDialogs() {
    static NonInteractiveDialogs dialogs(std::cerr, DialogAnswer::No);
    return dialogs;
}
}  // namespace

UserDialogs& Dialogs() { return installed ? *installed : DefaultDialogs(); }

UserDialogs* InstallDialogs(UserDialogs* dialogs) {
    UserDialogs* previous = installed;
    installed = dialogs;
    return previous;
}

void NonInteractiveDialogs::ShowMessage(MessageKind kind, const std::string& text) {
    switch (kind) {
    case MessageKind::Error: out_ << "error: "; break;
    case MessageKind::Warning: out_ << "warning: "; break;
    case MessageKind::Information: break;
    }
    out_ << text << '\n';
}

DialogAnswer NonInteractiveDialogs::Ask(const std::string& question, AskButtons buttons) {
    DialogAnswer answer = answer_;
    if (answer == DialogAnswer::Cancel && buttons == AskButtons::YesNo) answer = DialogAnswer::No;
    out_ << question << " -> " << (answer == DialogAnswer::Yes ? "Yes" : answer == DialogAnswer::No ? "No" : "Cancel")
         << '\n';
    return answer;
}

void ScriptedDialogs::ShowMessage(MessageKind kind, const std::string& text) {
    log_.push_back({false, kind, AskButtons::YesNo, text});
}

DialogAnswer ScriptedDialogs::Ask(const std::string& question, AskButtons buttons) {
    log_.push_back({true, MessageKind::Information, buttons, question});
    if (answers_.empty()) throw std::logic_error("unscripted question: " + question);
    DialogAnswer answer = answers_.front();
    answers_.pop_front();
    if (answer == DialogAnswer::Cancel && buttons == AskButtons::YesNo)
        throw std::logic_error("Cancel scripted for a Yes/No question: " + question);
    return answer;
}

std::vector<std::string> ScriptedDialogs::Messages() const {
    std::vector<std::string> texts;
    for (const Entry& e : log_)
        if (!e.question) texts.push_back(e.text);
    return texts;
}

std::vector<std::string> ScriptedDialogs::Questions() const {
    std::vector<std::string> texts;
    for (const Entry& e : log_)
        if (e.question) texts.push_back(e.text);
    return texts;
}

}  // namespace quillon
