#include "ui/translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstring>

namespace hanaki {
namespace {

constexpr const char* kQtJapanese = "qtbase_ja";

// Qt's own texts are read from their file when Qt first asks for one: the
// main window shows none of them, a message box or the print dialog does.
class TranslatorOnFirstUse : public QTranslator {
  public:
    TranslatorOnFirstUse(QString folder, QObject* parent)
        : QTranslator(parent), folder_(std::move(folder)) {}

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        // Asked as a translator is installed: Japanese runs left to right.
        if (std::strcmp(sourceText, "QT_LAYOUT_DIRECTION") == 0)
            return QStringLiteral("LTR");
        if (!read_)
            read_ = texts_.load(QString::fromLatin1(kQtJapanese), folder_) ? 1 : -1;
        // A file that went missing since the start leaves Qt's English texts.
        return read_ > 0 ? texts_.translate(context, sourceText, disambiguation, n) : QString();
    }
    bool isEmpty() const override { return false; }

  private:
    QString folder_;
    mutable int read_ = 0;  // 1 read, -1 unreadable
    mutable QTranslator texts_;
};

}  // namespace

bool InstallJapaneseTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(folder + QStringLiteral("/") + QString::fromLatin1(kQtJapanese) +
                           QStringLiteral(".qm")))
        return false;
    return app.installTranslator(new TranslatorOnFirstUse(folder, &app));
}

}  // namespace hanaki
