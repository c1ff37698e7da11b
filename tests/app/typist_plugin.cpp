#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QKeySequence>
#include <QTimer>

#include "support/keyboard.h"

// Loaded into a real program by QT_QPA_GENERIC_PLUGINS=typist, it types the
// steps of HANAKI_TYPIST_KEYS as a user would once a window has the keyboard,
// so that a test can leave the program in the middle of an edit. Steps are
// separated by "|": "key:Return", "type:abc", "commit:買い物" (what an input
// method commits). When they are done the file HANAKI_TYPIST_DONE is made.
namespace {

class Typist : public QObject {
  public:
    Typist() {
        connect(&poll_, &QTimer::timeout, this, &Typist::TypeOnceFocused);
        poll_.start(20);
    }

  private:
    void TypeOnceFocused() {
        if (QApplication::focusWidget() == nullptr)
            return;
        poll_.stop();
        using namespace hanaki::testing;
        const QStringList steps =
            qEnvironmentVariable("HANAKI_TYPIST_KEYS").split(u'|', Qt::SkipEmptyParts);
        for (const QString& step : steps) {
            const QString kind = step.section(u':', 0, 0);
            const QString text = step.section(u':', 1);
            if (kind == "key") {
                const QKeyCombination key = QKeySequence(text)[0];
                Press(key.key(), key.keyboardModifiers());
            } else if (kind == "type") {
                Type(text);
            } else if (kind == "commit") {
                Commit(text);
            }
        }
        QFile done(qEnvironmentVariable("HANAKI_TYPIST_DONE"));
        [[maybe_unused]] const bool made = done.open(QIODevice::WriteOnly);
    }

    QTimer poll_;
};

class TypistPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "typist.json")
  public:
    QObject* create(const QString&, const QString&) override { return new Typist; }
};

}  // namespace

#include "typist_plugin.moc"
