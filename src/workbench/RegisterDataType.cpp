// The type registration dialog: a new registered, enumerated or procedural type of a module.
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "elements/ElementBase.h"
#include "elements/Methods.h"
#include "generator/Module.h"
#include "platform/Format.h"
#include "source/SourceTypes.h"
#include "workbench/TypeEditors.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

namespace {

// The pages after "Registered" (index 0), in tab order.
constexpr int kEnumPage = 1;
constexpr int kProceduralPage = 2;

// The editor area of the window around `widget`, found from its topmost ancestor; dialogs are
// parented to the window or to a control inside it.
TfrEditors* EditorsAround(QWidget* widget) {
    QWidget* top = widget;
    while (top && top->parentWidget()) top = top->parentWidget();
    if (!top) return nullptr;
    if (auto* editors = qobject_cast<TfrEditors*>(top)) return editors;
    return top->findChild<TfrEditors*>();
}

}  // namespace

TedRegisterDataType::TedRegisterDataType(QWidget* parent, TemgModule& module, const std::string& name)
    : TfmBaseDialog(parent, tr("Type Registration")), FModule(module) {
    setObjectName("edRegisterDataType");
    FAppellation = new TfrAppellation;
    FAppellation->setObjectName("frAppellation");
    FAppellation->Load(name, "");
    Body().addWidget(FAppellation);

    FPages = new QTabWidget;
    FPages->setObjectName("pcPages");

    auto* registered = new QWidget;
    registered->setObjectName("tsRegistered");
    auto* registeredLayout = new QVBoxLayout(registered);
    FUnit = new TfrEdit(tr("Declared in Unit"));
    FUnit->setObjectName("frUnit");
    FUnit->Edit().setObjectName("edUnit");
    registeredLayout->addWidget(FUnit);
    FProcedural = NamedCheckBox(tr("Procedural Type"), "cbProceduralType");
    registeredLayout->addLayout(FieldRow({FProcedural}));
    registeredLayout->addStretch(1);
    FPages->addTab(registered, tr("Registered"));

    auto* enumPage = new QWidget;
    enumPage->setObjectName("tsEnum");
    auto* enumLayout = new QVBoxLayout(enumPage);
    FValues = new TfrEnumValues;
    // A new type: its value names must not repeat those of any enumerated type of the module.
    FValues->SetContext(&module.EnumTypes(), "");
    enumLayout->addWidget(LabelledRow(tr("Values"), FValues), 1);
    FPages->addTab(enumPage, tr("Enum"));

    auto* proceduralPage = new QWidget;
    proceduralPage->setObjectName("tsProcedural");
    auto* proceduralLayout = new QVBoxLayout(proceduralPage);
    FSignature = new TfrRoutineSignature;
    FSignature->KindRow().addStretch(1);
    FSignature->SetModule(&module);
    proceduralLayout->addWidget(FSignature, 1);
    FPages->addTab(proceduralPage, tr("Procedural"));

    Body().addWidget(FPages, 1);
    resize(560, 480);
}

bool TedRegisterDataType::Validate() {
    if (!FAppellation->Validate()) return false;
    const std::string name = FAppellation->Name();
    if (!FModule.FindKnownType(name).name.empty() || !FModule.IsTypeNameUnique(name))
        return Refuse(Format(kTypeAlreadyRegistered, name), &FAppellation->NameEdit().Edit());
    switch (FPages->currentIndex()) {
        case kEnumPage: return FValues->Validate();
        case kProceduralPage: return FSignature->Validate();
        default: return true;
    }
}

void TedRegisterDataType::Apply() {
    const std::string name = FAppellation->Name();
    const std::string caption = FAppellation->Comment();
    switch (FPages->currentIndex()) {
        case kEnumPage: {
            TgmcEnumType& type = FModule.CreateEnumType(name, caption, {});
            // The values with their comments.
            FValues->ApplyTo(type.Values());
            FCreated = &type;
            break;
        }
        case kProceduralPage: {
            TemgDataType result;
            FSignature->ApplyResultTo(result);
            FCreated = &FModule.CreateProceduralType(name, caption, result, FSignature->ParameterList().Parameters(),
                                                     FSignature->IsFunction() ? mcFunction : mcProcedure);
            break;
        }
        default:
            FCreated = &FModule.CreateRegisteredType(name, caption, FUnit->Text(), FProcedural->isChecked());
            break;
    }
}

TPersistent* RegisterDataType(QWidget* parent, TemgModule& module, const std::string& name) {
    TedRegisterDataType dialog(parent, module, name);
    return ExecDialog(dialog) ? dialog.Created() : nullptr;
}

bool RunRegisterDataType(QWidget* parent, TemgModule& module, const std::string& name) {
    TPersistent* type = RegisterDataType(parent, module, name);
    if (!type) return false;
    if (TfrEditors* editors = EditorsAround(parent))
        if (editors->Environment().typeRegistered) editors->Environment().typeRegistered(module, *type);
    return true;
}

}  // namespace quillon
