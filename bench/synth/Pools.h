// What synthetic designs are filled with: built-in registered types with a default value each,
// and long captions beyond ASCII.
#pragma once

#include <array>
#include <string_view>

namespace quillon {

struct RegisteredChoice {
    std::string_view type;
    std::string_view defaultValue;
};
inline constexpr std::array<RegisteredChoice, 8> kRegistered{{{"Integer", "42"},
                                                              {"String", "'Grüße, ''Welt'''"},
                                                              {"Double", "3.5"},
                                                              {"Boolean", "True"},
                                                              {"Currency", "100"},
                                                              {"TDateTime", "0"},
                                                              {"Int64", "-1"},
                                                              {"WideString", "'naïve café'"}}};

// Long captions with quotes and text beyond ASCII: they are cut over several lines in the model
// file, where each character beyond ASCII is a #NNN code.
inline constexpr std::array<std::string_view, 4> kCaptionTexts{
    "Größe des Kontos für die Zweigstelle „Süd“ – Übersicht über alle Buchungen des laufenden Jahres",
    "Montant total des opérations réglées à l'échéance, y compris les frais et les intérêts créditeurs",
    "Сумма всех платежей клиента за отчётный период с учётом скидок и налогов",
    "Customer's \"preferred\" branch — the one named in the contract's «Schedule A», section №4"};

}  // namespace quillon
