#include "elements/DatabaseElements.h"

namespace quillon {

void TemgDatabaseConnection::PublishProperties(PropertyList& p) { PublishConnection(p, true); }

void TemgDatabaseConnection::PublishConnection(PropertyList& p, std::optional<bool> loginPromptDefault) {
    TemgCollectionItem::PublishProperties(p);
    p.String("AliasName", &TemgDatabaseConnection::GetAliasName, &TemgDatabaseConnection::SetAliasName);
    p.String("UserName", &TemgDatabaseConnection::GetUserName, &TemgDatabaseConnection::SetUserName);
    p.String("Password", &TemgDatabaseConnection::GetPassword, &TemgDatabaseConnection::SetPassword);
    p.Boolean("LoginPrompt", &TemgDatabaseConnection::GetLoginPrompt, &TemgDatabaseConnection::SetLoginPrompt,
              loginPromptDefault);
}

std::string TemgDatabaseConnection::GetDisplayName() const {
    std::string text = "AliasName = " + FAliasName + "; " + "UserName = " + FUserName + "; ";
    if (!FLoginPrompt) text += " Password = *****; ";
    return text;
}

void TemgDatabaseConnection::AssignTo(TPersistent& dest) const {
    if (auto* target = dynamic_cast<TemgDatabaseConnection*>(&dest)) {
        target->SetAliasName(FAliasName);
        target->SetUserName(FUserName);
        target->SetPassword(FPassword);
        target->SetLoginPrompt(FLoginPrompt);
        return;
    }
    TemgCollectionItem::AssignTo(dest);
}

}  // namespace quillon
