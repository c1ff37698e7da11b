#include "entry/entry_form.h"

#include <QLabel>
#include <QLineEdit>

#include "data/book/amount_format.h"
#include "data/book/consumption_tax.h"
#include "data/book/remark_memory.h"
#include "data/formats/fixed_field.h"
#include "entry/entry_calculator.h"
#include "entry/item_correction.h"
#include "entry/item_store.h"
#include "entry/month_view.h"
#include "entry/remark_completer.h"
#include "entry/typed_text.h"
#include "ui/byte_limited_field.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

// A guide from the master, lines as the screen breaks them.
QString GuideText(const std::string& bytes) {
    return FromCp932(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

EntryForm::EntryForm(ProgramState& state, Services& services, ItemStore& store,
                     const MainEntryControls& controls, MonthView& month,
                     ItemCorrection& correction, RemarkMemory& memory, QWidget* window)
    : QObject(window),
      state_(state),
      services_(services),
      store_(store),
      controls_(controls),
      month_(month),
      correction_(correction),
      window_(window),
      calculator_(std::make_unique<EntryCalculator>(controls.calculatorField, controls.legend,
                                                    services.messages, window)),
      memory_(memory),
      completer_(new RemarkCompleter(controls.remarkField, memory, this)) {
    connect(&correction_, &ItemCorrection::chosen, this, &EntryForm::BeginCorrection);
    connect(calculator_.get(), &EntryCalculator::finished, this, [this](const QString& result) {
        QLineEdit* field = AmountFieldOfCategory();
        field->setText(result);
        FocusAmountField();
        AcceptAmount(field);
    });
    connect(calculator_.get(), &EntryCalculator::cancelled, this, &EntryForm::FocusAmountField);
}

EntryForm::~EntryForm() = default;

void EntryForm::EnterCategoryField() {
    controls_.guide->setText(GuideText(state_.categories.categoryGuide));
    controls_.categoryTotal->clear();
    controls_.budget->clear();
    const Correction* corrected = correction_.item();
    if (!corrected)
        correction_.ShowInputTitle(false);
    const int row = corrected ? corrected->row : static_cast<int>(month_.day().rows.size()) + 1;
    controls_.rowNumberField->setText(QString::number(row));
}

void EntryForm::EnterDescriptionField() {
    controls_.guide->setText(GuideText(state_.categories.descriptionGuides[currentCategory_]));
}

void EntryForm::AcceptCategory() {
    const long long value = LeadingValue(controls_.categoryField->text());
    const Correction* corrected = correction_.item();
    if (value == 0) {
        if (!corrected)
            return;
        if (!state_.categories.HasCategory(corrected->category)) {
            // Its kind and its names are gone with the category: storing it
            // again would change what the record says. It stays as it is.
            services_.messages.Inform(
                window_, QStringLiteral("訂正"),
                QStringLiteral("この項目の費目は削除されています。記録は変更しません。"));
            correction_.End();
            ClearInputFields();
            emit moveFocus(EntryField::Category);
            return;
        }
        // 変更なし: the corrected item's category stays.
        currentCategory_ = corrected->category;
        controls_.categoryField->setText(corrected->categoryName);
        MoveAmountToFieldOfCategory();
        emit moveFocus(EntryField::Description);
        return;
    }
    if (value < 1 || value > kMaxCategories ||
        !state_.categories.HasCategory(static_cast<int>(value))) {
        controls_.categoryField->clear();
        return;
    }
    if (!corrected && !store_.MayAdd())
        return;
    currentCategory_ = static_cast<int>(value);
    controls_.categoryField->setText(FromCp932(state_.categories.names[currentCategory_]));
    MoveAmountToFieldOfCategory();
    emit moveFocus(EntryField::Description);
    month_.ShowBudget(currentCategory_);
}

void EntryForm::AcceptDescription() {
    const long long value = LeadingValue(controls_.descriptionField->text());
    const Correction* corrected = correction_.item();
    if (value == 0 && corrected && corrected->category == currentCategory_) {
        currentDescription_ = corrected->description;  // 変更なし
        controls_.descriptionField->setText(corrected->descriptionName);
        FocusAmountField();
        return;
    }
    if (value >= 1 && value <= kMaxDescriptions &&
        state_.categories.HasDescription(currentCategory_, static_cast<int>(value))) {
        currentDescription_ = static_cast<int>(value);
        controls_.descriptionField->setText(
            FromCp932(state_.categories.descriptions[currentCategory_][currentDescription_]));
        FocusAmountField();
        return;
    }
    controls_.descriptionField->clear();
}

void EntryForm::AcceptAmount(QLineEdit* field) {
    const QString text = field->text();
    if (text.isEmpty())
        return;
    if (LeadingValue(text) == 0) {
        field->clear();
        return;
    }
    // A calculator result can be longer than the file's amount field holds.
    if (text.size() > kAmountBytes) {
        emit legendHint(QStringLiteral("金額は9桁までです"));
        return;
    }
    // Built by appending: GCC 12 takes "+" + a temporary string at -O2 for an overflow.
    amountText_.assign(1, field == controls_.incomeField ? '+' : '-');
    amountText_ += text.toStdString();
    correction_.AmountEdited();
    emit moveFocus(EntryField::Remark);
}

void EntryForm::LeaveAmount(QLineEdit* field) {
    if (Correction* corrected = correction_.item()) {
        field->setText(corrected->amount);
        corrected->amountPrefilled = true;
    } else {
        controls_.incomeField->clear();
        controls_.expenseField->clear();
        controls_.descriptionField->clear();
    }
    emit moveFocus(EntryField::Description);
}

void EntryForm::LeaveRemark() {
    if (fromRemark_) {  // no category was chosen: the item starts again
        EndFromRemark();
        controls_.remarkField->clear();
        emit moveFocus(EntryField::Category);
        return;
    }
    FocusAmountField();
}

void EntryForm::StartFromRemark(const QString& text, bool asKeys) {
    if (!store_.MayAdd())
        return;
    ClearInputFields();
    fromRemark_ = true;
    // Begun with a plain key, the input method off in the number field: the
    // remark goes on as keys, completed from the kana its romaji reads as.
    controls_.remarkField->setInputMethodOff(asKeys);
    emit moveFocus(EntryField::Remark);
    controls_.remarkField->insert(text);
    completer_->Offer();
}

void EntryForm::TakeRemark() {
    completer_->Accept();
    QString remark = controls_.remarkField->text();
    while (remark.endsWith(u' '))
        remark.chop(1);
    const std::optional<RemarkProposal> last =
        memory_.LastItemWith(ToCp932(remark).value_or(""), state_.categories);
    EndFromRemark();
    if (!last || !FillFrom(last->category, last->description, last->amount)) {
        emit moveFocus(EntryField::Category);  // never booked: the category is typed as ever
        return;
    }
}

bool EntryForm::AcceptCompletion() {
    if (!completer_->Accept())
        return false;
    if (fromRemark_)
        TakeRemark();
    return true;
}

int EntryForm::ItemAbove() const {
    const DayView& day = month_.day();
    return day.rows.empty() ? day.insertionPoint : day.rows.back().slot;
}

void EntryForm::RepeatItem(int slot) {
    if (slot == 0 || !IsLinkedItem(state_.ledger, slot) || !store_.MayAdd())
        return;
    const LedgerRecord& record = state_.ledger.entries[slot].record;
    const std::optional<ItemNumbers> numbers = ReadItemNumbers(record);
    const QString remark = FromCp932(TrimRight(record.remark));
    ClearInputFields();
    repeated_ = slot;  // before the focus moves: the amount field's keys follow it
    if (!numbers || !FillFrom(numbers->category, numbers->description, TrimRight(record.amount))) {
        repeated_ = 0;
        emit legendHint(QStringLiteral("費目が削除された項目は繰り返せません"));
        return;
    }
    controls_.remarkField->setText(remark);
    completer_->Reset();
}

void EntryForm::RepeatEarlier() {
    if (repeated_ == 0)
        return;
    std::vector<int> chain;
    WalkChain(state_.ledger, [&chain](int slot, const LedgerSlot& entry) {
        if (!entry.unreadable)
            chain.push_back(slot);
    });
    const LedgerRecord& shown = state_.ledger.entries[repeated_].record;
    auto at = std::find(chain.begin(), chain.end(), repeated_);
    // The nearest earlier item that differs from the one shown, of a category the master still has.
    while (at != chain.begin()) {
        const LedgerRecord& record = state_.ledger.entries[*--at].record;
        const std::optional<ItemNumbers> numbers = ReadItemNumbers(record);
        if (numbers && state_.categories.HasDescription(numbers->category, numbers->description) &&
            state_.categories.HasCategory(numbers->category) &&
            (record.categoryNumber != shown.categoryNumber ||
             record.descriptionNumber != shown.descriptionNumber || record.amount != shown.amount ||
             record.remark != shown.remark)) {
            RepeatItem(*at);
            return;
        }
    }
}

bool EntryForm::FillFrom(int category, int description, const std::string& amount) {
    if (!state_.categories.HasCategory(category) ||
        !state_.categories.HasDescription(category, description))
        return false;
    currentCategory_ = category;
    currentDescription_ = description;
    controls_.categoryField->setText(FromCp932(state_.categories.names[category]));
    controls_.descriptionField->setText(
        FromCp932(state_.categories.descriptions[category][description]));
    controls_.incomeField->clear();
    controls_.expenseField->clear();
    QLineEdit* field = AmountFieldOfCategory();
    field->setText(QString::fromStdString(amount.size() > 1 ? amount.substr(1) : std::string()));
    FocusAmountField();
    field->selectAll();
    month_.ShowBudget(currentCategory_);
    return true;
}

void EntryForm::ApplyTax(bool add) {
    const QString text = controls_.expenseField->text();
    if (text.isEmpty())
        return;
    // The rate in force on the displayed day.
    const CivilDate on = RealDate(state_.closingDay(), state_.date);
    const long long value = LeadingValue(text);
    const long long taxed = add ? AddConsumptionTax(value, on) : RemoveConsumptionTax(value, on);
    const QString result = QString::fromStdString(FormatPlainBlankZero(static_cast<double>(taxed)));
    if (result.size() > kAmountBytes) {
        emit legendHint(QStringLiteral("金額は9桁までです"));
        return;
    }
    controls_.expenseField->setText(result);
    correction_.AmountEdited();
}

void EntryForm::OpenCalculator(QLineEdit* field) {
    emit moveFocus(EntryField::Calculator);
    calculator_->Open(field->text(), RealDate(state_.closingDay(), state_.date));
}

void EntryForm::CloseCalculator() {
    controls_.calculatorField->hide();
    FocusAmountField();
}

QLineEdit* EntryForm::AmountFieldOfCategory() const {
    return state_.categories.IsExpense(currentCategory_) ? controls_.expenseField
                                                         : controls_.incomeField;
}

void EntryForm::FocusAmountField() {
    emit moveFocus(AmountFieldOfCategory() == controls_.incomeField ? EntryField::Income
                                                                    : EntryField::Expense);
}

void EntryForm::MoveAmountToFieldOfCategory() {
    // A corrected expense moved to an income category keeps its amount, in 入金.
    QLineEdit* kept = AmountFieldOfCategory();
    QLineEdit* other =
        kept == controls_.incomeField ? controls_.expenseField : controls_.incomeField;
    if (other->text().isEmpty())
        return;
    if (kept->text().isEmpty())
        kept->setText(other->text());
    other->clear();
}

void EntryForm::StoreItemFromFields() {
    QString remark = controls_.remarkField->text();
    while (remark.endsWith(u' '))
        remark.chop(1);
    controls_.remarkField->setText(remark);
    const Correction* corrected = correction_.item();
    if (!corrected && !store_.MayAdd())
        return;
    const LedgerRecord record = store_.MakeRecord(currentCategory_, currentDescription_,
                                                  amountText_, ToCp932(remark).value_or(""));
    if (!(corrected ? store_.Replace(corrected->slot, record) : store_.Add(record)))
        return;  // the fields stay: Enter tries again
    if (corrected)
        correction_.End();
    ClearInputFields();
    emit moveFocus(EntryField::Category);
}

void EntryForm::EndFromRemark() {
    fromRemark_ = false;
    repeated_ = 0;
    controls_.remarkField->setInputMethodOff(false);
}

void EntryForm::ClearInputFields() {
    EndFromRemark();
    for (QLineEdit* field : {static_cast<QLineEdit*>(controls_.categoryField),
                             static_cast<QLineEdit*>(controls_.descriptionField),
                             static_cast<QLineEdit*>(controls_.incomeField),
                             static_cast<QLineEdit*>(controls_.expenseField),
                             static_cast<QLineEdit*>(controls_.remarkField)})
        field->clear();
    completer_->Reset();
}

void EntryForm::CheckNewMonth() {
    store_.OfferCarryOver(ToCp932(controls_.remarkField->text()).value_or(""));
    ClearInputFields();
}

void EntryForm::BeginCorrection(int row) {
    const Correction* corrected = correction_.Begin(row);
    if (!corrected)
        return;
    currentCategory_ = corrected->category;
    currentDescription_ = corrected->description;
    amountText_ = corrected->amountText;

    ClearInputFields();
    controls_.categoryField->setText(corrected->categoryName);
    controls_.descriptionField->setText(corrected->descriptionName);
    AmountFieldOfCategory()->setText(corrected->amount);
    controls_.remarkField->setText(corrected->remark);
    completer_->Reset();
    emit moveFocus(EntryField::Category);
}

void EntryForm::CorrectSlot(int slot) {
    const int row = correction_.RowOfSlot(slot);
    if (row == 0)
        return;
    correction_.StartPick(row);
    BeginCorrection(row);
}

void EntryForm::DeleteCorrectedItem() {
    if (!store_.Delete(correction_.item()->slot))
        return;
    correction_.End();
    ClearInputFields();
    emit moveFocus(EntryField::Category);
}

}  // namespace hanaki

#include "moc_entry_form.cpp"
