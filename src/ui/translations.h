#pragma once

class QCoreApplication;

namespace hanaki {

// Installs Qt's own Japanese texts (qtbase_ja.qm: standard buttons, the print
// dialog) when they are installed, read when Qt first needs one; false when
// they are not installed.
bool InstallJapaneseTranslations(QCoreApplication& app);

}  // namespace hanaki
