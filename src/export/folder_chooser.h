#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace hanaki {

// A drive list over a folder list, chosen from the keyboard: the drive list
// offers the file system's root and the home folder; the folder list shows the
// current folder's ancestors, the folder itself and its subfolders, and Enter
// on a row opens that folder.
class FolderChooser : public QWidget {
    Q_OBJECT
  public:
    FolderChooser(const QString& driveName, const QString& folderName, QWidget* parent);

    QString path() const { return path_; }
    // Opens `path` (made absolute) and selects the drive that holds it.
    void SetPath(const QString& path);
    void FocusFolders();

  signals:
    void pathChanged(const QString& path);

  private:
    void ChooseDrive(int index);
    void Open(QListWidgetItem* row);
    void SelectDriveOf(const QString& path);
    void ListFolders();

    QComboBox* drives_;
    QListWidget* folders_;
    QString path_;
};

}  // namespace hanaki
