// The database connection that a module or a debug application carries (alias, user, password,
// login prompt) and the named dataset element.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "elements/ElementBase.h"

namespace quillon {

// Used as a single owned object, not as a collection item.
class TemgDatabaseConnection : public TemgCollectionItem {
public:
    static constexpr std::string_view kClassName = "TemgDatabaseConnection";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgDatabaseConnection>(); }

    const std::string& GetAliasName() const { return FAliasName; }
    void SetAliasName(std::string_view value) { SetField(FAliasName, value); }
    const std::string& GetUserName() const { return FUserName; }
    void SetUserName(std::string_view value) { SetField(FUserName, value); }
    // Stored in the model file as entered.
    const std::string& GetPassword() const { return FPassword; }
    void SetPassword(std::string_view value) { SetField(FPassword, value); }
    bool GetLoginPrompt() const { return FLoginPrompt; }
    void SetLoginPrompt(bool value) { SetField(FLoginPrompt, value); }

    // "AliasName = A; UserName = U; " and, without a login prompt, " Password = *****; ": the
    // password itself is never shown.
    std::string GetDisplayName() const override;

protected:
    // The properties above with the given declared default of LoginPrompt, for an owner whose
    // fresh connection starts with another value.
    static void PublishConnection(PropertyList& p, std::optional<bool> loginPromptDefault);
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FAliasName;
    std::string FUserName;
    std::string FPassword;
    bool FLoginPrompt = true;
};

class TemgDataset : public TemgAppellationItem {
public:
    static constexpr std::string_view kClassName = "TemgDataset";
    const PropertyList& Published() const override { return PublishedOf<TemgDataset>(); }

    // "Name:TQuery;"
    std::string DeclarationText() const override { return GetName() + ":TQuery;"; }
};

}  // namespace quillon
