// The workbench's answer to the model's questions and messages: Qt message boxes.
#pragma once

#include "platform/UserDialogs.h"

class QWidget;

namespace quillon {

class QtUserDialogs : public UserDialogs {
public:
    // Boxes are parented to `parent` (the main window) when it is given.
    explicit QtUserDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(MessageKind kind, const std::string& text) override;
    DialogAnswer Ask(const std::string& question, AskButtons buttons) override;

private:
    QWidget* parent_;
};

}  // namespace quillon
