#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace hanaki {

// A one-line field that holds at most `byteLimit` bytes of code page 932 and
// only characters code page 932 can hold. The limit holds for typed keys,
// input-method commits and pastes alike: a commit that would pass the limit is
// cut at a character boundary. Refusals are announced through `refused` so the
// screen can show a hint in its legend line. Text the program sets with
// setText() is not checked.
class ByteLimitedField : public QLineEdit {
    Q_OBJECT
  public:
    explicit ByteLimitedField(int byteLimit = 0, QWidget* parent = nullptr);

    // 0 means no limit.
    void setByteLimit(int bytes) { byteLimit_ = bytes; }
    int byteLimit() const { return byteLimit_; }

    // Characters a field refuses besides the unencodable ones ("," in names).
    void setForbiddenCharacters(const QString& characters) { forbidden_ = characters; }

    // Number fields: the input method is off, full-width forms (digits, "－",
    // and "ー" or "−" for a minus) from an input method left on are taken as
    // their ASCII forms, and any other non-ASCII character is refused.
    void setAsciiOnly(bool on);
    bool asciiOnly() const { return asciiOnly_; }
    // The input method off for a while (a text begun as plain keys goes on as
    // keys), the characters the field takes unchanged.
    void setInputMethodOff(bool off);

    using QLineEdit::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  signals:
    void refused(const QString& hint);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    struct Admitted {
        QString text;
        QString hint;  // empty when everything offered was taken
    };
    // The part of `offered` that may go in while `kept` stays in the field.
    Admitted Admit(const QString& offered, const QString& kept) const;
    // The text that stays when the selection is replaced.
    QString Kept() const;
    void PasteFrom(QClipboard::Mode mode);

    int byteLimit_;
    QString forbidden_;
    bool asciiOnly_ = false;
    bool inputMethodOff_ = false;
};

}  // namespace hanaki
