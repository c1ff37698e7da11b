#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QWidget;

namespace hanaki {

// A drive list and a folder list that together choose one folder from the
// keyboard. The folder list shows the path from the drive's root down to the
// open folder, then the open folder's subfolders; Enter (or a double click)
// opens the highlighted one. The widgets belong to `parent`, which places them.
class ConverterFolderPicker : public QObject {
    Q_OBJECT
  public:
    ConverterFolderPicker(QWidget* parent, const QString& driveName, const QString& folderName);

    QComboBox* driveList() const { return drives_; }
    QListWidget* folderList() const { return folders_; }

    QString folder() const { return folder_; }
    // Opens `path`; false (nothing changes) when it cannot be read.
    bool Open(const QString& path);

  signals:
    void folderChanged(const QString& folder);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ChooseDrive(int index);
    void ShowDriveOf(const QString& path);
    void ListFolders();
    void OpenItem(QListWidgetItem* item);

    QComboBox* drives_;
    QListWidget* folders_;
    QString folder_;
};

}  // namespace hanaki
