#include "files/recordreader.h"
#include "model/richtext.h"
#include "support/sessionfixture.h"

#include <csignal>
#include <map>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

// A file with unsaved changes in the store and in memory, ready to be saved over itself.
class SaveFaultTest : public SessionTest {
protected:
    void SetUp() override
    {
        std::vector<CurrentMessage> messages;
        for (int n = 0; n < 30; ++n)
            messages.push_back(textMessage(n * 3, { "MESSAGE " + std::to_string(n * 3) }));
        path = openScript("plant.src", messages);
        oldContent = readWholeFile(path);
        for (int n : { 3, 30, 31, 60 }) {
            ASSERT_TRUE(session->goToMessage(n));
            typeLine1("CHANGED " + std::to_string(n));
        }
        ASSERT_TRUE(session->goToMessage(9));
        typeLine1("CHANGED 9 IN MEMORY");
        states = session->store().MessageState;
        offsets = session->store().MessageOffset;
        storeContent = readWholeFile(session->store().TempStorePath);
    }

    // What every message reads as now, by number, found through the tables without moving
    // between messages (which would store the current one).
    std::map<int, std::string> everyMessage()
    {
        std::map<int, std::string> texts;
        FileStore& store = session->store();
        const CurrentMessage& current = session->message();
        for (int n = 0; n < MessageCount; ++n) {
            const auto state = store.MessageState[static_cast<std::size_t>(n)];
            if (n == current.MessageNumber) {
                texts[n] = GetText(current.line(1).LineText);
                continue;
            }
            if (state == Absent)
                continue;
            RecordReader reader(
                files, state == InScript ? store.ScriptFilePath : store.TempStorePath);
            CurrentMessage read;
            read.MessageNumber = static_cast<std::int16_t>(n);
            read.MessageScript =
                reader.read(n, store.MessageOffset[static_cast<std::size_t>(n)]).text;
            session->reader().ReadFields(read);
            texts[n] = GetText(read.line(1).LineText);
        }
        return texts;
    }

    // The file an uninterrupted save writes, made in a separate session on a copy.
    std::string completeNewFile()
    {
        DiskFileSystem disk;
        const std::string copy = (workFolder / "reference.src").string();
        std::filesystem::copy_file(path, copy);
        std::filesystem::copy_file(session->store().TempStorePath, workFolder / "reference.tmp");
        EditorSession reference(crc, ui, disk,
            ProgramFolders { programFolder.folder(), programFolder.folder() },
            session->preferences());
        reference.message() = session->message();
        reference.store().MessageState = session->store().MessageState;
        reference.store().MessageOffset = session->store().MessageOffset;
        reference.store().TempStorePath = (workFolder / "reference.tmp").string();
        reference.store().ScriptFilePath = copy;
        EXPECT_TRUE(reference.Save());
        return readWholeFile(copy);
    }

    std::string path;
    std::string oldContent;
    std::string storeContent;
    std::array<std::int16_t, MessageCount + 1> states {};
    std::array<std::int32_t, MessageCount + 1> offsets {};
};

TEST_F(SaveFaultTest, DiskFillingUpAnywhereLeavesEverythingAsItWas)
{
    const std::map<int, std::string> before = everyMessage();
    for (const std::uint64_t room : { 0, 60, 500, 2000, 4000, 7000 }) {
        files.bytesLeft = room;
        ui.messages.clear();
        EXPECT_FALSE(session->Save()) << room;
        EXPECT_FALSE(ui.messages.empty()) << "a failed save must say so";
        files.bytesLeft.reset();
        EXPECT_EQ(readWholeFile(path), oldContent) << room;
        EXPECT_EQ(readWholeFile(session->store().TempStorePath), storeContent) << room;
        EXPECT_EQ(session->store().MessageState, states) << room;
        EXPECT_EQ(session->store().MessageOffset, offsets) << room;
        EXPECT_EQ(everyMessage(), before) << room;
    }
    EXPECT_TRUE(session->Save());
    EXPECT_EQ(everyMessage(), before);
}

TEST_F(SaveFaultTest, RefusedRenameLeavesEverythingAsItWas)
{
    files.refuseReplace = true;
    EXPECT_FALSE(session->Save());
    EXPECT_EQ(readWholeFile(path), oldContent);
    EXPECT_EQ(session->store().MessageState, states);
    EXPECT_EQ(session->store().ScriptFilePath, path);
}

// The editor ends at every step of a save in turn (as on a power cut or a kill), and at random
// moments: the file on the disk is always the complete old one or the complete new one.
TEST_F(SaveFaultTest, EndingAtAnyMomentLeavesTheOldOrTheNewFile)
{
    const std::string newContent = completeNewFile();
    ASSERT_NE(newContent, oldContent);
    const std::string pristine = readWholeFile(path);
    const std::string pristineStore = readWholeFile(session->store().TempStorePath);

    auto saveInChild = [&](int stopAt, int delayMicroseconds) {
        std::filesystem::remove(workFolder / "TMPFLN.TMP");
        workFolder.write("plant.src", pristine);
        const pid_t child = ::fork();
        if (child == 0) {
            files.operations = 0;
            files.beforeEach = [this, stopAt](const char*) {
                if (files.operations == stopAt)
                    ::_exit(9);
            };
            session->Save();
            ::_exit(0);
        }
        if (delayMicroseconds > 0) {
            ::usleep(static_cast<useconds_t>(delayMicroseconds));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string onDisk = readWholeFile(path);
        EXPECT_TRUE(onDisk == pristine || onDisk == newContent)
            << "stopped at step " << stopAt << " after " << delayMicroseconds
            << " us: " << onDisk.size() << " bytes";
        // Put the store back for the next round, in case the save got as far as removing it.
        workFolder.write("TMP$$$.TMP", pristineStore);
    };

    int steps = 0;
    files.beforeEach = [&](const char*) { ++steps; };
    {
        // Count the steps of one whole save on a copy of the situation.
        const std::string saved = readWholeFile(path);
        EXPECT_TRUE(session->Save());
        workFolder.write("plant.src", saved);
        workFolder.write("TMP$$$.TMP", pristineStore);
        session->store().MessageState = states;
        session->store().MessageOffset = offsets;
        session->store().ScriptFilePath = path;
        session->store().FileModified = true;
    }
    files.beforeEach = nullptr;
    ASSERT_GT(steps, 5);
    for (int stopAt = 1; stopAt <= steps + 1; ++stopAt)
        saveInChild(stopAt, 0);

    constexpr unsigned seed = 2718;
    std::cout << "seed " << seed << ", " << steps << " steps\n";
    std::mt19937 random(seed);
    for (int round = 0; round < 40; ++round)
        saveInChild(0, static_cast<int>(random() % 3000));
}

} // namespace
