#include "entry/remark_completer.h"

#include <algorithm>

#include "data/book/remark_memory.h"
#include "data/book/romaji.h"
#include "ui/byte_limited_field.h"
#include "ui/text_codec.h"
#include "ui/text_folding.h"

namespace hanaki {
namespace {

// How many characters of `remark` fold to `folded` (as a reading: kana as
// katakana); -1 when no prefix of it does.
qsizetype KeptLength(const QString& remark, const std::u32string& folded, bool reading) {
    if (folded.empty())
        return 0;
    for (qsizetype i = 1; i <= remark.size(); ++i) {
        std::u32string prefix = FoldText(remark.left(i).toStdString());
        if (reading)
            prefix = KatakanaOf(std::move(prefix));
        if (prefix == folded)
            return i;
        if (prefix.size() > folded.size())
            break;
    }
    return -1;
}

// `rest` cut to whole characters so that `kept` and it fit in `limit` bytes.
QString Fitted(const QString& kept, const QString& rest, int limit) {
    int bytes = Cp932Length(kept);
    QString fitted;
    for (char32_t c : rest.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        bytes += Cp932Length(one);
        if (bytes > limit)
            break;
        fitted += one;
    }
    return fitted;
}

bool IsRomaji(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x80 && (c.isLetter() || c == u'-' || c == u'\'');
    });
}

}  // namespace

RemarkCompleter::RemarkCompleter(ByteLimitedField* field, RemarkMemory& memory, QObject* parent)
    : QObject(parent), field_(field), memory_(memory) {
    connect(field_, &ByteLimitedField::textEdited, this, &RemarkCompleter::OnEdited);
    connect(field_, &ByteLimitedField::selectionChanged, this, [this] {
        if (shown_ && !Shown()) {
            shown_ = false;
            emit shownChanged();
        }
    });
}

bool RemarkCompleter::Shown() const {
    return shown_ && field_->hasSelectedText() &&
           field_->selectionEnd() == static_cast<int>(field_->text().size()) &&
           field_->selectionStart() == static_cast<int>(kept_.size());
}

bool RemarkCompleter::Accept() {
    if (composing_ || !Shown())
        return false;
    field_->deselect();
    field_->end(false);
    Reset();
    return true;
}

void RemarkCompleter::Reset() {
    typed_ = field_->text();
    kept_.clear();
    reading_ = false;
    if (shown_) {
        shown_ = false;
        emit shownChanged();
    }
}

void RemarkCompleter::Offer() {
    if (Shown())
        return;  // insert() counts as an edit: it was completed then
    const QString text = field_->text();
    typed_.clear();  // what the field holds is new
    reading_ = false;
    OnEdited(text);
}

void RemarkCompleter::OnEdited(const QString& text) {
    const bool wasShown = shown_;
    const bool atEnd = !field_->hasSelectedText() && field_->cursorPosition() == text.size();
    QString typed = text;
    bool deleted = text.size() <= typed_.size() && typed_.startsWith(text);
    if (reading_ && text == kept_) {
        typed = typed_;  // the completion deleted: the romaji comes back as typed
        deleted = true;
    } else if (reading_ && text.startsWith(kept_) && IsRomaji(text.mid(kept_.size()))) {
        typed = typed_ + text.mid(kept_.size());  // typed over it: the romaji goes on
        deleted = false;
    }
    typed_ = typed;
    kept_ = typed;
    reading_ = false;
    shown_ = false;
    if (!deleted && !composing_ && !typed.isEmpty() && atEnd) {
        if (const std::optional<std::string> bytes = ToCp932(typed)) {
            if (!Show(memory_.Completions(*bytes), FoldText(typed.toStdString()), false) &&
                IsRomaji(typed)) {
                Show(memory_.ReadingCompletions(*bytes),
                     KatakanaOf(ReadRomaji(typed.toStdString()).kana), true);
            }
        }
    }
    if (!shown_ && typed != text)
        field_->setText(typed);
    if (wasShown || shown_)
        emit shownChanged();
}

bool RemarkCompleter::Show(const std::vector<std::string>& remarks,
                           const std::u32string& keptFolded, bool reading) {
    for (const std::string& bytes : remarks) {
        const QString remark = FromCp932(bytes);
        const qsizetype length = KeptLength(remark, keptFolded, reading);
        if (length < 0)
            continue;
        const QString kept = reading ? remark.left(length) : typed_;
        const QString rest = Fitted(kept, remark.mid(length), field_->byteLimit());
        if (rest.isEmpty())
            continue;
        field_->setText(kept + rest);
        field_->setSelection(static_cast<int>(kept.size()), static_cast<int>(rest.size()));
        kept_ = kept;
        reading_ = reading;
        shown_ = true;
        return true;
    }
    return false;
}

}  // namespace hanaki

#include "moc_remark_completer.cpp"
