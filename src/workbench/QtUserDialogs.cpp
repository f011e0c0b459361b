#include "workbench/QtUserDialogs.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "workbench/WorkbenchMessages.h"

namespace quillon {

void QtUserDialogs::ShowMessage(MessageKind kind, const std::string& text) {
    const QString title = QCoreApplication::translate("quillon::TfmQLN", kApplicationTitle.data());
    const QString message = QString::fromStdString(text);
    switch (kind) {
        case MessageKind::Error: QMessageBox::critical(parent_, title, message); return;
        case MessageKind::Warning: QMessageBox::warning(parent_, title, message); return;
        case MessageKind::Information: QMessageBox::information(parent_, title, message); return;
    }
}

DialogAnswer QtUserDialogs::Ask(const std::string& question, AskButtons buttons) {
    const QString title = QCoreApplication::translate("quillon::TfmQLN", kApplicationTitle.data());
    QMessageBox::StandardButtons offered = QMessageBox::Yes | QMessageBox::No;
    if (buttons == AskButtons::YesNoCancel) offered |= QMessageBox::Cancel;
    const auto answer = QMessageBox::question(parent_, title, QString::fromStdString(question), offered,
                                              QMessageBox::Yes);
    switch (answer) {
        case QMessageBox::Yes: return DialogAnswer::Yes;
        case QMessageBox::No: return DialogAnswer::No;
        default:
            // Closing the box by its frame is the Cancel of a three-button question.
            return buttons == AskButtons::YesNoCancel ? DialogAnswer::Cancel : DialogAnswer::No;
    }
}

}  // namespace quillon
