#include "import/converter_screen.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cerrno>
#include <cstdlib>

#include "data/disk/folder_lock.h"
#include "data/disk/folder_paths.h"
#include "import/conversion.h"
#include "import/converter_closing_day_dialog.h"
#include "ui/focus_frame.h"
#include "ui/folder_picker.h"
#include "ui/fonts.h"
#include "ui/work_notice.h"

namespace hanaki {
namespace {

// Where an installed hanaki keeps its data, the usual destination.
std::string HanakiDataFolder() {
    return ChooseDataFolder({}, {}, true, std::getenv("XDG_DATA_HOME"), std::getenv("HOME")).path;
}

// Each refusal says in its title what happened.
QString DestinationRefusalTitle(const FolderLock& lock) {
    if (lock.state() == FolderLock::State::HeldByOther)
        return QStringLiteral("データフォルダ使用中");
    if (lock.error() == ENOENT)
        return QStringLiteral("変換先のフォルダがありません");
    return QStringLiteral("変換先に書き込めません");
}

}  // namespace

ConverterScreen::ConverterScreen(Services& services, FileSystem& fs, QWidget* parent)
    : QWidget(parent),
      services_(services),
      fs_(fs),
      sourceHeading_(new QLabel(QStringLiteral("「まちかど帳」データ"), this)),
      source_(new FolderPicker(QStringLiteral("Drive1"), QStringLiteral("Dir1"), services.messages,
                               this)),
      sourceFiles_(new QListWidget(this)),
      arrow_(new QLabel(QStringLiteral("→"), this)),
      destinationHeading_(new QLabel(QStringLiteral("「そよかぜ帳」データ"), this)),
      destination_(new FolderPicker(QStringLiteral("Drive2"), QStringLiteral("Dir2"),
                                    services.messages, this)),
      convertButton_(new QPushButton(QStringLiteral("コンバート実行"), this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("データ・コンバータ"));
    setFixedSize(640, 448);
    // Tab follows the order the controls were made: the source side, then the destination.
    sourceHeading_->setObjectName(QStringLiteral("Label1"));
    sourceFiles_->setObjectName(QStringLiteral("File1"));
    arrow_->setObjectName(QStringLiteral("Label2"));
    destinationHeading_->setObjectName(QStringLiteral("Label3"));
    convertButton_->setObjectName(QStringLiteral("Command1"));

    for (QWidget* widget :
         {static_cast<QWidget*>(sourceHeading_), static_cast<QWidget*>(destinationHeading_),
          static_cast<QWidget*>(sourceFiles_), static_cast<QWidget*>(convertButton_),
          static_cast<QWidget*>(source_->folderList()), static_cast<QWidget*>(source_->pathField()),
          static_cast<QWidget*>(destination_->folderList()),
          static_cast<QWidget*>(destination_->pathField())})
        widget->setFont(GothicFont(10));
    arrow_->setFont(GothicFont(20));

    sourceHeading_->setGeometry(12, 12, 280, 22);
    source_->setGeometry(12, 40, 280, 230);
    sourceFiles_->setGeometry(12, 276, 280, 100);
    arrow_->setGeometry(292, 160, 56, 40);
    arrow_->setAlignment(Qt::AlignCenter);
    destinationHeading_->setGeometry(348, 12, 280, 22);
    destination_->setGeometry(348, 40, 280, 336);
    convertButton_->setGeometry(488, 386, 140, 30);
    convertButton_->setAutoDefault(true);  // Enter presses it when it has the focus
    auto* legend = new QLabel(QString::fromUtf8(KeysNow().legend), this);
    legend->setObjectName(QStringLiteral("Legend"));
    legend->setFont(GothicFont(10));
    legend->setGeometry(12, 422, 616, 20);
    new FocusFrame(this);

    connect(source_, &FolderPicker::folderChanged, this, &ConverterScreen::ListSourceFiles);
    connect(convertButton_, &QPushButton::clicked, this, &ConverterScreen::Convert);
    if (!OpenSource(QDir::currentPath()))
        ListSourceFiles();  // the button rule holds regardless
    if (!destination_->OpenNative(HanakiDataFolder()))
        OpenDestination(QDir::currentPath());
    source_->folderList()->setFocus();
}

void ConverterScreen::keyPressEvent(QKeyEvent* event) {
    if (!KeysNow().Run(*event))
        QWidget::keyPressEvent(event);
}

// Tab and the arrows are the controls' own; Enter opens a folder (the
// picker's keys) or presses the button with the focus.
KeyTable ConverterScreen::KeysNow() {
    return {"<Tab>次の欄へ  <↑↓>カーソル移動  <Enter>開く・実行  <Esc>コンバータ終了",
            {{{Qt::Key_Escape}, "<Esc>コンバータ終了", [this] { close(); }},
             TakenElsewhere("<Tab>次の欄へ"),
             TakenElsewhere("<↑↓>カーソル移動"),
             TakenElsewhere("<Enter>開く・実行")}};
}

bool ConverterScreen::OpenSource(const QString& folder) {
    return source_->Open(folder);
}

bool ConverterScreen::OpenDestination(const QString& folder) {
    return destination_->Open(folder);
}

void ConverterScreen::ListSourceFiles() {
    sourceFiles_->clear();
    sourceFiles_->addItems(source_->FileNames([](std::string_view name) {
        return QByteArray(name.data(), static_cast<qsizetype>(name.size()))
            .toUpper()
            .startsWith("VERADIV.");
    }));
    sourceFiles_->setCurrentRow(0);
    convertButton_->setEnabled(sourceFiles_->count() > 0);
}

void ConverterScreen::Convert() {
    std::optional<int> closingDay = ConverterClosingDayDialog::Ask(this);
    if (!closingDay)
        return;  // Esc: nothing is read or written
    const ConversionRequest request{source_->folder(), destination_->folder(), *closingDay};
    if (IsSameFolder(request.source, request.destination)) {
        Show(SamePathMessage());
        return;
    }

    // Never beside a running hanaki, and no hanaki starts while this writes.
    FolderLock lock(request.destination, "tsugite");
    if (!lock.held()) {
        services_.messages.Inform(this, DestinationRefusalTitle(lock),
                                  QString::fromStdString(DescribeLockRefusal(lock)));
        return;
    }

    WorkNotice notice({QStringLiteral("Form3"),
                       QStringLiteral("コンバート中・・・しばらくお待ちください。"),
                       {500, 550},
                       {}},
                      this);
    notice.ShowNow();
    PlanResult planned = PlanConversion(request, fs_);
    if (!planned.plan) {
        Show(*planned.refusal);
        emit programEnds();
        return;
    }
    if (int replaced = CountReplacedFiles(*planned.plan, fs_); replaced > 0) {
        notice.hide();
        if (!services_.messages.Confirm(
                this, QStringLiteral("上書き確認"),
                QStringLiteral("既存のデータ%1個を上書きします。よろしいですか？").arg(replaced)))
            return;
        notice.ShowNow();
    }
    ConversionReport report = CarryOutConversion(*planned.plan, fs_);
    notice.close();
    for (const ConversionMessage& message : report.messages)
        Show(message);
    emit programEnds();
}

void ConverterScreen::Show(const ConversionMessage& message) {
    services_.messages.Inform(this, QString::fromStdString(message.title),
                              QString::fromStdString(message.text));
}

}  // namespace hanaki

#include "moc_converter_screen.cpp"
