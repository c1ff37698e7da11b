#include "entry/remark_completer.h"

#include "data/book/remark_memory.h"
#include "ui/byte_limited_field.h"
#include "ui/text_codec.h"
#include "ui/text_folding.h"

namespace hanaki {
namespace {

// The part of `remark` after what folds to `typed`; null when no prefix of it does.
QString RestAfter(const QString& remark, const QString& typed) {
    const std::u32string folded = FoldText(typed.toStdString());
    for (qsizetype i = 1; i <= remark.size(); ++i) {
        const std::u32string prefix = FoldText(remark.left(i).toStdString());
        if (prefix == folded)
            return i < remark.size() ? remark.mid(i) : QString();
        if (prefix.size() > folded.size())
            break;
    }
    return {};
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
           field_->selectionStart() == static_cast<int>(typed_.size());
}

bool RemarkCompleter::Accept() {
    if (composing_ || !Shown())
        return false;
    field_->deselect();
    field_->end(false);
    typed_ = field_->text();
    shown_ = false;
    emit shownChanged();
    return true;
}

void RemarkCompleter::Reset() {
    typed_ = field_->text();
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
    OnEdited(text);
}

void RemarkCompleter::OnEdited(const QString& text) {
    const bool deleted = text.size() <= typed_.size() && typed_.startsWith(text);
    const bool wasShown = shown_;
    typed_ = text;
    shown_ = false;
    if (!deleted && !composing_ && !text.isEmpty() && !field_->hasSelectedText() &&
        field_->cursorPosition() == text.size()) {
        const std::optional<std::string> typed = ToCp932(text);
        for (const std::string& remark :
             typed ? memory_.Completions(*typed) : std::vector<std::string>{}) {
            const QString rest =
                Fitted(text, RestAfter(FromCp932(remark), text), field_->byteLimit());
            if (rest.isEmpty())
                continue;
            field_->setText(text + rest);
            field_->setSelection(static_cast<int>(text.size()), static_cast<int>(rest.size()));
            shown_ = true;
            break;
        }
    }
    if (wasShown || shown_)
        emit shownChanged();
}

}  // namespace hanaki
