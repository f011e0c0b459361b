#include "workbench/DesktopOpen.h"

#include <QUrl>

#include "platform/Format.h"
#include "platform/UserDialogs.h"
#include "workbench/QtText.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

ShellOpenHandler DesktopOpener(std::function<bool(const QUrl&)> openUrl) {
    return [openUrl = std::move(openUrl)](const std::string& path) {
        const QString text = ToQ(path);
        const qsizetype hash = text.lastIndexOf('#');
        const QString file = hash < 0 ? text : text.left(hash);
        QUrl url = QUrl::fromLocalFile(file);
        if (hash >= 0) url.setFragment(text.mid(hash + 1));
        if (!openUrl(url)) Dialogs().ShowMessage(MessageKind::Error, Format(kNoDesktopProgram, ToStd(file)));
    };
}

}  // namespace quillon
