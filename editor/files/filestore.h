#pragma once

#include "files/filesystem.h"
#include "model/checkvaluesource.h"
#include "model/currentmessage.h"
#include "ports/userinterface.h"

#include <array>
#include <cstdint>
#include <string>

namespace marquis {

enum MessageStateValue : std::int16_t {
    Absent = 0, // no text anywhere
    InScript = 1, // in the open script file
    InStore = 2, // in the temporary store
};

// Where every message's SUB text lives: the current message in memory, unchanged ones in the
// open script file, new or changed ones in the temporary store file, found through offsets.
class FileStore {
public:
    FileStore(CurrentMessage& message, CheckValueSource& checkValues, UserInterface& ui,
        FileSystem& files, std::string programFolder);

    std::array<std::int16_t, MessageCount + 1> MessageState {};
    std::array<std::int32_t, MessageCount + 1> MessageOffset {}; // 1-based byte position
    std::string ScriptFilePath;
    std::string TempStorePath;
    std::int32_t LoadedCheck = 0;
    std::string StoredMessageText;
    bool FileModified = false;

    // Reads the record of message n from `path` into StoredMessageText and its task into
    // MessageTask; reports a file that cannot be opened.
    void ReadRecord(const std::string& path, int n);

    // Appends StoredMessageText to `path` and sets n's offset there; reports a failure.
    bool AppendRecord(const std::string& path, int n);

    // Puts message n's text into MessageScript (and MessageNumber = n).
    void LoadMessage(int n);

    // Keeps the current message's text (MessageScript) as message n: appended to the store when
    // new or changed. False, with the reason shown, when it could not be kept; the text is then
    // still in MessageScript and every other message loads as before.
    bool StoreCurrentMessage(int n);

    bool IsModified();
    int NextMessage(int n);
    int PreviousMessage(int n);

    // The SUB text of the current message without content.
    std::string EmptyText() const;

    // Forgets every message: all absent, no offsets, no tasks.
    void clearTables();

    // Takes MessageScript as the current message's text as loaded or saved.
    void markLoaded();
    const std::string& loadedText() const { return m_loadedText; }

    // Where the store file is, once a message was stored.
    std::string storeFolder() const;

    const std::string& programFolder() const { return m_programFolder; }
    FileSystem& files() { return m_files; }
    CheckValueSource& checkValues() { return m_checkValues; }
    UserInterface& ui() { return m_ui; }
    CurrentMessage& message() { return m_message; }

private:
    bool isEmptyCurrent() const;
    bool currentChanged() const;
    bool anyInStore() const;
    void chooseStorePath();
    bool rebuildStore(int n);

    CurrentMessage& m_message;
    CheckValueSource& m_checkValues;
    UserInterface& m_ui;
    FileSystem& m_files;
    std::string m_programFolder;
    // The text as loaded or saved. Changes are found by comparing texts, which needs no
    // check-value component and cannot be fooled by two texts with the same value.
    std::string m_loadedText;
};

} // namespace marquis
