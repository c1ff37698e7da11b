#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// Where text meets the screen: code page 932 bytes to and from QString.
namespace hanaki {

QString FromCp932(std::string_view bytes);
// nullopt when the text holds a character code page 932 cannot hold.
std::optional<std::string> ToCp932(const QString& text);
// Bytes the text takes in code page 932 (an unmappable character counts 2).
int Cp932Length(const QString& text);
// The first character code page 932 cannot hold, or an empty string.
QString FirstUnencodable(const QString& text);

}  // namespace hanaki
