#include "workbench/ProjectTree.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QSet>

#include "elements/DesignClass.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "generator/DebugApplication.h"
#include "project/Project.h"
#include "workbench/Icons.h"
#include "workbench/QtText.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

namespace {

constexpr int kObjectRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kImageRole = Qt::UserRole + 2;
// On a module node: true once its children are made. A project's modules are shown with their
// expander only, and their children made when first needed (expanded, searched or changed): a
// project of a thousand modules would otherwise make a hundred thousand nodes to open.
constexpr int kFilledRole = Qt::UserRole + 3;

constexpr int kOtherImage = 9;

void Describe(QTreeWidgetItem& node, std::string_view caption, TreeNodeKind kind, const TPersistent* object,
              int image) {
    node.setText(0, ToQ(caption));
    node.setData(0, kObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
    node.setData(0, kKindRole, static_cast<int>(kind));
    node.setData(0, kImageRole, image);
    node.setIcon(0, ImageIcon(image));
}

QTreeWidgetItem* AddNode(QTreeWidgetItem& parent, std::string_view caption, TreeNodeKind kind,
                         const TPersistent* object, int image) {
    auto* node = new QTreeWidgetItem(&parent);
    Describe(*node, caption, kind, object, image);
    return node;
}

TemgModule& ModuleOf(QTreeWidgetItem& moduleNode) {
    return static_cast<TemgpModule*>(NodeObject(&moduleNode))->Module();
}

struct GroupInfo {
    std::string_view caption;
    TreeNodeKind elementKind;
};

GroupInfo GroupOf(TreeNodeKind groupKind) {
    switch (groupKind) {
        case TreeNodeKind::EnumTypes: return {kEnumTypesNode, TreeNodeKind::EnumType};
        case TreeNodeKind::ProceduralTypes: return {kProceduralTypesNode, TreeNodeKind::ProceduralType};
        case TreeNodeKind::RegisteredTypes: return {kRegisteredTypesNode, TreeNodeKind::RegisteredType};
        case TreeNodeKind::Methods: return {kMethodsNode, TreeNodeKind::Method};
        case TreeNodeKind::Properties: return {kPropertiesNode, TreeNodeKind::Property};
        case TreeNodeKind::Events: return {kEventsNode, TreeNodeKind::Event};
        case TreeNodeKind::ExternalProperties: return {kExternalPropertiesNode, TreeNodeKind::ExternalProperty};
        case TreeNodeKind::DebugApplications: return {kDebugApplicationsNode, TreeNodeKind::DebugApplication};
        default: return {{}, groupKind};
    }
}

TCollection& GroupCollection(TemgModule& module, TreeNodeKind groupKind) {
    switch (groupKind) {
        case TreeNodeKind::EnumTypes: return module.EnumTypes();
        case TreeNodeKind::ProceduralTypes: return module.ProceduralTypes();
        case TreeNodeKind::RegisteredTypes: return module.RegisteredDataTypes();
        case TreeNodeKind::Methods: return module.MainClass().Methods();
        case TreeNodeKind::Properties: return module.MainClass().Properties();
        case TreeNodeKind::Events: return module.MainClass().Events();
        case TreeNodeKind::ExternalProperties: return module.MainClass().ExternalClasses();
        default: return module.DebugApplications();
    }
}

// Groups in tree order after "Generated Units".
constexpr TreeNodeKind kGroupOrder[] = {
    TreeNodeKind::EnumTypes,  TreeNodeKind::ProceduralTypes, TreeNodeKind::RegisteredTypes,
    TreeNodeKind::Methods,    TreeNodeKind::Properties,      TreeNodeKind::Events,
    TreeNodeKind::ExternalProperties, TreeNodeKind::DebugApplications,
};

int GroupRank(TreeNodeKind kind) {
    for (std::size_t i = 0; i < std::size(kGroupOrder); ++i)
        if (kGroupOrder[i] == kind) return static_cast<int>(i);
    return -1;
}

int ElementImage(TreeNodeKind kind, const TPersistent& element) {
    switch (kind) {
        case TreeNodeKind::EnumType: return 14;
        case TreeNodeKind::ProceduralType:
            return static_cast<const TemgProceduralType&>(element).GetMethodCategory() == mcFunction ? 17 : 16;
        case TreeNodeKind::RegisteredType:
            return static_cast<const TemgRegisteredDataType&>(element).GetProceduralType() ? 18 : 15;
        case TreeNodeKind::Method:
            return static_cast<const TemgMethod&>(element).GetCategory() == mcFunction ? 8 : 11;
        case TreeNodeKind::Property: return 6;
        case TreeNodeKind::Event: return 19;
        case TreeNodeKind::DebugApplication: return 20;
        case TreeNodeKind::ExternalProperty: return 37;
        default: return kOtherImage;
    }
}

std::string ElementCaption(TreeNodeKind kind, const TPersistent& element) {
    // An external property is shown by the property name its class declares.
    if (kind == TreeNodeKind::ExternalProperty) {
        const auto& external = static_cast<const TemgExternalClass&>(element);
        return external.GetPropertyName().empty() ? external.GetName() : external.GetPropertyName();
    }
    return static_cast<const TCollectionItem&>(element).GetDisplayName();
}

// A caption of the tree in the user's language; the text itself without a translation.
QString Tr(const char* text) { return QCoreApplication::translate("quillon::ProjectTree", text); }

}  // namespace

QString TreeNodeKindName(TreeNodeKind kind) {
    switch (kind) {
        case TreeNodeKind::Project: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Project"));
        case TreeNodeKind::Releases: return Tr(kReleasesNode.data());
        case TreeNodeKind::Module: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Class Module"));
        case TreeNodeKind::AddedUnits: return Tr(kAddedUnitsNode.data());
        case TreeNodeKind::CopyFiles: return Tr(kCopyFilesNode.data());
        case TreeNodeKind::GeneratedUnits: return Tr(kGeneratedUnitsNode.data());
        case TreeNodeKind::GeneratedUnit: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Generated Unit"));
        case TreeNodeKind::EnumTypes: return Tr(kEnumTypesNode.data());
        case TreeNodeKind::EnumType: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Enumerated Type"));
        case TreeNodeKind::ProceduralTypes: return Tr(kProceduralTypesNode.data());
        case TreeNodeKind::ProceduralType: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Procedural Type"));
        case TreeNodeKind::RegisteredTypes: return Tr(kRegisteredTypesNode.data());
        case TreeNodeKind::RegisteredType: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Registered Type"));
        case TreeNodeKind::Methods: return Tr(kMethodsNode.data());
        case TreeNodeKind::Method: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Method"));
        case TreeNodeKind::Properties: return Tr(kPropertiesNode.data());
        case TreeNodeKind::Property: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Property"));
        case TreeNodeKind::Events: return Tr(kEventsNode.data());
        case TreeNodeKind::Event: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Event"));
        case TreeNodeKind::ExternalProperties: return Tr(kExternalPropertiesNode.data());
        case TreeNodeKind::ExternalProperty: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "External Property"));
        case TreeNodeKind::DebugApplications: return Tr(kDebugApplicationsNode.data());
        case TreeNodeKind::DebugApplication: return Tr(QT_TRANSLATE_NOOP("quillon::ProjectTree", "Debug Application"));
    }
    return {};
}

bool IsElementKind(TreeNodeKind kind) {
    switch (kind) {
        case TreeNodeKind::EnumType:
        case TreeNodeKind::ProceduralType:
        case TreeNodeKind::RegisteredType:
        case TreeNodeKind::Method:
        case TreeNodeKind::Property:
        case TreeNodeKind::Event:
        case TreeNodeKind::ExternalProperty:
        case TreeNodeKind::DebugApplication: return true;
        default: return false;
    }
}

TreeNodeKind NodeKind(const QTreeWidgetItem* node) {
    return static_cast<TreeNodeKind>(node->data(0, kKindRole).toInt());
}

TPersistent* NodeObject(const QTreeWidgetItem* node) {
    return node ? reinterpret_cast<TPersistent*>(node->data(0, kObjectRole).value<quintptr>()) : nullptr;
}

int NodeImage(const QTreeWidgetItem* node) { return node->data(0, kImageRole).toInt(); }

namespace {

// A module node without its children yet, showing its expander.
QTreeWidgetItem* AddUnfilledModuleNode(QTreeWidgetItem& projectNode, TemgpModule& entry, bool first) {
    TemgModule& module = entry.Module();
    QTreeWidgetItem* node =
        AddNode(projectNode, module.GetName(), TreeNodeKind::Module, &entry, first ? 10 : module.ImageIndex());
    node->setData(0, kFilledRole, false);
    node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return node;
}

bool IsUnfilled(const QTreeWidgetItem& node) {
    const QVariant filled = node.data(0, kFilledRole);
    return filled.isValid() && !filled.toBool();
}

// Whether the children of the module node of `entry` include a node of `object`.
bool ModuleShows(TemgpModule& entry, const TPersistent* object) {
    TemgModule& module = entry.Module();
    if (object == &module.AddUnits() || object == &module.CopyFiles()) return entry.Index() != 0;
    const TUnitsManagerCollection& units = module.Units();
    if (object == &units) return true;
    for (int i = 0; i < units.Count(); ++i)
        if (object == units.Items(i)) return true;
    for (TreeNodeKind group : kGroupOrder) {
        TCollection& collection = GroupCollection(module, group);
        if (collection.Count() == 0) continue;
        if (object == &collection) return true;
        for (int i = 0; i < collection.Count(); ++i)
            if (object == collection.Item(i)) return true;
    }
    return false;
}

QTreeWidgetItem* NodeBelow(QTreeWidgetItem& node, const TPersistent* object) {
    for (int i = 0; i < node.childCount(); ++i) {
        QTreeWidgetItem* child = node.child(i);
        if (NodeObject(child) == object) return child;
        if (QTreeWidgetItem* found = NodeBelow(*child, object)) return found;
    }
    return nullptr;
}

void StyleNode(QTreeWidgetItem& node, const QBrush& systemBrush) {
    const auto* state = dynamic_cast<const IItemState*>(NodeObject(&node));
    const auto* modified = dynamic_cast<const IModified*>(NodeObject(&node));
    // Only real changes are set: each one makes the view look for the node among all.
    const bool bold = state ? state->GetModified() : modified && modified->GetModified();
    QFont font = node.font(0);
    if (font.bold() != bold) {
        font.setBold(bold);
        node.setFont(0, font);
    }
    const QVariant foreground = node.data(0, Qt::ForegroundRole);
    if (state && state->IsSystemItem()) {
        if (foreground != QVariant(systemBrush)) node.setForeground(0, systemBrush);
    } else if (foreground.isValid()) {
        node.setData(0, Qt::ForegroundRole, QVariant());
    }
}

QBrush SystemBrush() { return QBrush(QColor(0x80, 0x80, 0x80)); }

void StyleSubtree(QTreeWidgetItem& node, const QBrush& systemBrush) {
    StyleNode(node, systemBrush);
    for (int i = 0; i < node.childCount(); ++i) StyleSubtree(*node.child(i), systemBrush);
}

}  // namespace

void BuildProjectTree(QTreeWidget& tree, TemgpProject& project) {
    tree.clear();
    // A module's children are made when it is first expanded (by the user, or by selecting a
    // node inside it).
    if (!tree.property("quillonModulesFillOnExpand").toBool()) {
        QObject::connect(&tree, &QTreeWidget::itemExpanded, &tree,
                         [](QTreeWidgetItem* node) { EnsureModuleChildren(*node); });
        tree.setProperty("quillonModulesFillOnExpand", true);
    }
    if (project.IsEmpty()) return;
    // Built apart from the tree and added whole: a node inside a shown tree tells the view of
    // every value set on it, which made opening a project of thousands of elements take seconds.
    auto* projectNode = new QTreeWidgetItem();
    Describe(*projectNode, project.GetName(), TreeNodeKind::Project, &project, 12);
    AddNode(*projectNode, kReleasesNode, TreeNodeKind::Releases, &project.Releases(), 36);
    for (int i = 0; i < project.Modules().Count(); ++i)
        AddUnfilledModuleNode(*projectNode, *project.Modules().Items(i), i == 0);
    tree.addTopLevelItem(projectNode);
    projectNode->setExpanded(true);
}

namespace {

// Adds the children of a module node: added units and copy rules (not for the common types
// module), the generated units, then the element groups that have elements.
void FillModuleNode(QTreeWidgetItem& node, TemgModule& module, bool first) {
    if (!first) {
        AddNode(node, kAddedUnitsNode, TreeNodeKind::AddedUnits, &module.AddUnits(), 35);
        AddNode(node, kCopyFilesNode, TreeNodeKind::CopyFiles, &module.CopyFiles(), 36);
    }
    const TUnitsManagerCollection& units = module.Units();
    QTreeWidgetItem* unitsNode = AddNode(node, kGeneratedUnitsNode, TreeNodeKind::GeneratedUnits, &units, kOtherImage);
    for (int i = 0; i < units.Count(); ++i) {
        const TUnitsManager& unit = *units.Items(i);
        // The common types module writes its types unit and nothing else.
        if (first && unit.Kind() != TFileKind::TypesUnit) continue;
        AddNode(*unitsNode, unit.Caption(), TreeNodeKind::GeneratedUnit, &unit, unit.ImageIndex());
    }
    for (TreeNodeKind group : kGroupOrder) {
        if (GroupCollection(module, group).Count() == 0) continue;
        QTreeWidgetItem* groupNode = EnsureGroupNode(node, group);
        TCollection& collection = GroupCollection(module, group);
        for (int i = 0; i < collection.Count(); ++i) AddElementNode(*groupNode, *collection.Item(i));
    }
}

}  // namespace

QTreeWidgetItem* AddModuleNode(QTreeWidgetItem& projectNode, TemgpModule& entry, bool first) {
    QTreeWidgetItem* node = AddUnfilledModuleNode(projectNode, entry, first);
    EnsureModuleChildren(*node);
    return node;
}

void EnsureModuleChildren(QTreeWidgetItem& node) {
    if (!IsUnfilled(node)) return;
    // Marked first: filling adds its groups through EnsureGroupNode, which comes back here.
    node.setData(0, kFilledRole, true);
    node.setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    TemgpModule& entry = *static_cast<TemgpModule*>(NodeObject(&node));
    FillModuleNode(node, entry.Module(), entry.Index() == 0);
    StyleSubtree(node, SystemBrush());
}

void RefreshNode(QTreeWidgetItem& node) {
    TPersistent* object = NodeObject(&node);
    const TreeNodeKind kind = NodeKind(&node);
    switch (kind) {
        case TreeNodeKind::Project:
            node.setText(0, ToQ(static_cast<TemgpProject*>(object)->GetName()));
            return;
        case TreeNodeKind::Module: {
            TemgpModule& entry = *static_cast<TemgpModule*>(object);
            const bool first = entry.Index() == 0;
            if (IsUnfilled(node)) {
                // Its children show the module as it is when they are made.
                Describe(node, entry.Module().GetName(), kind, &entry, first ? 10 : entry.Module().ImageIndex());
                return;
            }
            QSet<int> expanded;
            for (int i = 0; i < node.childCount(); ++i)
                if (node.child(i)->isExpanded()) expanded.insert(static_cast<int>(NodeKind(node.child(i))));
            Describe(node, entry.Module().GetName(), kind, &entry, first ? 10 : entry.Module().ImageIndex());
            qDeleteAll(node.takeChildren());
            FillModuleNode(node, entry.Module(), first);
            for (int i = 0; i < node.childCount(); ++i)
                node.child(i)->setExpanded(expanded.contains(static_cast<int>(NodeKind(node.child(i)))));
            return;
        }
        default:
            if (IsElementKind(kind)) Describe(node, ElementCaption(kind, *object), kind, object, ElementImage(kind, *object));
            return;
    }
}

QTreeWidgetItem* EnsureGroupNode(QTreeWidgetItem& moduleNode, TreeNodeKind groupKind) {
    EnsureModuleChildren(moduleNode);
    const int rank = GroupRank(groupKind);
    int insertAt = moduleNode.childCount();
    for (int i = 0; i < moduleNode.childCount(); ++i) {
        QTreeWidgetItem* child = moduleNode.child(i);
        if (NodeKind(child) == groupKind) return child;
        const int childRank = GroupRank(NodeKind(child));
        if (childRank > rank) {
            insertAt = i;
            break;
        }
    }
    auto* group = new QTreeWidgetItem();
    moduleNode.insertChild(insertAt, group);
    Describe(*group, GroupOf(groupKind).caption, groupKind, &GroupCollection(ModuleOf(moduleNode), groupKind),
             kOtherImage);
    return group;
}

QTreeWidgetItem* AddElementNode(QTreeWidgetItem& groupNode, TPersistent& element) {
    // A group its module made just now holds the new element already.
    for (int i = 0; i < groupNode.childCount(); ++i)
        if (NodeObject(groupNode.child(i)) == &element) return groupNode.child(i);
    const TreeNodeKind kind = GroupOf(NodeKind(&groupNode)).elementKind;
    return AddNode(groupNode, ElementCaption(kind, element), kind, &element, ElementImage(kind, element));
}

QTreeWidgetItem* FindNodeOf(const QTreeWidget& tree, const TPersistent* object) {
    if (!object) return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it)
        if (NodeObject(*it) == object) return *it;
    // Not made yet: the module that would show it makes its children.
    QTreeWidgetItem* projectNode = tree.topLevelItem(0);
    for (int i = 0; projectNode && i < projectNode->childCount(); ++i) {
        QTreeWidgetItem* moduleNode = projectNode->child(i);
        if (!IsUnfilled(*moduleNode) || !ModuleShows(*static_cast<TemgpModule*>(NodeObject(moduleNode)), object))
            continue;
        EnsureModuleChildren(*moduleNode);
        return NodeBelow(*moduleNode, object);
    }
    return nullptr;
}

QTreeWidgetItem* AncestorOfKind(QTreeWidgetItem* node, TreeNodeKind kind) {
    for (; node; node = node->parent())
        if (NodeKind(node) == kind) return node;
    return nullptr;
}

void RefreshNodeStyles(QTreeWidget& tree) {
    const QBrush systemBrush = SystemBrush();
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) StyleNode(**it, systemBrush);
}

}  // namespace quillon
