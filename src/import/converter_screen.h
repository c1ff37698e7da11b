#pragma once

#include <QWidget>

#include "data/disk/file_system.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QKeyEvent;
class QLabel;
class QListWidget;
class QPushButton;

namespace hanaki {

class FolderPicker;
struct ConversionMessage;

// tsugite's window: the foreign data folder on the left, the destination on
// the right, and the button that converts one into the other.
class ConverterScreen : public QWidget, public KeysInForce {
    Q_OBJECT
  public:
    ConverterScreen(Services& services, FileSystem& fs, QWidget* parent = nullptr);
    KeyTable KeysNow() override;

    // Opens a folder on either side; false when it cannot be read.
    bool OpenSource(const QString& folder);
    bool OpenDestination(const QString& folder);

  protected:
    // Esc from wherever the focus is: the window closes, and the program with it.
    void keyPressEvent(QKeyEvent* event) override;

  signals:
    // After the last message of a conversion, and after a refusal that ends the program.
    void programEnds();

  private:
    void ListSourceFiles();
    void Convert();
    void Show(const ConversionMessage& message);

    Services& services_;
    FileSystem& fs_;
    QLabel* sourceHeading_;
    FolderPicker* source_;
    QListWidget* sourceFiles_;
    QLabel* arrow_;
    QLabel* destinationHeading_;
    FolderPicker* destination_;
    QPushButton* convertButton_;
};

}  // namespace hanaki
