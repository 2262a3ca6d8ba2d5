#pragma once

#include "files/filesave.h"
#include "files/filestore.h"
#include "files/filesystem.h"
#include "files/preferences.h"
#include "files/programfolders.h"
#include "model/currentmessage.h"
#include "model/scriptreader.h"
#include "model/scriptwriter.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace marquis {

// One editing session: the current message, the store of all other messages, the settings,
// and the file commands that work on them (new, open, save, save as, the save-changes
// question, moving between messages, the emergency save). The window drives it; tests drive it
// through a scripted user.
class EditorSession {
public:
    enum class Decision { GoOn, Cancel };

    EditorSession(CheckValueSource& checkValues, UserInterface& ui, FileSystem& files,
        ProgramFolders folders, Preferences preferences);
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    CurrentMessage& message() { return m_message; }
    FileStore& store() { return m_store; }
    Preferences& preferences() { return m_preferences; }
    const ProgramFolders& folders() const { return m_folders; }
    ScriptWriter& writer() { return m_writer; }
    ScriptReader& reader() { return m_reader; }
    UserInterface& ui() { return m_ui; }

    // The window's Script Edit mode: the message is kept as text, not as fields.
    bool scriptEditMode = false;
    // Called whenever a file is started or opened, for state that belongs to one file (the
    // syntax-error list).
    std::function<void()> onFileReset;
    // In Script Edit mode, called before the message's script text is stored or saved: it may
    // put the text into its stored form, and false (the user told why) keeps it from being
    // stored, so the message stays where it is.
    std::function<bool()> acceptScriptText;
    // Called whenever the recent-files list changed (a file opened or saved under a new name),
    // so that the File menu shows the list as it is now.
    std::function<void()> onRecentFilesChanged;

    // The recent files in use, most recent first.
    std::vector<std::string> recentFiles() const;

    Decision AskSaveChanges();
    void FileNew();
    // The Open dialog (after the save-changes question); false when nothing was opened.
    bool FileOpen();
    // Entry `index` of recentFiles() (after the save-changes question).
    bool openRecentFile(std::size_t index);
    // A file named when the program was started, opened as the Open dialog would open it: a
    // missing file gets the dialog's message, and when the file is refused and the user wants
    // to try again, the Open dialog follows. False when nothing was opened.
    bool openGivenFile(const std::string& path);
    bool Save();
    bool SaveAs();
    // What opening a file by its path came to; true when it was opened.
    struct OpenedScript {
        enum class Result { Opened, Unreadable, NotAScript };
        Result result = Result::Unreadable;
        explicit operator bool() const { return result == Result::Opened; }
    };
    // Opens a script file by its path, without the save-changes question or a dialog (for
    // programs without a window).
    OpenedScript openScriptFile(const std::string& path);

    // The SUB numbers outside 0..1023 of the open file: their records were left out when it was
    // opened, and the next save does not write them.
    const std::vector<long long>& leftOutMessages() const { return m_leftOut; }
    // The line of the open file where a SUB line without "(" ended its reading, when text
    // follows it: that text was not read, and the next save does not write it.
    std::optional<int> unreadFromLine() const { return m_unreadFromLine; }

    // Leaves the current message, keeping its text, and shows message n. False, staying on the
    // current message, when its text could not be kept.
    bool goToMessage(int n);

    // True while some message exists: in the open file, in the store, or as the current
    // message with content (Edit > Delete message needs one).
    bool messagesExist();
    // Deletes the current message: it is gone from the file and the store, its text and its
    // fields are emptied, and the message before it (after it, from message 0) is loaded
    // without storing anything. The file counts as changed.
    void DeleteCurrentMessage();

    // The save half of the fatal-error report: asks, and on Yes saves every message, the
    // current one included, as the program folder's "MQS3TMP.SRC". True when it saved.
    bool reportFatalError(const std::string& procedure);

    // Takes the unit model of the settings into the message (2 or 4 lines).
    void applyUnitType();

    // Writes the current message and reads it back, as every store that goes on editing does;
    // nothing in Script Edit mode.
    void rebuildCurrentMessage();

    // The current message's SUB text as a save would write it now. The message itself is left
    // as it is: the text is written from a copy.
    std::string currentScript();

    // True when the current message holds text on a line the unit model now set does not show,
    // in its fields or in its text as loaded: writing it for that model would delete the text.
    bool hidesLines();
    // When it does, asks whether that text may go; the answer holds for this message. True
    // when it holds no such text or the user agreed.
    bool confirmHiddenLines();

private:
    void writeCurrentMessage();
    bool scriptTextAccepted();
    CurrentMessage loadedFields(int lines);
    bool editedSinceLoaded();
    bool confirmDroppingLines();
    enum class OpenResult { Opened, Failed, Refused, TryAgain };
    bool openWithDialog();
    OpenResult openFile(const std::string& path);
    bool saveTo(const std::string& newPath);
    bool confirmLeavingOut(const std::string& newPath);
    void showMessage(int n);
    // Puts a file at the top of the recent-files list; the list changes only here.
    void rememberRecentFile(const std::string& path);
    ScriptHeader header() const;
    FileDialogRequest scriptFileDialog(const std::string& title) const;

    UserInterface& m_ui;
    FileSystem& m_files;
    ProgramFolders m_folders;
    Preferences m_preferences;
    CurrentMessage m_message;
    ScriptWriter m_writer;
    ScriptReader m_reader;
    SilentUserInterface m_quiet;
    ScriptReader m_quietReader;
    FileStore m_store;
    std::vector<long long> m_leftOut;
    std::optional<int> m_unreadFromLine;
    bool m_hiddenLinesConfirmed = false;
};

// The numbers of left-out messages for a message text: the first few, then how many more.
std::string leftOutList(const std::vector<long long>& numbers);

} // namespace marquis
