#include "workbench/UpdateDeveloperUnitDialog.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "generator/DeveloperUnitUpdate.h"
#include "workbench/QtText.h"

namespace quillon {

TedUpdateDeveloperUnit::TedUpdateDeveloperUnit(QWidget* parent, const TDeveloperUnitUpdate& update,
                                               const std::vector<std::string>& generatedFiles)
    : TfmBaseDialog(parent, tr("Update Developer's Unit")) {
    setObjectName("edUpdateDeveloperUnit");
    auto* intro = new QLabel(tr("OK writes the lines marked + into %1, in place of the headings marked - where "
                                "the design changed a signature; nothing else in it changes, and the previous "
                                "text is kept beside it as .~pas.")
                                 .arg(ToQ(update.fileName)));
    intro->setWordWrap(true);
    Body().addWidget(intro);
    if (!generatedFiles.empty()) {
        QString files = tr("First the class is generated, as Generate Class does; it writes:");
        for (const std::string& file : generatedFiles) files += '\n' + ToQ(file);
        auto* generated = new QLabel(files);
        generated->setObjectName("lbGeneratedFiles");
        generated->setWordWrap(true);
        generated->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Body().addWidget(generated);
    }
    if (!update.findings.empty()) {
        QString findings = tr("Reported:");
        for (const std::string& finding : update.findings) findings += '\n' + ToQ(finding);
        auto* reports = new QLabel(findings);
        reports->setObjectName("lbFindings");
        reports->setWordWrap(true);
        reports->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Body().addWidget(reports);
    }
    FDiff = new QPlainTextEdit;
    FDiff->setObjectName("meDiff");
    FDiff->setReadOnly(true);
    FDiff->setLineWrapMode(QPlainTextEdit::NoWrap);
    FDiff->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The carriage returns of the unit's line ends are no lines of their own.
    FDiff->setPlainText(ToQ(UnifiedDiff(update.original, update.updated, update.fileName)).remove('\r'));
    Body().addWidget(FDiff, 1);
    resize(760, 520);
}

}  // namespace quillon
