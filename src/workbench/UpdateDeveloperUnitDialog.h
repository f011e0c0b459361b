// The preview of a developer's unit update: the generated files written first, what the update
// would insert, as a unified diff in a read-only text, and the reports about what it leaves
// alone; OK writes, Cancel does not.
#pragma once

#include <string>
#include <vector>

#include "workbench/EditorFramework.h"

class QPlainTextEdit;

namespace quillon {

struct TDeveloperUnitUpdate;

class TedUpdateDeveloperUnit : public TfmBaseDialog {
    Q_OBJECT

public:
    TedUpdateDeveloperUnit(QWidget* parent, const TDeveloperUnitUpdate& update,
                           const std::vector<std::string>& generatedFiles = {});

    QString HelpTopic() const override { return QStringLiteral("update-dev"); }
    QPlainTextEdit& DiffView() const { return *FDiff; }

private:
    QPlainTextEdit* FDiff = nullptr;
};

}  // namespace quillon
