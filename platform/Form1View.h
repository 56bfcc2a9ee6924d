#pragma once
// The main window as its long operations see it: the controls they read and write, the program-wide
// state, the folder dialogs' held paths, and the busy contract (DisableControls / EnableControls,
// the busy panel and its placement). The window (app/TForm1) builds the controls and fills this in;
// the runs of the folder, archive and report pages take it by reference.

#include "platform/Desktop.h"
#include "platform/NativePath.h"
#include "platform/RadioGroup.h"

#include <QStringList>

#include <functional>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QWidget;

namespace vx {

// A folder dialog of the main window: its title, options and the folder it holds (at start the
// program's current folder, afterwards the folder last chosen in it).
struct FolderDialogState {
    QString title;
    QString path;
    bool newFolderButton = true;
};

class Form1View {
public:
    QWidget *window = nullptr;
    Desktop *desktop = nullptr;

    // Page 1, "Фотосеты"
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button7 = nullptr,
                *Button10 = nullptr, *Button12 = nullptr, *UploadButton1 = nullptr, *SpeedButton2 = nullptr;
    QLabel *StaticText1 = nullptr, *label2 = nullptr, *Image1 = nullptr, *Image4 = nullptr;
    QLineEdit *Edit1 = nullptr;
    RadioGroup *rg1 = nullptr;
    QPlainTextEdit *infmemo = nullptr;
    QListWidget *lb1 = nullptr;

    // Page 2, "Фотосеты в архивах"
    QPushButton *Button4 = nullptr, *Button5 = nullptr, *Button6 = nullptr, *Button8 = nullptr,
                *Button9 = nullptr, *Button11 = nullptr, *UploadButton2 = nullptr, *SpeedButton3 = nullptr;
    QLabel *StaticText2 = nullptr, *Label4 = nullptr, *Image2 = nullptr, *Image3 = nullptr;
    QLineEdit *Edit2 = nullptr;
    RadioGroup *rg2 = nullptr;
    QPlainTextEdit *zipinfmemo = nullptr;
    QListWidget *lbzip = nullptr;

    // Busy panel
    QFrame *Panel1 = nullptr;
    QLabel *Label1 = nullptr, *Label3 = nullptr;
    QProgressBar *pb1 = nullptr;
    QPushButton *SpeedButton1 = nullptr;

    QTabBar *TabSet1 = nullptr;
    QStackedWidget *Notebook1 = nullptr;
    QMenu *PopupMenu1 = nullptr, *PopupMenuZIP = nullptr;

    // Program-wide state
    bool AbortRequested = false;
    std::vector<ListEntry> CreatedExamples;
    bool FolderRecreatePending = false;
    bool ArchiveRecreatePending = false;
    // True while an archive example run is in progress: Edit2 stays usable during it and can enable
    // Button6 again, and a second run started that way is refused.
    bool ArchiveRunActive = false;
    FolderDialogState fd1, fd2, fd3;

    // Disables Button1..Button12, SpeedButton2, SpeedButton3, Edit1, rg1, lb1 and TabSet1.
    // Edit2, rg2 and lbzip stay usable during a long operation.
    void DisableControls();
    // Enables exactly the same set (so Button2 and Button6 unconditionally); hidden buttons stay hidden.
    void EnableControls();

    // Moves Panel1 over lb1: centred across, its bottom edge at the list's middle.
    void placePanelOverList();
    // Hides Panel1 and calls EnableControls: the window is idle again.
    void becomeIdle();
    // Sets pb1's value when a pump is due (see Desktop::pumpDue): a run calls it per step, and the
    // value costs a repaint only where a pump can show it.
    void showProgress(int value);

    // Places the dialog at one fifth of the screen from its top left corner and opens it; on OK the
    // chosen folder becomes the held path.
    bool execute(FolderDialogState &dialog);

    // Runs a handler; a failure it does not catch is shown with its text and the window is idle after.
    // The keyboard focus goes back to startedBy after it (by default the control that has it now).
    void guarded(const std::function<void()> &handler, QWidget *startedBy = nullptr);

private:
    QList<QWidget *> lockedControls() const;
};

} // namespace vx
