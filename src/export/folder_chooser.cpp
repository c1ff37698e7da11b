#include "export/folder_chooser.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace hanaki {
namespace {

constexpr int kPathRole = Qt::UserRole;

// The indent of a row at `depth` levels below the drive.
QString Indented(int depth, const QString& name) {
    return QString(depth * 2, u' ') + name;
}

}  // namespace

FolderChooser::FolderChooser(const QString& driveName, const QString& folderName, QWidget* parent)
    : QWidget(parent), drives_(new QComboBox(this)), folders_(new QListWidget(this)) {
    drives_->setObjectName(driveName);
    folders_->setObjectName(folderName);
    drives_->addItem(QStringLiteral("/"), QStringLiteral("/"));
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != QStringLiteral("/"))
        drives_->addItem(home, home);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(drives_);
    layout->addWidget(folders_, 1);

    connect(drives_, &QComboBox::currentIndexChanged, this, &FolderChooser::ChooseDrive);
    connect(folders_, &QListWidget::itemActivated, this, &FolderChooser::Open);
}

void FolderChooser::SetPath(const QString& path) {
    path_ = QDir::cleanPath(QDir(path).absolutePath());
    SelectDriveOf(path_);
    ListFolders();
    emit pathChanged(path_);
}

void FolderChooser::FocusFolders() {
    folders_->setFocus();
}

void FolderChooser::ChooseDrive(int index) {
    const QString root = drives_->itemData(index).toString();
    // A drive that cannot be read gives way to the drive of the open folder.
    if (QDir(root).isReadable()) {
        SetPath(root);
    } else {
        SelectDriveOf(path_);
    }
}

void FolderChooser::Open(QListWidgetItem* row) {
    const QString folder = row->data(kPathRole).toString();
    if (QDir(folder).isReadable())
        SetPath(folder);
}

void FolderChooser::SelectDriveOf(const QString& path) {
    int best = 0;
    for (int i = 0; i < drives_->count(); ++i) {
        const QString root = drives_->itemData(i).toString();
        if (path == root || path.startsWith(root.endsWith(u'/') ? root : root + u'/'))
            best = i;
    }
    const QSignalBlocker quiet(drives_);
    drives_->setCurrentIndex(best);
}

void FolderChooser::ListFolders() {
    folders_->clear();
    const QString root = drives_->currentData().toString();
    QStringList chain;  // from the drive down to the open folder
    QDir dir(path_);
    do {
        chain.prepend(dir.absolutePath());
    } while (dir.absolutePath() != root && dir.cdUp());
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& folder = chain[depth];
        auto* row =
            new QListWidgetItem(Indented(depth, depth == 0 ? folder : QDir(folder).dirName()));
        row->setData(kPathRole, folder);
        folders_->addItem(row);
    }
    folders_->setCurrentRow(folders_->count() - 1);
    const QDir current(path_);
    for (const QString& name :
         current.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* row = new QListWidgetItem(Indented(chain.size(), name));
        row->setData(kPathRole, current.filePath(name));
        folders_->addItem(row);
    }
}

}  // namespace hanaki
