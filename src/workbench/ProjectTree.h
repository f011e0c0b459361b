// The project tree: one node per model object the workbench shows, each carrying its object, its
// kind and its image index; building the nodes of a project or a module and finding them again.
#pragma once

#include <string_view>

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace quillon {

class TPersistent;
class TemgpModule;
class TemgpProject;

enum class TreeNodeKind {
    Project,
    Releases,
    Module,
    AddedUnits,
    CopyFiles,
    GeneratedUnits,
    GeneratedUnit,
    EnumTypes,
    EnumType,
    ProceduralTypes,
    ProceduralType,
    RegisteredTypes,
    RegisteredType,
    Methods,
    Method,
    Properties,
    Property,
    Events,
    Event,
    ExternalProperties,
    ExternalProperty,
    DebugApplications,
    DebugApplication,
};

// A node of one design element (a type, member or debug application), as opposed to the project,
// a module, a group or a generated unit.
bool IsElementKind(TreeNodeKind kind);

// A readable name of a kind ("Method", "Enumerated Types") for the editor area.
QString TreeNodeKindName(TreeNodeKind kind);

TreeNodeKind NodeKind(const QTreeWidgetItem* node);
TPersistent* NodeObject(const QTreeWidgetItem* node);
int NodeImage(const QTreeWidgetItem* node);

// Clears the tree and adds the project's nodes; nothing for an empty project. The module nodes
// come without their children, which each makes when first expanded or needed
// (EnsureModuleChildren): opening a large project makes only a node per module.
void BuildProjectTree(QTreeWidget& tree, TemgpProject& project);
// Adds the subtree of a module entry under the project node; `first` marks the common types
// module.
QTreeWidgetItem* AddModuleNode(QTreeWidgetItem& projectNode, TemgpModule& entry, bool first);
// Makes the children of a module node that has none made yet, styled as RefreshNodeStyles
// would; any other node is left as it is.
void EnsureModuleChildren(QTreeWidgetItem& node);
// The member groups of a module node, in their order, created when missing: Methods,
// Properties, Events, External Properties, Debug Applications.
QTreeWidgetItem* EnsureGroupNode(QTreeWidgetItem& moduleNode, TreeNodeKind groupKind);
// Adds the node of one element under its group node, or returns the one it has already.
QTreeWidgetItem* AddElementNode(QTreeWidgetItem& groupNode, TPersistent& element);

// Shows the node's object again after an edit: the caption and image of an element, the
// project's name, or a module's name, image and subtree (its generated units follow the server
// option; expanded groups stay expanded).
void RefreshNode(QTreeWidgetItem& node);

// The node whose object is `object`, or nullptr; a module whose children would show it makes
// them.
QTreeWidgetItem* FindNodeOf(const QTreeWidget& tree, const TPersistent* object);
// `node` or its nearest ancestor of `kind`, or nullptr.
QTreeWidgetItem* AncestorOfKind(QTreeWidgetItem* node, TreeNodeKind kind);

// Bold for nodes whose object reports modified, grey for system items; rerun after changes.
void RefreshNodeStyles(QTreeWidget& tree);

}  // namespace quillon
