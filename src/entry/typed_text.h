#pragma once

#include <QString>

class QKeyEvent;
class QLineEdit;

// What the number and amount fields of the main window take, from a key or
// from an input method's commit alike.
namespace hanaki {

// The key's character, or a null QChar for keys that move or edit.
QChar CharacterOf(const QKeyEvent& key);

// The number fields take digits (full-width ones too); true: `text` is refused.
bool RefuseNumberText(QLineEdit* field, const QString& text);

// The amount fields take digits and a leading minus. `prefilled`: the field
// still shows the corrected item's amount, which the first character typed
// replaces (it is then cleared). True: `text` is refused.
bool RefuseAmountText(QLineEdit* field, const QString& text, bool& prefilled);

// The number a field starts with, as the fields are read: "12", " 3", "-300";
// text that does not start with one counts 0.
long long LeadingValue(const QString& text);

}  // namespace hanaki
