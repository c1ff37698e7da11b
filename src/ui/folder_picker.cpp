#include "ui/folder_picker.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

namespace hanaki {
namespace {

constexpr int kPathRole = Qt::UserRole;

QString DriveOf(const QString& path) {
    return QStorageInfo(path).rootPath();
}

QString Indented(int depth, const QString& name) {
    return QString(depth * 2, u' ') + name;
}

}  // namespace

FolderPicker::FolderPicker(const QString& driveName, const QString& folderName, QWidget* parent)
    : QWidget(parent), drives_(new QComboBox(this)), folders_(new QListWidget(this)) {
    drives_->setObjectName(driveName);
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(drives_);
    layout->addWidget(folders_, 1);

    // `activated` comes from the user only, so showing the open folder's drive does not reopen it.
    connect(drives_, &QComboBox::activated, this, &FolderPicker::ChooseDrive);
    connect(folders_, &QListWidget::itemDoubleClicked, this, &FolderPicker::OpenRow);
    folders_->installEventFilter(this);
}

bool FolderPicker::Open(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable())
        return false;
    folder_ = QDir::cleanPath(info.absoluteFilePath());
    ShowDriveOf(folder_);
    ListFolders();
    emit folderChanged(folder_);
    return true;
}

// Enter opens the row itself rather than relying on the style's idea of "activated",
// which on some platforms also fires on a single click.
bool FolderPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == folders_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenRow(folders_->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FolderPicker::ChooseDrive(int index) {
    // A drive that cannot be read leaves the list on the open folder's drive.
    if (!Open(drives_->itemText(index)) && !folder_.isEmpty())
        ShowDriveOf(folder_);
}

void FolderPicker::OpenRow(QListWidgetItem* row) {
    // A folder that cannot be read stays closed; the list keeps the open one.
    if (row != nullptr)
        Open(row->data(kPathRole).toString());
}

void FolderPicker::ShowDriveOf(const QString& path) {
    // The volume of a folder opened by path may be one the list left out.
    const QString drive = DriveOf(path);
    if (drives_->findText(drive) < 0)
        drives_->addItem(drive);
    drives_->setCurrentIndex(drives_->findText(drive));
}

void FolderPicker::ListFolders() {
    folders_->clear();
    const QIcon open = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QString drive = DriveOf(folder_);

    QStringList chain;  // from the drive's root down to the open folder
    QDir dir(folder_);
    do {
        chain.prepend(dir.absolutePath());
    } while (dir.absolutePath() != drive && !dir.isRoot() && dir.cdUp());
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& path = chain[depth];
        auto* row = new QListWidgetItem(
            open, Indented(depth, depth == 0 ? path : QFileInfo(path).fileName()), folders_);
        row->setData(kPathRole, path);
    }
    folders_->setCurrentRow(folders_->count() - 1);
    const QDir current(folder_);
    for (const QString& name :
         current.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* row = new QListWidgetItem(closed, Indented(chain.size(), name), folders_);
        row->setData(kPathRole, current.absoluteFilePath(name));
    }
}

}  // namespace hanaki
