#include "ui/folder_picker.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "data/disk/io_result.h"
#include "ui/message_service.h"

namespace hanaki {
namespace {

constexpr int kPathRole = Qt::UserRole;  // the folder's path, as bytes
constexpr int kDepthRole = Qt::UserRole + 1;

// Length of the valid, printable UTF-8 sequence that starts `bytes`; 0 when none does.
std::size_t PrintableUtf8At(std::string_view bytes) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return lead >= 0x20 && lead != 0x7f ? 1 : 0;
    std::size_t length = lead >= 0xc2 && lead <= 0xdf   ? 2
                         : lead >= 0xe0 && lead <= 0xef ? 3
                         : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                        : 0;
    if (length == 0 || bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((at(i) & 0xc0) != 0x80)
            return 0;
    }
    // Overlong forms, UTF-16 surrogates and code points past U+10FFFF.
    if ((lead == 0xe0 && at(1) < 0xa0) || (lead == 0xed && at(1) > 0x9f) ||
        (lead == 0xf0 && at(1) < 0x90) || (lead == 0xf4 && at(1) > 0x8f))
        return 0;
    return length;
}

std::string ToBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The volume that holds `path`. Mount points are plain text, so the nearest
// folder whose name text can carry serves for one that it cannot.
std::string DriveOf(std::string path) {
    while (ToBytes(QFile::decodeName(QByteArray::fromStdString(path))) != path)
        path = std::filesystem::path(path).parent_path().string();
    return ToBytes(QStorageInfo(QFile::decodeName(QByteArray::fromStdString(path))).rootPath());
}

// Subfolders of `folder` (symbolic links to folders too), visible ones first.
std::vector<std::string> SubfoldersOf(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat st;
        if (name != "." && name != ".." &&
            ::stat((std::filesystem::path(folder) / name).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const bool hiddenA = a.starts_with('.'), hiddenB = b.starts_with('.');
        if (hiddenA != hiddenB)
            return hiddenB;
        const int order = FileNameText(a).compare(FileNameText(b), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

// Indents each row by its depth without putting blanks into its text, which
// would defeat typing a name's first characters.
class IndentingDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.adjust(Indent(option, index), 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(option, index), 0);
    }

  private:
    static int Indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
        return index.data(kDepthRole).toInt() * option.fontMetrics.horizontalAdvance(u'0') * 2;
    }
};

}  // namespace

QString FileNameText(std::string_view bytes) {
    QString text;
    while (!bytes.empty()) {
        std::size_t length = PrintableUtf8At(bytes);
        if (length > 0 && bytes.front() != '\\') {
            text += QString::fromUtf8(bytes.data(), static_cast<qsizetype>(length));
        } else if (bytes.front() == '\\') {
            text += QStringLiteral("\\\\");
            length = 1;
        } else {
            text += QStringLiteral("\\x%1").arg(static_cast<unsigned char>(bytes.front()), 2, 16,
                                                QLatin1Char('0'));
            length = 1;
        }
        bytes.remove_prefix(length);
    }
    return text;
}

std::string FileNameBytes(const QString& text) {
    const std::string utf8 = text.toStdString();
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8.compare(i, 2, "\\\\") == 0) {
            bytes += '\\';
            ++i;
        } else if (utf8.compare(i, 2, "\\x") == 0 && i + 3 < utf8.size() &&
                   std::isxdigit(static_cast<unsigned char>(utf8[i + 2])) &&
                   std::isxdigit(static_cast<unsigned char>(utf8[i + 3]))) {
            bytes += static_cast<char>(std::stoi(utf8.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            bytes += utf8[i];
        }
    }
    return bytes;
}

FolderPicker::FolderPicker(const QString& driveName, const QString& folderName,
                           MessageService& messages, QWidget* parent)
    : QWidget(parent),
      messages_(messages),
      drives_(new QComboBox(this)),
      path_(new QLineEdit(this)),
      folders_(new QListWidget(this)) {
    drives_->setObjectName(driveName);
    path_->setObjectName(folderName + QStringLiteral("Path"));
    folders_->setObjectName(folderName);
    // Volumes rather than a fixed list, so that a memory stick shows up as a drive.
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir())
            roots << volume.rootPath();
    }
    roots.removeDuplicates();
    roots.sort();
    drives_->addItems(roots);
    // Reached by typing a path into the folder list, so Tab keeps to the lists.
    path_->setFocusPolicy(Qt::ClickFocus);
    folders_->setItemDelegate(new IndentingDelegate(folders_));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(drives_);
    layout->addWidget(path_);
    layout->addWidget(folders_, 1);

    // `activated` comes from the user only, so showing the open folder's drive does not reopen it.
    connect(drives_, &QComboBox::activated, this, &FolderPicker::ChooseDrive);
    connect(folders_, &QListWidget::itemDoubleClicked, this, &FolderPicker::OpenRow);
    folders_->installEventFilter(this);
    path_->installEventFilter(this);
}

bool FolderPicker::Open(const QString& path) {
    return OpenNative(ToBytes(path));
}

bool FolderPicker::OpenNative(const std::string& path) {
    return TryOpen(path) == 0;
}

QStringList FolderPicker::FileNames(const std::function<bool(std::string_view)>& wanted) const {
    QStringList names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder_, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        if (wanted(name) && it->is_regular_file(typeError))
            names << FileNameText(name);
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

bool FolderPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == folders_) {
        if (key.matches(QKeySequence::Paste)) {  // however the platform spells it
            OpenTyped(QApplication::clipboard()->text());
            return true;
        }
        return ListKeys().Run(key);
    }
    if (watched == path_ && PathKeys().Run(key))
        return true;
    return QWidget::eventFilter(watched, event);
}

// Enter opens the row itself rather than relying on the style's idea of
// "activated", which on some platforms also fires on a single click. Other
// printable keys go to the list's own search for the name that begins so.
// The picker has no legend: the screen's names its Enter.
KeyTable FolderPicker::ListKeys() {
    return {"",
            {{kEnterKeys, "", [this] { OpenRow(folders_->currentItem()); }},
             {{Qt::Key_L},
              "",
              [this] {
                  EditPath(path_->text());
                  path_->selectAll();
              },
              Qt::ControlModifier},
             {"/", "", [this] { EditPath(QStringLiteral("/")); }},
             {"~", "", [this] { EditPath(QStringLiteral("~")); }}}};
}

KeyTable FolderPicker::PathKeys() {
    return {"", {{kEnterKeys, "", [this] { OpenTyped(path_->text()); }}}};
}

void FolderPicker::ChooseDrive(int index) {
    // A drive that cannot be read leaves the list on the open folder's drive.
    const std::string drive = ToBytes(drives_->itemText(index));
    if (int error = TryOpen(drive); error != 0) {
        if (!folder_.empty())
            ShowDriveOf(folder_);
        ReportUnopenable(drive, error);
    }
}

void FolderPicker::OpenRow(QListWidgetItem* row) {
    if (row == nullptr)
        return;
    const std::string path = row->data(kPathRole).toByteArray().toStdString();
    if (int error = TryOpen(path); error != 0)
        ReportUnopenable(path, error);
}

// A pasted path often comes with a line end, or as a file manager's "file://" address.
void FolderPicker::OpenTyped(const QString& text) {
    const QString typed = text.trimmed();
    std::string path;
    if (typed.startsWith(QStringLiteral("file://")))
        path = QByteArray::fromPercentEncoding(typed.mid(7).toUtf8()).toStdString();
    else
        path = FileNameBytes(typed);
    if (path == "~" || path.starts_with("~/")) {
        const char* home = std::getenv("HOME");
        path = std::string(home != nullptr ? home : "") + path.substr(1);
    }
    if (path.empty())
        return;
    if (!path.starts_with('/'))
        path = folder_ + "/" + path;
    if (int error = TryOpen(path); error != 0) {
        EditPath(typed);
        ReportUnopenable(path, error);
        return;
    }
    folders_->setFocus();
}

void FolderPicker::EditPath(const QString& start) {
    path_->setText(start);
    path_->setFocus();
}

int FolderPicker::TryOpen(const std::string& path) {
    std::string absolute = path;
    if (!absolute.starts_with('/')) {
        std::error_code ec;
        absolute = (std::filesystem::current_path(ec) / path).string();
    }
    absolute = std::filesystem::path(absolute).lexically_normal().string();
    if (absolute.size() > 1 && absolute.ends_with('/'))
        absolute.pop_back();
    DIR* dir = ::opendir(absolute.c_str());
    if (dir == nullptr)
        return errno;
    ::closedir(dir);
    folder_ = absolute;
    path_->setText(FileNameText(folder_));
    ShowDriveOf(folder_);
    ListFolders();
    emit folderChanged();
    return 0;
}

void FolderPicker::ReportUnopenable(const std::string& path, int error) {
    // The reason line of the usual message, under a sentence that speaks of a folder.
    const std::string described = DescribeIoError({IoStep::Read, error, path});
    const std::size_t reason = std::min(described.find('\n'), described.size());
    messages_.Inform(this, QStringLiteral("フォルダを開けません"),
                     QStringLiteral("フォルダ %1 を開けません。").arg(FileNameText(path)) +
                         QString::fromStdString(described.substr(reason)));
}

void FolderPicker::ShowDriveOf(const std::string& path) {
    // The volume of a folder opened by path may be one the list left out.
    const QString drive = QFile::decodeName(QByteArray::fromStdString(DriveOf(path)));
    if (drives_->findText(drive) < 0)
        drives_->addItem(drive);
    drives_->setCurrentIndex(drives_->findText(drive));
}

void FolderPicker::ListFolders() {
    folders_->clear();
    const QIcon open = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto addRow = [this](const QIcon& icon, const QString& text, const std::string& path,
                               int depth) {
        auto* row = new QListWidgetItem(icon, text, folders_);
        row->setData(kPathRole, QByteArray::fromStdString(path));
        row->setData(kDepthRole, depth);
    };

    // From the drive's root down to the open folder.
    std::vector<std::filesystem::path> chain;
    const std::filesystem::path drive = DriveOf(folder_);
    for (std::filesystem::path dir = folder_;; dir = dir.parent_path()) {
        chain.insert(chain.begin(), dir);
        if (dir == drive || dir == dir.parent_path())
            break;
    }
    for (std::size_t depth = 0; depth < chain.size(); ++depth) {
        const std::string path = chain[depth].string();
        addRow(open, FileNameText(depth == 0 ? path : chain[depth].filename().string()), path,
               static_cast<int>(depth));
    }
    folders_->setCurrentRow(folders_->count() - 1);
    for (const std::string& name : SubfoldersOf(folder_))
        addRow(closed, FileNameText(name), (std::filesystem::path(folder_) / name).string(),
               static_cast<int>(chain.size()));
}

}  // namespace hanaki

#include "moc_folder_picker.cpp"
