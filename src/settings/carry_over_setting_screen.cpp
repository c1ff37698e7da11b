#include "settings/carry_over_setting_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/fonts.h"
#include "ui/io_failure.h"
#include "ui/screen_metrics.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

const QString kCarryOverTitle = QStringLiteral("繰り越し金処理");
const QString kNone = QStringLiteral("自動繰り越しなし");
const QString kExpenseCategory = QStringLiteral("支出費目");

QRect Twips(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace

CarryOverSettingScreen::CarryOverSettingScreen(ProgramState& state, Services& services,
                                               QWidget* parent)
    : QDialog(parent), state_(state), services_(services) {
    setObjectName("Form11");
    setWindowTitle(kCarryOverTitle);
    const double points = services_.metrics.below600() ? 9 : 12;

    explanation_ = new QLabel(
        QStringLiteral("前月の残金を翌月の繰越金として、自動で繰り越されるかを設定します。"
                       "繰り越さない場合は以下の費目欄に０を、繰り越す場合は自動で入力される"
                       "費目、摘要の番号を決定してEnterキーを押して下さい。"),
        this);
    explanation_->setObjectName("Label3");
    explanation_->setWordWrap(true);
    explanation_->setGeometry(Twips(240, 240, 8200, 1500));

    // Row captions drawn on the window in the larger type.
    auto* categoryCaption = new QLabel(QStringLiteral("費  目"), this);
    categoryCaption->setFont(GothicFont(17));
    categoryCaption->setGeometry(Twips(850, 2050, 1500, 450));
    auto* descriptionCaption = new QLabel(QStringLiteral("摘  要"), this);
    descriptionCaption->setFont(GothicFont(17));
    descriptionCaption->setGeometry(Twips(850, 3200, 1500, 450));

    categoryField_ = new QLineEdit(QStringLiteral("0"), this);
    categoryField_->setObjectName("Text1");
    categoryField_->setGeometry(Twips(2600, 2050, 700, 450));
    categoryName_ = new QLabel(this);
    categoryName_->setObjectName("Label1");
    categoryName_->setGeometry(Twips(3500, 2050, 3500, 450));
    descriptionField_ = new QLineEdit(QStringLiteral("0"), this);
    descriptionField_->setObjectName("Text2");
    descriptionField_->setGeometry(Twips(2600, 3200, 700, 450));
    descriptionName_ = new QLabel(this);
    descriptionName_->setObjectName("Label2");
    descriptionName_->setGeometry(Twips(3500, 3200, 3500, 450));

    confirmButton_ = new QPushButton(QStringLiteral("決  定"), this);
    confirmButton_->setObjectName("Command1");
    confirmButton_->setGeometry(Twips(2250, 4050, 1800, 500));
    confirmButton_->setEnabled(false);
    cancelButton_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton_->setObjectName("Command2");
    cancelButton_->setGeometry(Twips(4650, 4050, 1800, 500));
    legend_ = new QLabel(this);
    legend_->setObjectName("Label4");
    // Wide enough for the longest legend.
    legend_->setGeometry(Twips(120, 4750, 8400, 350));

    for (QLineEdit* field : {categoryField_, descriptionField_}) {
        field->setReadOnly(true);  // chosen by PageUp/PageDown only
        field->setAlignment(Qt::AlignRight);
        field->installEventFilter(this);
    }
    for (QWidget* widget : std::initializer_list<QWidget*>{
             explanation_, categoryField_, categoryName_, descriptionField_, descriptionName_,
             confirmButton_, cancelButton_, legend_})
        widget->setFont(GothicFont(points));
    // Only the keys move the focus: neither Tab nor a click reaches the fields,
    // and キャンセル is for the mouse alone.
    for (QWidget* widget : std::initializer_list<QWidget*>{categoryField_, descriptionField_,
                                                           confirmButton_, cancelButton_})
        widget->setFocusPolicy(Qt::NoFocus);
    for (QPushButton* button : {confirmButton_, cancelButton_})
        button->setAutoDefault(false);
    confirmButton_->installEventFilter(this);
    connect(confirmButton_, &QPushButton::clicked, this, &CarryOverSettingScreen::Save);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(TwipsToPixels(8700), TwipsToPixels(5250));

    const Settings& settings = state_.settings;
    const bool chosen = settings.carryOverCategory >= 1 && settings.carryOverCategory <= 20;
    if (chosen) {
        category_ = settings.carryOverCategory;
        description_ = settings.carryOverDescription;
        categoryField_->setText(QString::number(category_));
        descriptionField_->setText(QString::number(description_));
        categoryName_->setText(CategoryName(category_));
        descriptionName_->setText(DescriptionName(category_, description_));
    } else {
        ShowNoCarryOver();
    }
    FocusCategory();
}

bool CarryOverSettingScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    KeysOf(watched).Run(static_cast<const QKeyEvent&>(*event));
    return true;  // typed characters and other keys are discarded
}

KeyTable CarryOverSettingScreen::KeysNow() {
    return KeysOf(focusWidget());
}

KeyTable CarryOverSettingScreen::KeysOf(QObject* focus) {
    return focus == categoryField_      ? CategoryKeys()
           : focus == descriptionField_ ? DescriptionKeys()
                                        : ConfirmKeys();
}

KeyTable CarryOverSettingScreen::CategoryKeys() {
    const CategoryTable& table = state_.categories;
    auto look = [this](int category) {
        if (category == 0)
            ShowNoCarryOver();
        else
            LookAt(category);
        FocusCategory();  // the legend follows the value
    };
    std::vector<KeyBinding> keys{
        {{Qt::Key_Escape}, "<Esc>      設定破棄", [this] { reject(); }},
        {{Qt::Key_PageUp},
         "<PageUp,Down>費目選択",
         [this, look] {
             if (category_ >= 1)
                 look(category_ - 1);
         }},
        {{Qt::Key_PageDown},
         "<PageUp,Down>費目選択",
         [this, look] { look(category_ == 20 ? 20 : category_ + 1); }},
    };
    if (category_ == 0) {
        keys.push_back({kEnterKeys, "<Enter>  決定ボタンへ", [this] { FocusConfirm(); }});
        return {"<Esc>      設定破棄<PageUp,Down>費目選択  <Enter>  決定ボタンへ", std::move(keys)};
    }
    // Nothing to choose below an expense, nor below a category the master no
    // longer names (a carry-over saved before it was deleted).
    if (table.IsExpense(category_) || table.names[category_].empty())
        return {"<Esc>      設定破棄<PageUp,Down>費目選択", std::move(keys)};
    keys.push_back({kEnterKeys, "<Enter>  摘要選択へ", [this] { FocusDescription(); }});
    return {"<Esc>      設定破棄<PageUp,Down>費目選択  <Enter>  摘要選択へ", std::move(keys)};
}

KeyTable CarryOverSettingScreen::DescriptionKeys() {
    auto show = [this](int description) {
        if (description >= 1 && description <= 20 &&
            !DescriptionName(category_, description).isEmpty())
            ShowDescription(description);
    };
    return {
        "<Esc>      費目選択へ<PageUp,Down>摘要選択  <Enter>  決定ボタンへ",
        {{{Qt::Key_Escape}, "<Esc>      費目選択へ", [this] { FocusCategory(); }},
         {{Qt::Key_PageUp}, "<PageUp,Down>摘要選択", [this, show] { show(description_ - 1); }},
         {{Qt::Key_PageDown}, "<PageUp,Down>摘要選択", [this, show] { show(description_ + 1); }},
         {kEnterKeys, "<Enter>  決定ボタンへ", [this] { FocusConfirm(); }}}};
}

KeyTable CarryOverSettingScreen::ConfirmKeys() {
    return {"<Esc>        戻る   <Enter>  設定終了",
            {{{Qt::Key_Escape},
              "<Esc>        戻る",
              [this] {
                  confirmButton_->setEnabled(false);
                  FocusCategory();
              }},
             {kEnterKeys, "<Enter>  設定終了", [this] { Save(); }}}};
}

void CarryOverSettingScreen::LookAt(int category) {
    const CategoryTable& table = state_.categories;
    if (table.IsExpense(category)) {
        category_ = category;
        categoryName_->setText(kExpenseCategory);
        descriptionName_->setText(kExpenseCategory);
    } else if (!table.names[category].empty()) {
        category_ = category;
        categoryName_->setText(CategoryName(category));
        descriptionName_->setText(DescriptionName(category, 1));
    } else {
        return;  // never past an undefined category
    }
    description_ = 1;
    categoryField_->setText(QString::number(category_));
    descriptionField_->setText(QString::number(description_));
}

void CarryOverSettingScreen::ShowNoCarryOver() {
    category_ = 0;
    description_ = 0;
    categoryField_->setText(QStringLiteral("0"));
    descriptionField_->setText(QStringLiteral("0"));
    categoryName_->setText(kNone);
    descriptionName_->setText(kNone);
}

void CarryOverSettingScreen::ShowDescription(int description) {
    description_ = description;
    descriptionField_->setText(QString::number(description_));
    descriptionName_->setText(DescriptionName(category_, description_));
}

void CarryOverSettingScreen::FocusCategory() {
    legend_->setText(QString::fromUtf8(CategoryKeys().legend));
    categoryField_->setFocus();
}

void CarryOverSettingScreen::FocusDescription() {
    legend_->setText(QString::fromUtf8(DescriptionKeys().legend));
    descriptionField_->setFocus();
}

void CarryOverSettingScreen::FocusConfirm() {
    legend_->setText(QString::fromUtf8(ConfirmKeys().legend));
    confirmButton_->setEnabled(true);
    confirmButton_->setFocus();
}

void CarryOverSettingScreen::Save() {
    if (ReportedIoFailure(
            services_.messages, this, kCarryOverTitle,
            WriteCarryOver(state_.folder, state_.settings.closingDay, category_, description_)))
        return;
    state_.settings.carryOverCategory = static_cast<std::int16_t>(category_);
    state_.settings.carryOverDescription = static_cast<std::int16_t>(description_);
    accept();
}

QString CarryOverSettingScreen::CategoryName(int category) const {
    return FromCp932(state_.categories.names[category]);
}

QString CarryOverSettingScreen::DescriptionName(int category, int description) const {
    if (description < 1 || description > kMaxDescriptions)
        return QString();
    return FromCp932(state_.categories.descriptions[category][description]);
}

}  // namespace hanaki

#include "moc_carry_over_setting_screen.cpp"
