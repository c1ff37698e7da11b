#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

namespace hanaki {

class ByteLimitedField;
class RemarkMemory;

// The remark field's inline completion: what the user typed or the input
// method committed is completed from the household's earlier remarks, the
// part added selected, so that typing on replaces it and Enter stores it as
// shown. Romaji typed with the input method off is completed from the kana
// remarks it reads as: the field shows the remark, its syllables read kept,
// and typing on goes on with the romaji. Nothing is completed while a
// composition is open or after a deletion, nor past the field's byte limit.
class RemarkCompleter : public QObject {
    Q_OBJECT
  public:
    RemarkCompleter(ByteLimitedField* field, RemarkMemory& memory, QObject* parent);

    // A composition opened (preedit shown) or closed in the field.
    void SetComposing(bool composing) { composing_ = composing; }
    bool composing() const { return composing_; }
    // Whether a completion is shown: the added part selected up to the end.
    bool Shown() const;
    // Takes the completion shown as typed; false when none is.
    bool Accept();
    // Completes the field's text as if it had just been typed.
    void Offer();
    // The field was filled by the program: what it holds counts as typed.
    void Reset();

  signals:
    void shownChanged();

  private:
    void OnEdited(const QString& text);
    // Shows the first of `remarks` that adds something after the first `kept`
    // characters that fold to `keptFolded`; false when none does.
    bool Show(const std::vector<std::string>& remarks, const std::u32string& keptFolded,
              bool reading);

    ByteLimitedField* field_;
    RemarkMemory& memory_;
    QString typed_;         // what the user typed, before the completion
    QString kept_;          // the unselected part of the completion shown
    bool reading_ = false;  // the completion shown is of romaji
    bool composing_ = false;
    bool shown_ = false;
};

}  // namespace hanaki
