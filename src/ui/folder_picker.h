#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace hanaki {

// A drive list over a folder list that together choose one folder from the
// keyboard. The drive list offers the mounted volumes; the folder list shows
// the path from the drive's root down to the open folder, then the open
// folder's subfolders. Arrows move, Enter (or a double click) opens the
// highlighted folder. The two lists carry the object names the caller gives.
class FolderPicker : public QWidget {
    Q_OBJECT
  public:
    FolderPicker(const QString& driveName, const QString& folderName, QWidget* parent);

    QListWidget* folderList() const { return folders_; }

    // Empty until a folder was opened.
    QString folder() const { return folder_; }
    // Opens `path` (made absolute); false, and nothing changes, when it cannot be read.
    bool Open(const QString& path);

  signals:
    void folderChanged(const QString& folder);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ChooseDrive(int index);
    void OpenRow(QListWidgetItem* row);
    void ShowDriveOf(const QString& path);
    void ListFolders();

    QComboBox* drives_;
    QListWidget* folders_;
    QString folder_;
};

}  // namespace hanaki
