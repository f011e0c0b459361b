#include "generator/FormFiles.h"

#include "model/ObjectText.h"
#include "platform/Text.h"

namespace quillon {

namespace {

void Indent(std::string& out, int level) { out.append(static_cast<std::size_t>(level * kIndentWidth), ' '); }

}  // namespace

TFormObject::TFormObject(std::string_view name, std::string_view className, bool inherited)
    : FName(name), FClassName(className), FInherited(inherited) {}

TFormObject& TFormObject::String(std::string_view property, std::string_view value) {
    FLines.push_back({std::string(property), LineKind::String, std::string(value), {}});
    return *this;
}

TFormObject& TFormObject::Integer(std::string_view property, long long value) {
    return Value(property, std::to_string(value));
}

TFormObject& TFormObject::Boolean(std::string_view property, bool value) {
    return Value(property, value ? "True" : "False");
}

TFormObject& TFormObject::Value(std::string_view property, std::string_view value) {
    FLines.push_back({std::string(property), LineKind::Raw, std::string(value), {}});
    return *this;
}

TFormObject& TFormObject::Strings(std::string_view property, const std::vector<std::string>& lines) {
    FLines.push_back({std::string(property) + ".Strings", LineKind::Strings, {}, lines});
    return *this;
}

TFormObject& TFormObject::Add(std::string_view name, std::string_view className, bool inherited) {
    FChildren.push_back(std::make_unique<TFormObject>(name, className, inherited));
    return *FChildren.back();
}

TFormObject* TFormObject::Find(std::string_view name) {
    if (SameText(FName, name)) return this;
    for (const auto& child : FChildren)
        if (TFormObject* found = child->Find(name)) return found;
    return nullptr;
}

void TFormObject::AppendText(std::string& out, int level) const {
    Indent(out, level);
    out += FInherited ? "inherited " : "object ";
    out += FName.empty() ? FClassName : FName + ": " + FClassName;
    out += kLineEnd;
    const int inner = level + 1;
    for (const Line& line : FLines) {
        Indent(out, inner);
        out += line.property + " = ";
        switch (line.kind) {
            case LineKind::String: AppendStringValue(out, line.value, inner); break;
            case LineKind::Raw: out += line.value; break;
            case LineKind::Strings:
                out += '(';
                for (const std::string& entry : line.lines) {
                    out += kLineEnd;
                    Indent(out, inner + 1);
                    AppendStringValue(out, entry, inner + 1);
                }
                out += ')';
                break;
        }
        out += kLineEnd;
    }
    for (const auto& child : FChildren) child->AppendText(out, inner);
    Indent(out, level);
    out += "end";
    out += kLineEnd;
}

std::string TFormObject::Text() const {
    std::string out;
    AppendText(out, 0);
    return out;
}

std::string EventBinding(std::string_view component, std::string_view event, std::string_view handler) {
    return std::string(component) + "=" + std::string(event) + " = " + std::string(handler);
}

void InsertEventBindings(TFormObject& root, const std::vector<std::string>& bindings) {
    for (const std::string& binding : bindings) {
        const std::size_t split = binding.find('=');
        if (split == std::string::npos) continue;
        const std::string rest = binding.substr(split + 1);
        const std::size_t assign = rest.find(" = ");
        if (assign == std::string::npos) continue;
        if (TFormObject* target = root.Find(std::string_view(binding).substr(0, split)))
            target->Value(rest.substr(0, assign), rest.substr(assign + 3));
    }
}

}  // namespace quillon
