#include "import/converter_folder_picker.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>

namespace hanaki {
namespace {

constexpr int kPathRole = Qt::UserRole;

QString DriveOf(const QString& path) {
    return QStorageInfo(path).rootPath();
}

}  // namespace

ConverterFolderPicker::ConverterFolderPicker(QWidget* parent, const QString& driveName,
                                             const QString& folderName)
    : QObject(parent), drives_(new QComboBox(parent)), folders_(new QListWidget(parent)) {
    drives_->setObjectName(driveName);
    folders_->setObjectName(folderName);
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir())
            roots << volume.rootPath();
    }
    roots.removeDuplicates();
    roots.sort();
    drives_->addItems(roots);
    connect(drives_, &QComboBox::activated, this, &ConverterFolderPicker::ChooseDrive);
    connect(folders_, &QListWidget::itemDoubleClicked, this, &ConverterFolderPicker::OpenItem);
    folders_->installEventFilter(this);
}

bool ConverterFolderPicker::Open(const QString& path) {
    QFileInfo info(path);
    if (!info.isDir() || !info.isReadable())
        return false;
    folder_ = QDir::cleanPath(info.absoluteFilePath());
    ShowDriveOf(folder_);
    ListFolders();
    emit folderChanged(folder_);
    return true;
}

bool ConverterFolderPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == folders_ && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenItem(folders_->currentItem());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ConverterFolderPicker::ChooseDrive(int index) {
    // A drive that cannot be read leaves the list on the open folder's drive.
    if (!Open(drives_->itemText(index)))
        ShowDriveOf(folder_);
}

void ConverterFolderPicker::ShowDriveOf(const QString& path) {
    const QString drive = DriveOf(path);
    if (drives_->findText(drive) < 0)
        drives_->addItem(drive);
    drives_->setCurrentIndex(drives_->findText(drive));
}

void ConverterFolderPicker::ListFolders() {
    folders_->clear();
    const QIcon open = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QString drive = DriveOf(folder_);

    QStringList chain;  // the open folder and its ancestors up to the drive's root
    for (QDir dir(folder_);; dir.cdUp()) {
        chain.prepend(dir.absolutePath());
        if (dir.absolutePath() == drive || dir.isRoot())
            break;
    }
    int depth = 0;
    for (const QString& path : chain) {
        QString name = depth == 0 ? path : QFileInfo(path).fileName();
        auto* item = new QListWidgetItem(open, QString(depth * 2, u' ') + name, folders_);
        item->setData(kPathRole, path);
        ++depth;
    }
    folders_->setCurrentRow(folders_->count() - 1);
    const QDir current(folder_);
    for (const QString& name :
         current.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(closed, QString(depth * 2, u' ') + name, folders_);
        item->setData(kPathRole, current.absoluteFilePath(name));
    }
}

void ConverterFolderPicker::OpenItem(QListWidgetItem* item) {
    if (item == nullptr)
        return;
    // A folder that cannot be read stays closed; the list keeps the open one.
    Open(item->data(kPathRole).toString());
}

}  // namespace hanaki
