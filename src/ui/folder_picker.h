#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "ui/key_table.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace hanaki {

class MessageService;

// A file name's bytes as text that loses nothing: valid UTF-8 as it is, any
// other byte as "\xNN" and a backslash as "\\".
QString FileNameText(std::string_view bytes);
// The bytes FileNameText made `text` from; other text as UTF-8.
std::string FileNameBytes(const QString& text);

// A drive list, a path field and a folder list that together choose one
// folder from the keyboard. The drive list offers the mounted volumes; the
// folder list shows the path from the drive's root down to the open folder,
// then the open folder's subfolders, hidden ones last. Arrows move, typing a
// name's first characters jumps to it, Enter (or a double click) opens the
// highlighted folder. A path typed ("/" or "~" starts one, Ctrl+L edits the
// shown one) or pasted opens its folder at once. Folder paths are bytes, as
// the file system has them. The lists carry the object names the caller gives.
class FolderPicker : public QWidget {
    Q_OBJECT
  public:
    FolderPicker(const QString& driveName, const QString& folderName, MessageService& messages,
                 QWidget* parent);

    QListWidget* folderList() const { return folders_; }
    QLineEdit* pathField() const { return path_; }

    // Empty until a folder was opened.
    const std::string& folder() const { return folder_; }
    // Opens `path` (made absolute); false, and nothing changes, when it cannot be read.
    bool Open(const QString& path);
    bool OpenNative(const std::string& path);

    // The regular files of the open folder whose names `wanted` takes, as
    // FileNameText, sorted without regard to case.
    QStringList FileNames(const std::function<bool(std::string_view)>& wanted) const;

  signals:
    void folderChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyTable ListKeys();
    KeyTable PathKeys();
    void ChooseDrive(int index);
    void OpenRow(QListWidgetItem* row);
    void OpenTyped(const QString& text);
    void EditPath(const QString& start);
    // 0, or the errno of opening `path`.
    int TryOpen(const std::string& path);
    void ReportUnopenable(const std::string& path, int error);
    void ShowDriveOf(const std::string& path);
    void ListFolders();

    MessageService& messages_;
    QComboBox* drives_;
    QLineEdit* path_;
    QListWidget* folders_;
    std::string folder_;
};

}  // namespace hanaki
