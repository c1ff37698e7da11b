#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include "data/disk/data_folder.h"

namespace hanaki {

// Tells when the data folder's files or its history changed, by this program
// or any other: a file put in place or removed, a change kept in the history.
// A burst of writes (a save with its history) is told once, when it is over.
class FolderWatch : public QObject {
    Q_OBJECT
  public:
    FolderWatch(const DataFolder& folder, QObject* parent);

  signals:
    void changed();

  private:
    // Watches what exists of the folder, the history folder and its index;
    // a replaced or newly made one is watched anew.
    void WatchWhatExists();

    QStringList paths_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
};

}  // namespace hanaki
